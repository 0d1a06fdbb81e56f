#include "platform/win32/Win32Handle.h"

#include "platform/win32/Win32Error.h"

#include <mutex>
#include <unordered_set>

namespace
{
struct cOpenObjects
{
	std::mutex lock;
	std::unordered_set<Win32KernelObject*> objects;
};

// Never destroyed: handles are still closed by objects destroyed at process exit.
cOpenObjects& OpenObjects()
{
	static cOpenObjects* open = new cOpenObjects;
	return *open;
}

// Unlists the object behind the handle; false when it was not listed.
bool Unlist(Win32KernelObject* object)
{
	cOpenObjects& open = OpenObjects();
	std::lock_guard<std::mutex> hold(open.lock);
	return open.objects.erase(object) != 0;
}
}

Win32KernelObject::Win32KernelObject()
{
	cOpenObjects& open = OpenObjects();
	std::lock_guard<std::mutex> hold(open.lock);
	open.objects.insert(this);
}

Win32KernelObject::~Win32KernelObject()
{
	Unlist(this);
}

DWORD Win32KernelObject::Wait(DWORD)
{
	SetLastError(ERROR_INVALID_HANDLE);
	return WAIT_FAILED;
}

Win32KernelRef<Win32KernelObject> Win32KernelObject::Find(HANDLE handle)
{
	cOpenObjects& open = OpenObjects();
	std::lock_guard<std::mutex> hold(open.lock);
	auto found = open.objects.find(static_cast<Win32KernelObject*>(handle));
	if (found == open.objects.end())
		return Win32KernelRef<Win32KernelObject>();
	// Taken under the list's lock: CloseHandle cannot drop the handle's
	// reference in between.
	(*found)->AddReference();
	return Win32KernelRef<Win32KernelObject>(*found);
}

void Win32KernelObject::Release()
{
	if (m_references.fetch_sub(1, std::memory_order_acq_rel) == 1)
		delete this;
}

void Win32KernelObject::SetInvalidHandleError()
{
	SetLastError(ERROR_INVALID_HANDLE);
}

BOOL CloseHandle(HANDLE handle)
{
	auto* object = static_cast<Win32KernelObject*>(handle);
	if (!handle || !Unlist(object))
	{
		SetLastError(ERROR_INVALID_HANDLE);
		return FALSE;
	}
	object->Release();
	return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
	Win32KernelRef<Win32KernelObject> object = Win32KernelObject::Find(handle);
	if (!object)
	{
		SetLastError(ERROR_INVALID_HANDLE);
		return WAIT_FAILED;
	}
	return object->Wait(milliseconds);
}
