#pragma once
// UTF-8 and UTF-16 conversions for the layer's text events. Not for engine
// code (the engine has its own conversions).

#include <string>

namespace win32
{
// Malformed bytes become U+FFFD.
std::u16string Utf8ToUtf16(const char* text);
// Surrogate pairs are combined; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const std::u16string& text);
}
