#pragma once
// Reference-counted pointer: the object and a separately allocated count
// shared by every copy. The last release deletes the object.

template <class T>
class cSharedPtr
{
public:
	cSharedPtr() = default;

	explicit cSharedPtr(T* p) : m_object(p), m_count(p ? new int(1) : nullptr) {}

	cSharedPtr(const cSharedPtr& other) : m_object(other.m_object), m_count(other.m_count)
	{
		if (m_count)
			++*m_count;
	}

	~cSharedPtr() { Release(); }

	// The new share is taken before the old one is released, so assigning
	// a pointer to itself, or from one that only this one keeps alive, is safe.
	cSharedPtr& operator=(const cSharedPtr& other)
	{
		if (other.m_count)
			++*other.m_count;
		T* object = other.m_object;
		int* count = other.m_count;
		Release();
		m_object = object;
		m_count = count;
		return *this;
	}

	// Adopts p with a new count of 1 and returns the count cell. Resetting to
	// the object already held keeps it as it is.
	int* Reset(T* p)
	{
		if (p && p == m_object)
			return m_count;
		Release();
		m_object = p;
		m_count = p ? new int(1) : nullptr;
		return m_count;
	}

	T* Get() const { return m_object; }
	T* operator->() const { return m_object; }
	T& operator*() const { return *m_object; }
	explicit operator bool() const { return m_object != nullptr; }
	int UseCount() const { return m_count ? *m_count : 0; }

private:
	void Release()
	{
		if (m_count)
		{
			if (--*m_count <= 0)
			{
				delete m_object;
				delete m_count;
			}
		}
		m_object = nullptr;
		m_count = nullptr;
	}

	T* m_object = nullptr;
	int* m_count = nullptr;
};
