#pragma once
// Kernel handles: every HANDLE the layer gives out points at an object
// derived from Win32Object. CloseHandle deletes it, whatever its kind
// (file, find, thread, event, ...).

#include "platform/win32/Win32Types.h"

struct Win32Object
{
	virtual ~Win32Object() = default;
};

// Wraps a layer object as a HANDLE. Always go through this, so that the
// handle holds the Win32Object base address.
inline HANDLE MakeHandle(Win32Object* object)
{
	return static_cast<HANDLE>(object);
}

// The object behind a handle when it is of kind T; null for a null or
// invalid handle, or a handle of another kind.
template <class T>
T* HandleObject(HANDLE handle)
{
	if (!handle || handle == INVALID_HANDLE_VALUE)
		return nullptr;
	return dynamic_cast<T*>(static_cast<Win32Object*>(handle));
}

// Deletes the object behind the handle. FALSE (ERROR_INVALID_HANDLE) for a
// null handle or INVALID_HANDLE_VALUE.
BOOL CloseHandle(HANDLE handle);
