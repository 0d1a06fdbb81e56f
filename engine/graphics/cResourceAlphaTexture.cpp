#include "engine/graphics/cResourceAlphaTexture.h"

#include "engine/graphics/cTexture.h"

cResource* cResourceAlphaTexture::Create(const std::string& name, const sResourceSource& source)
{
	return new cResourceAlphaTexture(name, source);
}

cTexture* cResourceAlphaTexture::CreateTexture(cMemoryStream& bytes)
{
	return cTexture::CreateAlphaTexture(bytes);
}
