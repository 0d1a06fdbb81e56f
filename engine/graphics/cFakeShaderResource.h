#pragma once
// Type "shader": the placeholder for effect files ("fx"). It loads nothing
// and enters only the index of all resources, never its own, so every
// "shader" lookup ends in "not found" and no effect is ever used. A shader
// carries the effect wrapper its users draw with; this one carries none.

#include "engine/graphics/cShaderEffect.h"
#include "engine/resources/cResourceManager.h"

#include <memory>

class cFakeShaderResource : public cResource
{
public:
	static constexpr const char* LookupName = "shader";

	using cResource::cResource;
	static cResource* Create(const std::string& name, const sResourceSource& source);

	bool Load() override { return true; }
	bool Unload() override { return true; }
	const char* GetTypeName() override { return "shader"; }

	cShaderEffect* GetEffect() const { return m_effect.get(); }

protected:
	std::unique_ptr<cShaderEffect> m_effect;
};
