#include "engine/resources/cXmlResource.h"

#include "engine/foundation/cLog.h"

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
	if (!m_document.Load(text))
		LOG(2, "xml[%s] is not well-formed XML: its tree is empty", GetName().c_str());
	return true;
}

bool cXmlResource::Unload()
{
	return true;
}
