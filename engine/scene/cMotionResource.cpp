#include "engine/scene/cMotionResource.h"

#include "engine/foundation/cLog.h"
#include "engine/scene/sMotionData.h"

cMotionResource::cMotionResource(const std::string& name, const sResourceSource& source)
	: cIndexedResource(name, source)
{
}

cMotionResource::~cMotionResource()
{
	delete m_data;
}

cResource* cMotionResource::Create(const std::string& name, const sResourceSource& source)
{
	return new cMotionResource(name, source);
}

bool cMotionResource::Load()
{
	cMemoryStream bytes;
	if (!GetSource().Read(bytes))
		return m_data != nullptr;
	delete m_data;
	m_data = new sMotionData;
	std::string error;
	if (m_data->Read(bytes, error))
		return true;
	LOG(2, "motion_resource[%s] %s", GetName().c_str(), error.c_str());
	delete m_data;
	m_data = nullptr;
	return false;
}

bool cMotionResource::Unload()
{
	if (!GetSource().stream && GetSource().path.empty())
		return true;
	delete m_data;
	m_data = nullptr;
	return true;
}
