#pragma once
// Values that convert to and from text: owning their text, bound to a
// variable, or bound to a getter and a setter. Numbers convert in the "C"
// locale whatever the user's locale is.

#include "engine/foundation/cDelegate.h"

#include <string>
#include <type_traits>

class PropertyValue
{
public:
	virtual ~PropertyValue() = default;
	virtual void SetValue(const std::string& text) = 0;
	virtual void GetValue(std::string& out) = 0;
};

// Holds the text itself.
class PropertyValueStore : public PropertyValue
{
public:
	PropertyValueStore() = default;
	explicit PropertyValueStore(const std::string& text) : m_text(text) {}
	void SetValue(const std::string& text) override { m_text = text; }
	void GetValue(std::string& out) override { out = m_text; }

private:
	std::string m_text;
};

// Text forms: ints as "%i" (atoi on the way in), bools "true"/"false"
// (true only from "1" and "true"), floats as "%f" (atof on the way in).
void IntToString(const int* value, std::string& out);
std::string IntToString(int value);
int TextToInt(const std::string& text);
bool TextToBool(const std::string& text);
const char* BoolToText(bool value);
float TextToFloat(const std::string& text);
std::string FloatToText(float value);

// The text conversions of one value type.
template <class T>
struct PropertyText;

template <>
struct PropertyText<int>
{
	static int Parse(const std::string& text) { return TextToInt(text); }
	static std::string Format(int value) { return IntToString(value); }
};

template <>
struct PropertyText<bool>
{
	static bool Parse(const std::string& text) { return TextToBool(text); }
	static std::string Format(bool value) { return BoolToText(value); }
};

template <>
struct PropertyText<float>
{
	static float Parse(const std::string& text) { return TextToFloat(text); }
	static std::string Format(float value) { return FloatToText(value); }
};

template <>
struct PropertyText<std::string>
{
	static const std::string& Parse(const std::string& text) { return text; }
	static const std::string& Format(const std::string& value) { return value; }
};

// Bound to a program variable, which must outlive the binding.
template <class T>
class PropertyValueModifier : public PropertyValue
{
public:
	explicit PropertyValueModifier(T* variable) : m_variable(variable) {}
	void SetValue(const std::string& text) override { *m_variable = PropertyText<T>::Parse(text); }
	void GetValue(std::string& out) override { out = PropertyText<T>::Format(*m_variable); }

private:
	T* m_variable;
};

// Bound to a getter and a setter, each called with a pointer to the value.
// A missing setter ignores writes; a missing getter leaves the text as it was.
template <class T>
class PropertyValueDelegate : public PropertyValue
{
public:
	PropertyValueDelegate(const cDelegatePtr<T*>& getter, const cDelegatePtr<T*>& setter)
		: m_getter(getter), m_setter(setter)
	{
	}

	~PropertyValueDelegate() override
	{
		// The setter is released first, then the getter.
		m_setter = cDelegatePtr<T*>();
		m_getter = cDelegatePtr<T*>();
	}

	void SetValue(const std::string& text) override
	{
		if (!m_setter)
			return;
		T value = PropertyText<T>::Parse(text);
		m_setter.Invoke(&value);
	}

	void GetValue(std::string& out) override
	{
		if (!m_getter)
			return;
		if constexpr (std::is_same_v<T, std::string>)
		{
			m_getter.Invoke(&out);
			return;
		}
		T value{};
		m_getter.Invoke(&value);
		out = PropertyText<T>::Format(value);
	}

private:
	cDelegatePtr<T*> m_getter;
	cDelegatePtr<T*> m_setter;
};
