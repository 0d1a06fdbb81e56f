#include "engine/foundation/TextConversion.h"

#include <gtest/gtest.h>

namespace
{
std::wstring ToWide(const std::string& utf8)
{
	std::wstring out = L"stale";
	Utf8ToWide(utf8, out);
	return out;
}

std::string ToUtf8(const std::wstring& wide)
{
	std::string out = "stale";
	WideToUtf8(wide, out);
	return out;
}
}

TEST(TextConversion, Utf8ToWide)
{
	struct sCase
	{
		std::string in;
		std::wstring out;
	};
	const sCase cases[] = {
		{"", L""},
		{"Ab", L"Ab"},
		{"\xC3\xA9", std::wstring{0xE9}},
		{"\xE2\x82\xAC", std::wstring{0x20AC}},
		{"\xED\xA0\x80\xED\xB0\x80", std::wstring{0xD800, 0xDC00}}, // surrogates come back one by one
		{"\xF0\x9F\x98\x80", std::wstring{0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD}}, // four-byte sequences are not read
		{std::string("a\0b", 3), L"a"},                                 // a zero byte ends the text
		{"\x80\x41", std::wstring{0xFFFD, 0x41}},                       // an invalid lead byte advances by one
		{"x\xE2\x82", std::wstring{0x78, 0xFFFD}},                      // a cut sequence stops at the end
		{"\xC3", std::wstring{0xFFFD}},
	};
	for (const sCase& c : cases)
		EXPECT_EQ(ToWide(c.in), c.out);
}

TEST(TextConversion, DecodeStopsAtTheTerminator)
{
	const unsigned char cut[] = {0xE2, 0x82, 0x00, 0x41};
	wchar_t unit = 0;
	EXPECT_EQ(DecodeUtf8Char(cut, &unit), 2);
	EXPECT_EQ(unit, 0xFFFD);
	const unsigned char invalid[] = {0xFF, 0x00};
	EXPECT_EQ(DecodeUtf8Char(invalid, &unit), 1);
	EXPECT_EQ(unit, 0xFFFD);
}

TEST(TextConversion, WideToUtf8)
{
	struct sCase
	{
		std::wstring in;
		std::string out;
	};
	const sCase cases[] = {
		{L"", ""},
		{std::wstring{0xE9}, "\xC3\xA9"},
		{std::wstring{0x20AC}, "\xE2\x82\xAC"},
		{std::wstring{0xD800}, "\xED\xA0\x80"},
		{std::wstring{0x41, 0x00, 0x42}, std::string("A\0B", 3)}, // zero units are written too
		{std::wstring{0x7F, 0x80, 0x7FF, 0x800, 0xFFFF}, "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF"},
	};
	for (const sCase& c : cases)
		EXPECT_EQ(ToUtf8(c.in), c.out);
}

TEST(TextConversion, RoundTripsEveryUnit)
{
	std::wstring all;
	for (wchar_t unit = 1; unit <= 0xFFFF; ++unit)
		all += unit;
	EXPECT_EQ(ToWide(ToUtf8(all)), all);
}
