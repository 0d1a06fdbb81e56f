#pragma once
// One key of a property map: its value (may be empty) and its cached text.

#include "engine/foundation/PropertyValue.h"
#include "engine/foundation/cSharedPtr.h"

#include <string>

struct sPropertyEntry
{
	// Binds a new value. The text the entry held passes into the new value,
	// so a variable bound late receives what was loaded earlier; an entry
	// that had no value hands nothing over.
	void SetValue(const cSharedPtr<PropertyValue>& newValue);

	cSharedPtr<PropertyValue> value;
	std::string text;
};
