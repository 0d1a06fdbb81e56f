#pragma once
// Windows built from scene descriptions for the window tests: motion and
// scene resources entered into the indexes for the length of a test, and
// an object that records the input pass.

#include "../scene/MotionTestSupport.h"
#include "../scene/SceneDescTestSupport.h"

#include "engine/windows/cGameWindow.h"

#include <memory>
#include <vector>

// The motion "slide": key times 0 to 30, the x position equal to the key
// time, so that a pose shows which key time a clip has reached.
inline std::string SlideBytes()
{
	cMotionWriter writer;
	for (float key : { 0.0f, 10.0f, 20.0f, 30.0f })
		writer.AddKeyTime(key).AddPosition(key, 0, 0);
	return writer.GetBytes();
}

// Motion and scene resources, findable by name while this lives.
class cSceneContent
{
public:
	~cSceneContent()
	{
		for (auto& scene : m_scenes)
			scene->RemoveFromIndex();
		for (auto& motion : m_motions)
			motion->RemoveFromIndex();
	}

	void AddMotion(const std::string& name, const std::string& bytes)
	{
		m_motions.emplace_back(new cMotionResource(name, sResourceSource(StreamOf(bytes), "")));
		m_motions.back()->AddToIndex();
	}

	// A scene resource of the name whose root holds the elements.
	void AddScene(const std::string& name, const std::string& elements)
	{
		m_scenes.emplace_back(SceneFromXml(name, "<resources><resource name=\"" + name +
			"\" type=\"scene_resource\">" + elements + "</resource></resources>"));
		m_scenes.back()->AddToIndex();
	}

private:
	std::vector<std::unique_ptr<cMotionResource>> m_motions;
	std::vector<std::unique_ptr<cSceneResource>> m_scenes;
};

// Counts the input pass's calls.
class cInputRecorder : public cSceneObject
{
public:
	using cSceneObject::cSceneObject;
	void PreInput() override { ++visited; }
	bool HandleInput() override
	{
		++handled;
		return false;
	}

	int visited = 0;
	int handled = 0;
};

// The states a window goes through, one per update of the scene.
inline std::string StateTrace(cSceneManager* scene, cGameWindow* window, int updates, float dt)
{
	std::string trace;
	for (int i = 0; i < updates; ++i)
	{
		scene->Update(dt);
		trace += (trace.empty() ? "" : " ") + std::to_string(window->GetState());
	}
	return trace;
}
