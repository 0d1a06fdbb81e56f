#include "engine/foundation/sPropertyEntry.h"

void sPropertyEntry::SetValue(const cSharedPtr<PropertyValue>& newValue)
{
	bool hadValue = static_cast<bool>(value);
	std::string previous;
	if (hadValue)
	{
		value->GetValue(text);
		previous = text;
	}
	value = newValue;
	if (hadValue)
	{
		if (!value)
			value.Reset(new PropertyValueStore);
		value->SetValue(previous);
	}
}
