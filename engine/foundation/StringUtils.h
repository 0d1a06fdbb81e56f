#pragma once
// Small text helpers used across the engine.

#include <string>

// Removes every leading and trailing byte of value 0 to 32 (control
// characters and the space); bytes of 128 and above count as text.
void TrimString(std::string& text);

// The text without its leading and trailing UTF-16 units of value 0 to 32.
std::wstring TrimWide(const std::wstring& text);

// Replaces every occurrence of from by to, in place. Text formed by a
// replacement is searched again, so replacing "&amp;" by "&" turns
// "&amp;amp;" into "&". An empty from changes nothing; when to contains from,
// the search goes on after each inserted text, so it always ends.
void ReplaceAll(std::string& text, const std::string& from, const char* to);

// The UTF-8 form of UTF-16 text.
std::string Utf8FromWide(const std::wstring& text);

// The leading decimal integer of the text, as the C runtime's atoi reads it
// (white space skipped, an optional sign, digits up to the first other
// character); 0 when there is none. Values beyond int stop at its limits.
int StringToInt(const std::string& text);
