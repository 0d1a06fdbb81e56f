#include "engine/resources/cXmlResource.h"

cXmlResource::cXmlResource(const std::string& name, const sResourceSource& source) : cIndexedResource(name, source)
{
}

cResource* cXmlResource::Create(const std::string& name, const sResourceSource& source)
{
	return new cXmlResource(name, source);
}

bool cXmlResource::Load()
{
	cMemoryStream text;
	if (!GetSource().Read(text))
		return false;
	m_document.Load(text);
	return true;
}

bool cXmlResource::Unload()
{
	return true;
}
