// The binary form of a scene description, as a scene file or pack entry
// holds it, read as the scene resource reads it; a tree read must write
// back out.

#include "support/FuzzTarget.h"
#include "support/SceneSeeds.h"

#include "engine/foundation/cMemoryStream.h"
#include "engine/scene/ObjectDescBinary.h"
#include "engine/scene/cSceneResource.h"

namespace
{
void Run(const uint8_t* data, size_t size)
{
	cSceneResource scene("fuzzed", MemorySource(data, size));
	if (!scene.Load())
		return;
	cMemoryStream out;
	scene.Save(out);
}

std::vector<std::string> Seeds()
{
	cMemoryStream out;
	WriteObjectDesc(out, SeedScene());
	return {StreamBytes(out)};
}
}

ZV2_FUZZ_TARGET(SceneBinary, Run, Seeds)
