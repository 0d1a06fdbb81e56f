// A motion file, read as the motion resource reads it, then played by a
// motion player on a transform node: clips inside, around and beyond its
// key times, forward and backward, once and looping.

#include "support/FuzzTarget.h"

#include "engine/scene/cMotionPlayer.h"
#include "engine/scene/cMotionResource.h"
#include "engine/scene/cMotionWriter.h"
#include "engine/scene/cTransformNode.h"

namespace
{
void Run(const uint8_t* data, size_t size)
{
	cMotionResource* resource = new cMotionResource("fuzzed", MemorySource(data, size));
	resource->AddToIndex();
	{
		cTransformNode node;
		cMotionPlayer player(&node, cResourceHandle::InitByName<cMotionResource>("fuzzed"));
		player.AddClips({{"whole", 0, 1e6f, 2, "", false}, {"middle", 0.5f, 1.5f, 1, "", true},
			{"empty", 3, 3, 0, "", true}, {"reversed", 2, -1, 0.5f, "", false}});
		for (const char* clip : {"whole", "middle", "empty", "reversed"})
		{
			player.Play(clip);
			for (int frame = 0; frame < 3; ++frame)
				player.Update(0.4f);
			player.SetForward(false);
			player.Resume();
			for (int frame = 0; frame < 3; ++frame)
				player.Update(0.4f);
			player.Seek(0.7f);
		}
	}
	resource->RemoveFromIndex();
	delete resource;
}

std::vector<std::string> Seeds()
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddKeyTime(1).AddKeyTime(1).AddKeyTime(2);
	writer.AddPosition(0, 0, 0).AddPosition(1, 0, 0).AddPosition(1, 1, 0).AddPosition(0, 2, 0);
	writer.AddRotation(cQuaternion()).AddRotation(cQuaternion(0, 0, 0.7071f, 0.7071f));
	writer.AddScale(0, 0, 0).AddScale(1, 1, 1).AddScale(2, 2, 2);
	writer.AddColour(sColor(1, 1, 1, 1)).AddColour(sColor(1, 0, 0, 0.5f)).AddColour(sColor(0, 0, 1, 0))
		.AddColour(sColor(0, 1, 0, 1));
	return {writer.GetBytes()};
}
}

ZV2_FUZZ_TARGET(Motion, Run, Seeds)
