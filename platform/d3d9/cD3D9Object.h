#pragma once
// The reference count shared by the device's child objects. A child keeps
// its device alive (the device object goes away once its own count and all
// its children are gone) and is deleted at its last Release, on whichever
// thread that happens.

#include "platform/d3d9/cD3D9Device.h"

#include <atomic>

template <class Interface>
class cD3D9Object : public Interface
{
public:
	explicit cD3D9Object(cD3D9Device* device) : m_device(device) { m_device->AddChildRef(); }

	ULONG AddRef() override { return ++m_refs; }
	ULONG Release() override
	{
		ULONG left = --m_refs;
		if (left == 0)
		{
			cD3D9Device* device = m_device;
			delete this;
			device->ReleaseChildRef();
		}
		return left;
	}

	HRESULT GetDevice(IDirect3DDevice9** device) override
	{
		if (!device)
			return D3DERR_INVALIDCALL;
		*device = m_device;
		m_device->AddRef();
		return D3D_OK;
	}

	cD3D9Device* Device() const { return m_device; }

private:
	std::atomic<ULONG> m_refs { 1 };
	cD3D9Device* m_device;
};
