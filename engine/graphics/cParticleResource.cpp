#include "engine/graphics/cParticleResource.h"

#include "engine/foundation/cLog.h"
#include "engine/foundation/cMemoryStream.h"

cResource* cParticleResource::Create(const std::string& name, const sResourceSource& source)
{
	return new cParticleResource(name, source);
}

bool cParticleResource::Load()
{
	cMemoryStream bytes;
	if (!GetSource().Read(bytes) || bytes.GetSize() == 0)
		return false;
	if (ReadParticleSystemDesc(bytes, m_description))
		return true;
	LOG(2, "Particle system \"%s\" is damaged or cut short; its description is kept", GetName().c_str());
	return false;
}
