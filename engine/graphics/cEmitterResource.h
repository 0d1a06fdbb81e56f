#pragma once
// Type "emitter": a keyframed particle effect, an emitter file (see
// sEmitterSet) read into an emitter set on the first reference and
// deleted on the last. Emitter groups built on the set hold a pointer to
// it; their owner keeps a reference to the resource meanwhile.

#include "engine/resources/cIndexedResource.h"

struct sEmitterSet;

class cEmitterResource : public cIndexedResource<cEmitterResource>
{
public:
	static constexpr const char* LookupName = "emitter";

	cEmitterResource(const std::string& name, const sResourceSource& source);
	// Deletes the set.
	~cEmitterResource() override;
	static cResource* Create(const std::string& name, const sResourceSource& source);

	// Without bytes the set stays as it is. Otherwise a new set replaces
	// the old one; a damaged file is logged and leaves no set (false).
	bool Load() override;
	bool Unload() override;
	const char* GetTypeName() override { return "emitter"; }

	// The set; null while unloaded or when the file was damaged.
	sEmitterSet* GetSet() const { return m_set; }

private:
	sEmitterSet* m_set = nullptr;
};
