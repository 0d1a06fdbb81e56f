#pragma once
// Kernel objects behind HANDLEs (threads, events, mutexes, files): each is an
// object of a class derived from Win32KernelObject, listed while it is open,
// closed with CloseHandle and waited for with WaitForSingleObject.

#include "platform/win32/Win32Types.h"

#include <atomic>

#define INFINITE 0xFFFFFFFFu
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu

template <class T>
class Win32KernelRef;

// Every object is reference counted: its handle holds one reference until
// CloseHandle, and every call working on the object (a waiter above all)
// holds another, so closing the handle while another thread is still inside
// the object destroys it only once that thread has left.
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
	static Win32KernelRef<T> FromHandle(HANDLE handle);

	static Win32KernelRef<Win32KernelObject> Find(HANDLE handle);

	void AddReference() { m_references.fetch_add(1, std::memory_order_relaxed); }
	// Destroys the object when the last reference goes.
	void Release();

private:
	static void SetInvalidHandleError();

	std::atomic<int> m_references{1};
};

// A counted reference to a kernel object; null when the handle was bad.
template <class T>
class Win32KernelRef
{
public:
	Win32KernelRef() = default;
	// Adopts a reference already taken.
	explicit Win32KernelRef(T* object) : m_object(object) {}
	Win32KernelRef(Win32KernelRef&& other) : m_object(other.Detach()) {}
	Win32KernelRef& operator=(Win32KernelRef&& other)
	{
		if (this != &other)
		{
			Reset();
			m_object = other.Detach();
		}
		return *this;
	}
	~Win32KernelRef() { Reset(); }

	T* Get() const { return m_object; }
	T* operator->() const { return m_object; }
	T& operator*() const { return *m_object; }
	explicit operator bool() const { return m_object != nullptr; }

	// Gives up the reference without releasing it.
	T* Detach()
	{
		T* object = m_object;
		m_object = nullptr;
		return object;
	}

private:
	void Reset()
	{
		if (m_object)
			m_object->Release();
		m_object = nullptr;
	}

	T* m_object = nullptr;
};

template <class T>
Win32KernelRef<T> Win32KernelObject::FromHandle(HANDLE handle)
{
	Win32KernelRef<Win32KernelObject> found = Find(handle);
	T* object = dynamic_cast<T*>(found.Get());
	if (!object)
	{
		SetInvalidHandleError();
		return Win32KernelRef<T>();
	}
	found.Detach();
	return Win32KernelRef<T>(object);
}

// Closes the handle; the object is destroyed once no call is inside it.
BOOL CloseHandle(HANDLE handle);

// WAIT_OBJECT_0 when the object is (or becomes) signalled within the time,
// WAIT_TIMEOUT when not, WAIT_FAILED for a bad handle.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
