#pragma once
// What a character asks of the scene object it stands in when it joins a
// set: the location form keeps the sets of its characters by name and
// implements this.

#include <string>

class cCharacter;
class cCharacterSet;

class cCharacterSetOwner
{
public:
	virtual ~cCharacterSetOwner() = default;

	// Finds the set of the name, or creates it under the owner, and adds
	// the character to it.
	virtual cCharacterSet* GetCharacterSet(const std::string& name, cCharacter* character) = 0;
};
