#pragma once
// One line of a dialogue: the character who says it (the key of its cloud)
// and the text, as UTF-16 code units.

#include <string>

struct sDialogLine
{
	std::string character;
	std::wstring text;
};
