#pragma once
// The handle through which model controllers hold a model resource: the
// resource, its model cached at bind time, and per-handle shared data (the
// attachment) that copies share and that goes whenever the handle is
// rebound. The model resource class plugs in as Resource (with GetModel())
// and its model class as Model.

#include "engine/foundation/cSharedPtr.h"
#include "engine/resources/cResourceHandle.h"

// The base of what a model handle's attachment holds.
class cModelAttachment
{
public:
	virtual ~cModelAttachment() = default;
};

template <class Resource, class Model>
class cModelHandleT
{
public:
	cModelHandleT() = default;
	explicit cModelHandleT(const std::string& name) { BindByName(name); }
	explicit cModelHandleT(const cResourceHandle& handle) { SetResource(handle); }
	// Copies share the model, the attachment and (with one more reference) the resource.
	cModelHandleT(const cModelHandleT&) = default;
	cModelHandleT& operator=(const cModelHandleT&) = default;
	// The attachment goes first, then the resource (declaration order).
	~cModelHandleT() = default;

	// Holds the model resource of the name, or nothing when it is not found.
	void BindByName(const std::string& name)
	{
		SetResource(cResourceHandle(cResourceManager::GetResourceByName<Resource>(name)));
	}

	// Drops the attachment and holds the handle's resource. The new
	// reference is taken before the old one is given back, so rebinding to
	// the same model (even through this handle's own resource) keeps it loaded.
	void SetResource(const cResourceHandle& handle)
	{
		m_attachment.Reset(nullptr);
		m_resource = handle;
		Resource* resource = m_resource.template Get<Resource>();
		m_model = resource ? resource->GetModel() : nullptr;
	}

	Model* GetModel() const { return m_model; }
	const cResourceHandle& GetResource() const { return m_resource; }
	cSharedPtr<cModelAttachment>& GetAttachment() { return m_attachment; }

private:
	Model* m_model = nullptr;
	cResourceHandle m_resource;
	cSharedPtr<cModelAttachment> m_attachment;
};
