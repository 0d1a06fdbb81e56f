#include "engine/graphics/cEmitterResource.h"

#include "engine/foundation/cLog.h"
#include "engine/graphics/sEmitterSet.h"

cEmitterResource::cEmitterResource(const std::string& name, const sResourceSource& source)
	: cIndexedResource(name, source)
{
}

cEmitterResource::~cEmitterResource()
{
	delete m_set;
}

cResource* cEmitterResource::Create(const std::string& name, const sResourceSource& source)
{
	return new cEmitterResource(name, source);
}

bool cEmitterResource::Load()
{
	cMemoryStream bytes;
	if (!GetSource().Read(bytes) || bytes.GetSize() == 0)
		return m_set != nullptr;
	delete m_set;
	m_set = new sEmitterSet;
	if (m_set->Read(bytes))
		return true;
	LOG(2, "Emitter %s: damaged emitter file", GetName().c_str());
	delete m_set;
	m_set = nullptr;
	return false;
}

bool cEmitterResource::Unload()
{
	delete m_set;
	m_set = nullptr;
	return true;
}
