#include "engine/graphics/cModelResource.h"

cModelResource::cModelResource(const std::string& name, const sResourceSource& source)
	: cIndexedResource(name, source)
{
}

cModelResource::~cModelResource() = default;

cResource* cModelResource::Create(const std::string& name, const sResourceSource& source)
{
	return new cModelResource(name, source);
}

bool cModelResource::Load()
{
	cMemoryStream bytes;
	if (!GetSource().Read(bytes))
		return false;
	m_model = std::make_unique<cModel>();
	m_model->Load(bytes);
	return false;
}

bool cModelResource::Unload()
{
	m_model.reset();
	return true;
}
