#include "engine/foundation/cPropertyMap.h"

const std::string& cPropertyMap::GetText(const std::string& key)
{
	sPropertyEntry& entry = (*this)[key];
	if (entry.value)
		entry.value->GetValue(entry.text);
	return entry.text;
}

void cPropertyMap::SetText(const std::string& key, const std::string& text)
{
	sPropertyEntry& entry = (*this)[key];
	if (!entry.value)
		entry.value.Reset(new PropertyValueStore);
	entry.value->SetValue(text);
}

void cPropertyMap::Bind(const std::string& name, PropertyValue* value)
{
	(*this)[name].SetValue(cSharedPtr<PropertyValue>(value));
}

void cPropertyMap::BindIntVariable(const std::string& name, int* variable)
{
	Bind(name, new PropertyValueModifier<int>(variable));
}

void cPropertyMap::BindFloatVariable(const std::string& name, float* variable)
{
	Bind(name, new PropertyValueModifier<float>(variable));
}

void cPropertyMap::BindBoolVariable(const std::string& name, bool* variable)
{
	Bind(name, new PropertyValueModifier<bool>(variable));
}

void cPropertyMap::BindString(const std::string& name, const cDelegatePtr<std::string*>& getter,
	const cDelegatePtr<std::string*>& setter)
{
	Bind(name, new PropertyValueDelegate<std::string>(getter, setter));
}

void cPropertyMap::BindInt(const std::string& name, const cDelegatePtr<int*>& getter, const cDelegatePtr<int*>& setter)
{
	Bind(name, new PropertyValueDelegate<int>(getter, setter));
}

void cPropertyMap::BindBool(const std::string& name, const cDelegatePtr<bool*>& getter, const cDelegatePtr<bool*>& setter)
{
	Bind(name, new PropertyValueDelegate<bool>(getter, setter));
}

void cPropertyMap::BindFloat(const std::string& name, const cDelegatePtr<float*>& getter,
	const cDelegatePtr<float*>& setter)
{
	Bind(name, new PropertyValueDelegate<float>(getter, setter));
}
