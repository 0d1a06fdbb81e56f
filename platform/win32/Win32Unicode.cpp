#include "platform/win32/Win32Unicode.h"

#include <cstdint>

namespace
{
bool IsHighSurrogate(uint32_t unit)
{
	return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(uint32_t unit)
{
	return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The length of the sequence a lead byte starts; 0 for a byte that starts none.
int SequenceLength(unsigned char lead)
{
	if (lead < 0x80)
		return 1;
	if ((lead >> 5) == 0x6)
		return 2;
	if ((lead >> 4) == 0xE)
		return 3;
	if ((lead >> 3) == 0x1E)
		return 4;
	return 0;
}
}

namespace win32
{
std::u16string Utf8ToUtf16(const char* text)
{
	std::u16string out;
	auto bytes = reinterpret_cast<const unsigned char*>(text);
	while (*bytes)
	{
		int length = SequenceLength(*bytes);
		uint32_t code = length > 1 ? *bytes & (0x7F >> length) : *bytes;
		for (int i = 1; i < length; ++i)
		{
			if ((bytes[i] & 0xC0) != 0x80)
			{
				length = 0;
				break;
			}
			code = (code << 6) | (bytes[i] & 0x3F);
		}
		if (length == 0 || code > 0x10FFFF || IsHighSurrogate(code) || IsLowSurrogate(code))
		{
			out += u'\uFFFD';
			++bytes;
			continue;
		}
		if (code >= 0x10000)
		{
			code -= 0x10000;
			out += static_cast<char16_t>(0xD800 + (code >> 10));
			out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
		}
		else
			out += static_cast<char16_t>(code);
		bytes += length;
	}
	return out;
}

std::string Utf16ToUtf8(const std::u16string& text)
{
	std::string out;
	for (size_t i = 0; i < text.size(); ++i)
	{
		uint32_t code = text[i];
		if (IsHighSurrogate(code) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
			code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
		else if (IsHighSurrogate(code) || IsLowSurrogate(code))
			code = 0xFFFD;

		if (code < 0x80)
			out += static_cast<char>(code);
		else if (code < 0x800)
			out += {static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F))};
		else if (code < 0x10000)
			out += {static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
				static_cast<char>(0x80 | (code & 0x3F))};
		else
			out += {static_cast<char>(0xF0 | (code >> 18)), static_cast<char>(0x80 | ((code >> 12) & 0x3F)),
				static_cast<char>(0x80 | ((code >> 6) & 0x3F)), static_cast<char>(0x80 | (code & 0x3F))};
	}
	return out;
}
}
