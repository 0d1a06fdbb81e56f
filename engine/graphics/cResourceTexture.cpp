#include "engine/graphics/cResourceTexture.h"

#include "engine/foundation/cMemoryStream.h"
#include "engine/graphics/cTexture.h"

cResourceTexture::cResourceTexture(const std::string& name, const sResourceSource& source)
	: cTextureResource(name, source)
{
}

cResourceTexture::~cResourceTexture() = default;

cResource* cResourceTexture::Create(const std::string& name, const sResourceSource& source)
{
	return new cResourceTexture(name, source);
}

bool cResourceTexture::Load()
{
	cMemoryStream bytes;
	if (!GetSource().Read(bytes) || bytes.GetSize() == 0)
		return false;
	m_texture.reset(CreateTexture(bytes));
	return m_texture && !m_texture->IsEmpty();
}

bool cResourceTexture::Unload()
{
	m_texture.reset();
	return true;
}

cTexture* cResourceTexture::CreateTexture(cMemoryStream& bytes)
{
	// Code 0: the graphics device's default texture format.
	return new cTexture(bytes, cTexture::FORMAT_NONE, true);
}
