#pragma once
// Type "particle" (extension "psys"): a particle-system description, read
// on every load. Unloading keeps the description, so systems built on it
// stay valid while the resource lives.

#include "engine/graphics/sParticleSystemDesc.h"
#include "engine/resources/cIndexedResource.h"

class cParticleResource : public cIndexedResource<cParticleResource>
{
public:
	static constexpr const char* LookupName = "particle";

	using cIndexedResource::cIndexedResource;
	static cResource* Create(const std::string& name, const sResourceSource& source);

	// Reads the description from the resource's bytes. A damaged file is
	// logged and leaves the description as it was (false).
	bool Load() override;
	bool Unload() override { return true; }
	const char* GetTypeName() override { return "particle"; }

	const sParticleSystemDesc& GetDescription() const { return m_description; }

private:
	sParticleSystemDesc m_description;
};
