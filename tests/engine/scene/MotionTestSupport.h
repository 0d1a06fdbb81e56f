#pragma once
// Motion resources made by the motion writer and entered into the indexes
// for the length of a test, so that objects find them by name.

#include "SceneTestSupport.h"

#include "engine/scene/cMotionPlayer.h"
#include "engine/scene/cMotionResource.h"
#include "engine/scene/cMotionWriter.h"

#include <memory>

inline cMemoryStream* StreamOf(const std::string& bytes)
{
	auto* stream = new cMemoryStream();
	stream->Write(bytes.data(), uint32_t(bytes.size()));
	stream->Seek(0, cStream::FromStart);
	return stream;
}

class MotionTest : public SceneTest
{
protected:
	void TearDown() override
	{
		SceneTest::TearDown();
		for (auto& motion : motions)
			motion->RemoveFromIndex();
		motions.clear();
	}

	// A motion resource of the name holding the bytes.
	cMotionResource* AddMotion(const std::string& name, const std::string& bytes)
	{
		motions.emplace_back(new cMotionResource(name, sResourceSource(StreamOf(bytes), "")));
		motions.back()->AddToIndex();
		return motions.back().get();
	}

	// A new object under parent with a player of the motion and the clips.
	cSceneObject* Moving(const std::string& name, cSceneObject* parent, const std::string& motion,
		const std::vector<sMotionDesc>& clips)
	{
		auto* object = new cSceneObject(name, parent);
		object->GetMotions().CreatePlayer(motion);
		object->GetMotions().GetPlayer()->AddClips(clips);
		return object;
	}

	std::vector<std::unique_ptr<cMotionResource>> motions;
};
