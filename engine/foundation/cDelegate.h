#pragma once
// One-argument callables bound to an object and member function, or to a
// free function, held through shared pointers.

#include "engine/foundation/cSharedPtr.h"

#include <cstdint>
#include <cstring>

template <class T>
class cDelegate
{
public:
	// The bound object (member delegates) or the function (function delegates).
	virtual const void* GetObject() const = 0;
	// The bound member function's code, or null for function delegates.
	virtual const void* GetFunction() const = 0;
	virtual ~cDelegate() = default;
	virtual void Invoke(T argument) = 0;
};

template <class C, class T>
class cMemberDelegate : public cDelegate<T>
{
public:
	typedef void (C::*Method)(T);

	cMemberDelegate(C* object, Method method) : m_object(object), m_method(method) {}

	const void* GetObject() const override { return m_object; }

	// A member-function pointer starts with the code address (or, for a
	// virtual function, its table offset); that word names the function.
	const void* GetFunction() const override
	{
		uintptr_t word = 0;
		std::memcpy(&word, &m_method, sizeof(word));
		return reinterpret_cast<const void*>(word);
	}

	void Invoke(T argument) override { (m_object->*m_method)(argument); }

private:
	C* m_object;
	Method m_method;
};

template <class T>
class cFunctionDelegate : public cDelegate<T>
{
public:
	typedef void (*Function)(T);

	explicit cFunctionDelegate(Function function) : m_function(function) {}

	const void* GetObject() const override { return reinterpret_cast<const void*>(m_function); }
	const void* GetFunction() const override { return nullptr; }
	void Invoke(T argument) override { m_function(argument); }

private:
	Function m_function;
};

template <class T>
class cDelegatePtr : public cSharedPtr<cDelegate<T>>
{
public:
	cDelegatePtr() = default;
	explicit cDelegatePtr(cDelegate<T>* delegate) : cSharedPtr<cDelegate<T>>(delegate) {}

	void Assign(const cDelegatePtr& other) { *this = other; }

	void Invoke(T argument) const
	{
		if (this->Get())
			this->Get()->Invoke(argument);
	}

	// Equal when both are empty, or both bind the same object and function.
	bool operator==(const cDelegatePtr& other) const
	{
		const cDelegate<T>* a = this->Get();
		const cDelegate<T>* b = other.Get();
		if (!a || !b)
			return a == b;
		return a->GetObject() == b->GetObject() && a->GetFunction() == b->GetFunction();
	}
};

template <class T>
cFunctionDelegate<T>* MakeFunctionDelegate(void (*function)(T))
{
	return new cFunctionDelegate<T>(function);
}

template <class C, class T>
cMemberDelegate<C, T>* MakeMemberDelegate(C* object, void (C::*method)(T))
{
	return new cMemberDelegate<C, T>(object, method);
}
