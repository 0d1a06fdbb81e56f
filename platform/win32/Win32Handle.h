#pragma once
// Kernel objects behind HANDLEs (threads, events, mutexes, files): each is an
// object of a class derived from Win32KernelObject, listed while it is open,
// closed with CloseHandle and waited for with WaitForSingleObject.

#include "platform/win32/Win32Types.h"

#define INFINITE 0xFFFFFFFFu
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu

class Win32KernelObject
{
public:
	// Lists the object: from now on its handle is valid.
	Win32KernelObject();
	virtual ~Win32KernelObject();
	Win32KernelObject(const Win32KernelObject&) = delete;
	Win32KernelObject& operator=(const Win32KernelObject&) = delete;

	HANDLE GetHandle() { return this; }

	// Waits up to the given milliseconds for the object to be signalled and
	// returns WAIT_OBJECT_0 or WAIT_TIMEOUT. Objects that cannot be waited
	// for return WAIT_FAILED.
	virtual DWORD Wait(DWORD milliseconds);

	// The open object behind a handle of the given class, or null (with
	// ERROR_INVALID_HANDLE) for a closed, foreign or wrong-kind handle.
	template <class T>
	static T* FromHandle(HANDLE handle)
	{
		T* object = dynamic_cast<T*>(Find(handle));
		if (!object)
			SetInvalidHandleError();
		return object;
	}

	static Win32KernelObject* Find(HANDLE handle);

private:
	static void SetInvalidHandleError();
};

// Closes the handle and destroys the object behind it.
BOOL CloseHandle(HANDLE handle);

// WAIT_OBJECT_0 when the object is (or becomes) signalled within the time,
// WAIT_TIMEOUT when not, WAIT_FAILED for a bad handle.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
