#pragma once
// Type "motion_resource" (files with the extension "motion"): the keyframes
// that motion players play, read on the first reference and freed on the
// last. A damaged file is logged and leaves the resource without data.

#include "engine/resources/cIndexedResource.h"

struct sMotionData;

class cMotionResource : public cIndexedResource<cMotionResource>
{
public:
	static constexpr const char* LookupName = "motion_resource";

	cMotionResource(const std::string& name, const sResourceSource& source);
	~cMotionResource() override;
	static cResource* Create(const std::string& name, const sResourceSource& source);

	// Without bytes the data stays as it is. Otherwise new data replaces
	// the old; a damaged file leaves none and gives false.
	bool Load() override;
	// Keeps the data of a resource that has neither a source stream nor a
	// source path: it could not be read again.
	bool Unload() override;
	const char* GetTypeName() override { return "motion_resource"; }

	// Null while unloaded or when the file was damaged.
	const sMotionData* GetData() const { return m_data; }

private:
	sMotionData* m_data = nullptr;
};
