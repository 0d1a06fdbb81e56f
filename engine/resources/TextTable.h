#pragma once
// A table of localised texts: chapter, section and phrase names (8-bit,
// compared exactly) to UTF-16 text.

#include <map>
#include <string>

typedef std::map<std::string, std::wstring> PhraseTable;
typedef std::map<std::string, PhraseTable> SectionTable;
typedef std::map<std::string, SectionTable> TextTable;

// The UTF-16 form of a phrase's "text" attribute, in which every backslash
// followed by n becomes a line feed.
std::wstring PhraseText(std::string text);
