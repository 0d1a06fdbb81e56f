// The resource-list reader over an arbitrary list file.

#include "support/FuzzTarget.h"

#include "engine/resources/cResourceManager.h"
#include "engine/resources/cTextResource.h"

namespace
{
void Run(const uint8_t* data, size_t size)
{
	cResourceManager* manager = cResourceManager::GetInstance();
	manager->RegisterType("text_resource", cTextResource::Create);
	std::vector<cResource*> list;
	manager->LoadResourceList(WriteScratchFile("list.xml", data, size), list);
	for (cResource* resource : list)
		delete resource;
}

std::vector<std::string> Seeds()
{
	return {WrittenXml("<resources><resource name=\"menu\" type=\"xml\"/>"
					   "<resource name=\"texts\" type=\"text_resource\"><chapter name=\"c\"><section name=\"s\">"
					   "<phrase name=\"p\" text=\"Hello\\nthere\"/></section></chapter></resource>"
					   "<resource name=\"blob\" type=\"unknown\"/><resource type=\"xml\"/></resources>")};
}
}

ZV2_FUZZ_TARGET(ResourceList, Run, Seeds)
