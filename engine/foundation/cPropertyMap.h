#pragma once
// Text keys (compared bytewise) to property entries. Indexing an absent key
// inserts an empty entry.

#include "engine/foundation/sPropertyEntry.h"

#include <map>
#include <string>

class cPropertyMap : public std::map<std::string, sPropertyEntry>
{
public:
	// The key's current text (inserting an empty entry when absent). The
	// reference stays valid until the key is read again or the map changes.
	const std::string& GetText(const std::string& key);
	// Sets the key from text; a key without a value gets a stored text.
	void SetText(const std::string& key, const std::string& text);

	void BindIntVariable(const std::string& name, int* variable);
	void BindBoolVariable(const std::string& name, bool* variable);
	void BindFloatVariable(const std::string& name, float* variable);
	void BindString(const std::string& name, const cDelegatePtr<std::string*>& getter,
		const cDelegatePtr<std::string*>& setter);
	void BindInt(const std::string& name, const cDelegatePtr<int*>& getter, const cDelegatePtr<int*>& setter);
	void BindBool(const std::string& name, const cDelegatePtr<bool*>& getter, const cDelegatePtr<bool*>& setter);
	void BindFloat(const std::string& name, const cDelegatePtr<float*>& getter, const cDelegatePtr<float*>& setter);

private:
	void Bind(const std::string& name, PropertyValue* value);
};
