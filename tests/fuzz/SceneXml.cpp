// The XML form of a scene description: the scene resource's element of a
// resource list, read as the scene resource reads it; the tree read must
// write out in the binary form and read back from it.

#include "support/FuzzTarget.h"
#include "support/SceneSeeds.h"

#include "engine/foundation/cMemoryStream.h"
#include "engine/foundation/cXmlDocument.h"
#include "engine/scene/ObjectDescXml.h"
#include "engine/scene/cSceneResource.h"

namespace
{
void Run(const uint8_t* data, size_t size)
{
	cMemoryStream stream;
	FillStream(stream, data, size);
	cXmlDocument document;
	if (!document.Load(stream) || !document.GetRoot().GetFirstChild())
		return;
	cSceneResource scene("fuzzed", sResourceSource());
	scene.ReadDescription(*document.GetRoot().GetFirstChild());
	cMemoryStream binary;
	scene.Save(binary);
	const std::string bytes = StreamBytes(binary);
	cSceneResource again("again", MemorySource(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
	again.Load();
}

std::vector<std::string> Seeds()
{
	cXmlDocument list("resources");
	WriteSceneResourceElement("sample", SeedScene(), list.GetRoot());
	cMemoryStream out;
	list.Save(out);
	return {StreamBytes(out)};
}
}

ZV2_FUZZ_TARGET(SceneXml, Run, Seeds)
