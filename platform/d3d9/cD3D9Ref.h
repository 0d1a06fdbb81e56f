#pragma once
// An owning reference to one of the layer's objects: AddRef on assignment,
// Release when replaced or destroyed.

#include <utility>

template <class T>
class cD3D9Ref
{
public:
	cD3D9Ref() = default;
	cD3D9Ref(T* object) : m_object(object)
	{
		if (m_object)
			m_object->AddRef();
	}
	cD3D9Ref(const cD3D9Ref& other) : cD3D9Ref(other.m_object) {}

	// Takes over the reference a new object starts with.
	static cD3D9Ref Adopt(T* object)
	{
		cD3D9Ref ref;
		ref.m_object = object;
		return ref;
	}
	~cD3D9Ref() { Reset(); }

	cD3D9Ref& operator=(const cD3D9Ref& other)
	{
		cD3D9Ref copy(other);
		std::swap(m_object, copy.m_object);
		return *this;
	}

	void Reset()
	{
		T* object = std::exchange(m_object, nullptr);
		if (object)
			object->Release();
	}

	T* Get() const { return m_object; }
	T* operator->() const { return m_object; }
	explicit operator bool() const { return m_object != nullptr; }

	// Hands out one more reference through an interface out-parameter.
	template <class I>
	void CopyTo(I** out) const
	{
		*out = m_object;
		if (m_object)
			m_object->AddRef();
	}

private:
	T* m_object = nullptr;
};
