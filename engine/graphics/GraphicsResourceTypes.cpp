#include "engine/graphics/GraphicsResourceTypes.h"

#include "engine/graphics/cEmitterResource.h"
#include "engine/graphics/cFakeShaderResource.h"
#include "engine/graphics/cFontResource.h"
#include "engine/graphics/cModelResource.h"
#include "engine/graphics/cParticleResource.h"
#include "engine/graphics/cResourceAlphaTexture.h"
#include "engine/graphics/cResourceTexture.h"

namespace
{
void RegisterType(const char* type, cResourceManager::Creator creator, std::initializer_list<const char*> extensions)
{
	cResourceManager* manager = cResourceManager::GetInstance();
	manager->RegisterType(type, creator);
	for (const char* extension : extensions)
		manager->RegisterExtension(extension, type);
}
}

void RegisterGraphicsResourceTypes()
{
	RegisterType("texture", cResourceTexture::Create, {"bmp", "jpg", "png", "dds", "tga", "pvr"});
	RegisterType("alpha_texture", cResourceAlphaTexture::Create, {"aimg"});
	RegisterType("font", cFontResource::Create, {});
	RegisterType("emitter", cEmitterResource::Create, {"emitter"});
	RegisterType("shader", cFakeShaderResource::Create, {"fx"});
	RegisterType("model", cModelResource::Create, {"model"});
	RegisterType("particle", cParticleResource::Create, {"psys"});
}

void ReloadTextureResources()
{
	cTextureResource::ReloadAll();
}
