#include "engine/resources/cDataResource.h"

cDataResource::cDataResource(const std::string& name, const sResourceSource& source) : cIndexedResource(name, source)
{
}

bool cDataResource::Load()
{
	if (!GetSource().Read(m_data))
		return false;
	m_data.Seek(0, cStream::FromStart);
	return true;
}

bool cDataResource::Unload()
{
	m_data.SetSize(0);
	return true;
}
