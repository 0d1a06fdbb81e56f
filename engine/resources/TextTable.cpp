#include "engine/resources/TextTable.h"

#include "engine/foundation/StringUtils.h"
#include "engine/foundation/TextConversion.h"

std::wstring PhraseText(std::string text)
{
	ReplaceAll(text, "\\n", "\n");
	std::wstring wide;
	Utf8ToWide(text, wide);
	return wide;
}
