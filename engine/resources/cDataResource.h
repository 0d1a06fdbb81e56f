#pragma once
// Type "data": raw bytes, the type of every file and list entry whose type
// is not registered. No lookup reads it; it is mounted, indexed and packed.

#include "engine/resources/cIndexedResource.h"

class cDataResource : public cIndexedResource<cDataResource>
{
public:
	static constexpr const char* LookupName = "data";

	cDataResource(const std::string& name, const sResourceSource& source);

	// False when the source cannot be read.
	bool Load() override;
	// Frees the bytes.
	bool Unload() override;
	const char* GetTypeName() override { return "data"; }

	cMemoryStream& GetData() { return m_data; }

private:
	cMemoryStream m_data;
};
