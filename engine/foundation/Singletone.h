#pragma once
// One-of-a-kind managers: created on first use, destroyed together at
// process exit, the most recently created first. A manager may also be
// deleted earlier. A destroyed manager is no longer the instance: Exists()
// is false again and GetInstance() makes a new one.

class NoCopy
{
public:
	NoCopy() = default;
	NoCopy(const NoCopy&) = delete;
	NoCopy& operator=(const NoCopy&) = delete;
};

class SingletoneBase : public NoCopy
{
public:
	// Puts the new object at the front of the process-wide list.
	SingletoneBase();
	// Leaves the list, so that a manager deleted before exit is not
	// deleted again there.
	virtual ~SingletoneBase();

private:
	friend void ForgetAllSingletons();
	// Stops being the instance, without destruction.
	virtual void Forget() = 0;
};

// Deletes every listed singleton, front first. Runs once at process exit.
void DestroyAllSingletons();
// Empties the list without deleting anything: every manager is made anew
// on its next use. For a forked child process, whose copies of its
// parent's managers hold the parent's devices and connections.
void ForgetAllSingletons();

template <class T>
class Singletone : public SingletoneBase
{
public:
	~Singletone() override { Forget(); }

	static T* Create()
	{
		T* object = new T;
		s_instance = object;
		s_self = object;
		return object;
	}

	static T* GetInstance()
	{
		return s_instance ? s_instance : Create();
	}

	// True once the manager exists; asking never creates it.
	static bool Exists()
	{
		return s_instance != nullptr;
	}

private:
	void Forget() override
	{
		if (s_self == this)
		{
			s_instance = nullptr;
			s_self = nullptr;
		}
	}

	static inline T* s_instance = nullptr;
	// The instance as this base: what a destructor compares itself with
	// once the derived part is gone.
	static inline Singletone* s_self = nullptr;
};
