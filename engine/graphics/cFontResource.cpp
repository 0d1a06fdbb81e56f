#include "engine/graphics/cFontResource.h"

#include "engine/foundation/PropertyValue.h"
#include "engine/foundation/StringUtils.h"
#include "engine/foundation/cLog.h"
#include "engine/foundation/cXmlNode.h"
#include "engine/graphics/cFontParser.h"
#include "engine/graphics/cTexture.h"
#include "engine/graphics/cTextureResource.h"

cFontResource::cFontResource(const std::string& name, const sResourceSource& source) : cIndexedResource(name, source)
{
}

cFontResource::~cFontResource()
{
	ReleaseTexture();
}

cResource* cFontResource::Create(const std::string& name, const sResourceSource& source)
{
	return new cFontResource(name, source);
}

bool cFontResource::Load()
{
	cMemoryStream bytes;
	if (GetSource().Read(bytes) && bytes.GetSize() > 0 && !m_data.Read(bytes))
	{
		LOG(2, "Font %s: damaged binary form", GetName().c_str());
		return false;
	}
	if (m_data.textureName.empty())
		return false;
	ReleaseTexture();
	m_texture = cResourceManager::GetResourceByName<cTextureResource>(m_data.textureName);
	return true;
}

bool cFontResource::Unload()
{
	ReleaseTexture();
	return true;
}

void cFontResource::Save(cStream& out)
{
	m_data.Write(out);
}

void cFontResource::ReadDescription(const cXmlNode& element)
{
	m_data.spaceWidth = StringToInt(GetXmlAttribute(&element, "space", "3"));
	m_data.scale = TextToFloat(GetXmlAttribute(&element, "scale", "1"));
	m_data.upper = false;
	if (const cXmlNode* upper = element.FindAttribute("upper"))
		cXmlNode::ReadBool(*upper, m_data.upper);
	cFontParser parser(m_data.textureName, m_data.lineHeight, m_data.glyphs);
	parser.Parse(element);
}

sFontFace cFontResource::GetFace() const
{
	sFontFace face;
	face.glyphs = &m_data.glyphs;
	face.lineHeight = m_data.lineHeight;
	face.spaceWidth = m_data.spaceWidth;
	face.scale = m_data.scale;
	if (cTexture* texture = m_texture ? m_texture->GetTexture() : nullptr)
	{
		face.textureWidth = static_cast<float>(texture->GetWidth());
		face.textureHeight = static_cast<float>(texture->GetHeight());
	}
	return face;
}

void cFontResource::ReleaseTexture()
{
	cResourceManager::ReleaseResource(m_texture);
	m_texture = nullptr;
}
