#pragma once
// Holds one reference to a resource (or nothing). Copies take their own
// reference; assignment takes the new reference before giving back the
// old one, so rebinding a handle to the resource it holds never unloads it.

#include "engine/resources/cResourceManager.h"

class cResourceHandle
{
public:
	cResourceHandle() = default;
	// Keeps the reference that a lookup took for its caller.
	explicit cResourceHandle(cResource* lookedUp) : m_resource(lookedUp) {}
	cResourceHandle(const cResourceHandle& other);
	cResourceHandle& operator=(const cResourceHandle& other);
	~cResourceHandle();

	// A handle bound to the resource of class T with the name (empty when
	// not found).
	template <class T>
	static cResourceHandle InitByName(const std::string& name)
	{
		return cResourceHandle(cResourceManager::GetResourceByName<T>(name));
	}

	// Looks the name up first, then gives back the resource held before.
	template <class T>
	void BindByName(const char* name)
	{
		Adopt(cResourceManager::GetResourceByName<T>(name ? name : ""));
	}

	// Gives back the resource held before and keeps the reference that a
	// lookup took for its caller.
	void Adopt(cResource* lookedUp);
	// Gives back the resource held and becomes empty.
	void Reset() { Adopt(nullptr); }

	cResource* Get() const { return m_resource; }
	// The held resource as the class it was looked up as.
	template <class T>
	T* Get() const
	{
		return static_cast<T*>(m_resource);
	}
	explicit operator bool() const { return m_resource != nullptr; }

private:
	cResource* m_resource = nullptr;
};
