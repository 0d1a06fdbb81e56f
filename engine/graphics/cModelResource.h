#pragma once
// Type "model" (extension "model"): a model file loaded into a cModel on
// the first reference and deleted on the last. Model handles cache the
// model when they bind.

#include "engine/graphics/cModel.h"
#include "engine/resources/cIndexedResource.h"

#include <memory>

class cModelResource : public cIndexedResource<cModelResource>
{
public:
	static constexpr const char* LookupName = "model";

	cModelResource(const std::string& name, const sResourceSource& source);
	~cModelResource() override;
	static cResource* Create(const std::string& name, const sResourceSource& source);

	// Builds a new model from the resource's bytes; an unreadable source
	// leaves the model as it was. Always false: the result tells nothing.
	bool Load() override;
	bool Unload() override;
	const char* GetTypeName() override { return "model"; }

	// Null while unloaded or when the source could not be read.
	cModel* GetModel() const { return m_model.get(); }

private:
	std::unique_ptr<cModel> m_model;
};
