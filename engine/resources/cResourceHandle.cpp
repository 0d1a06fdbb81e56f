#include "engine/resources/cResourceHandle.h"

cResourceHandle::cResourceHandle(const cResourceHandle& other) : m_resource(other.m_resource)
{
	if (m_resource)
		m_resource->AddRef();
}

cResourceHandle& cResourceHandle::operator=(const cResourceHandle& other)
{
	cResource* resource = other.m_resource;
	if (resource)
		resource->AddRef();
	Adopt(resource);
	return *this;
}

cResourceHandle::~cResourceHandle()
{
	cResourceManager::ReleaseResource(m_resource);
}

void cResourceHandle::Adopt(cResource* lookedUp)
{
	cResource* previous = m_resource;
	m_resource = lookedUp;
	cResourceManager::ReleaseResource(previous);
}
