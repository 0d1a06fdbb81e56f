// The pack reader: the directory of an arbitrary pack file, then every
// resource it lists loaded from its record.

#include "support/FuzzTarget.h"

#include "engine/foundation/cMemoryStream.h"
#include "engine/resources/cResource.h"
#include "engine/resources/cResourceManager.h"
#include "engine/resources/cResourceMount.h"
#include "engine/resources/cTextResource.h"

#include <filesystem>

namespace
{
void RegisterTypes()
{
	cResourceManager::GetInstance()->RegisterType("text_resource", cTextResource::Create);
	cResourceManager::GetInstance()->RegisterExtension("txt", "text_resource");
}

void Run(const uint8_t* data, size_t size)
{
	RegisterTypes();
	cResourceMount mount(*cResourceManager::GetInstance(), WriteScratchFile("fuzzed.pack", data, size));
	for (cResource* resource : mount.GetResources())
		if (resource->Load())
			resource->Unload();
}

std::vector<std::string> Seeds()
{
	RegisterTypes();
	const std::string folder = FuzzScratchFolder() + "/seed-pack";
	std::filesystem::create_directories(folder + "/sub");
	WriteScratchFile("seed-pack/menu.xml", "<menu><item/></menu>", 20);
	WriteScratchFile("seed-pack/sub/data.bin", "\x01\x02\x03\x04\x05\x06\x07\x08", 8);
	std::vector<std::string> seeds;
	for (int choice : {0, 1})
	{
		cResourceMount mount(*cResourceManager::GetInstance(), folder);
		cMemoryStream out;
		mount.Write(out, choice);
		seeds.emplace_back(reinterpret_cast<const char*>(out.GetData()), out.GetSize());
	}
	std::filesystem::remove_all(folder);
	return seeds;
}
}

ZV2_FUZZ_TARGET(Pack, Run, Seeds)
