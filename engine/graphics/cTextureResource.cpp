#include "engine/graphics/cTextureResource.h"

#include "engine/foundation/cAutoLock.h"

void cTextureResource::ReloadAll()
{
	cAutoLock lock(cResourceManager::GetInstance()->GetLock());
	cResourceManager::GetTypeIndex<cTextureResource>().ForEach([](cResource* resource) {
		int references = resource->GetLoadCount();
		if (references <= 0)
			return;
		for (int i = 0; i < references; ++i)
			cResourceManager::ReleaseResource(resource);
		for (int i = 0; i < references; ++i)
			resource->AddRef();
	});
}
