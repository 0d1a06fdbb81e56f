#include "engine/foundation/Clamp.h"
#include "engine/foundation/ContainerUtils.h"
#include "engine/foundation/StringUtils.h"

#include <gtest/gtest.h>

TEST(Clamp, BoundsInEitherOrder)
{
	EXPECT_EQ(Clamp(5, 10, 0), 5);
	EXPECT_EQ(Clamp(5, 0, 10), 5);
	EXPECT_EQ(Clamp(-1, 10, 0), 0);
	EXPECT_EQ(Clamp(11, 0, 10), 10);
	EXPECT_EQ(Clamp(11, 10, 0), 10);
}

TEST(ContainerUtils, IndexOf)
{
	int a = 0, b = 0, c = 0;
	std::vector<int*> empty;
	EXPECT_EQ(IndexOf(empty, &a), -1);
	std::vector<int*> items{&a, &b, &a};
	EXPECT_EQ(IndexOf(items, &a), 0);
	EXPECT_EQ(IndexOf(items, &b), 1);
	EXPECT_EQ(IndexOf(items, &c), -1);
}

TEST(ContainerUtils, AddToListOnceAddsOnlyNewPointers)
{
	int a = 0, b = 0;
	std::list<int*> list{&a};
	EXPECT_FALSE(AddToListOnce(list, &a));
	EXPECT_EQ(list, (std::list<int*>{&a}));
	EXPECT_TRUE(AddToListOnce(list, &b));
	EXPECT_EQ(list, (std::list<int*>{&a, &b}));
}

TEST(ContainerUtils, RemoveFromVectorRemovesTheFirstOnly)
{
	int a = 0, b = 0, c = 0;
	std::vector<int*> items{&b, &a, &c, &a};
	EXPECT_TRUE(RemoveFromVector(items, &a));
	EXPECT_EQ(items, (std::vector<int*>{&b, &c, &a}));
	EXPECT_FALSE(RemoveFromVector(items, static_cast<int*>(nullptr)));
	EXPECT_EQ(items.size(), 3u);
}

TEST(StringUtils, TrimString)
{
	struct sCase
	{
		std::string in;
		std::string out;
	};
	const sCase cases[] = {
		{"\t  ok\r\n", "ok"},
		{"     ", ""},
		{"", ""},
		{"\xC3\xA9t\xC3\xA9", "\xC3\xA9t\xC3\xA9"},   // accented letters at both ends stay whole
		{std::string("\x01 a b\x7F\x00", 7), "a b\x7F"}, // a zero byte counts as blank
	};
	for (const sCase& c : cases)
	{
		std::string text = c.in;
		TrimString(text);
		EXPECT_EQ(text, c.out) << "input: " << c.in;
	}
}

TEST(StringUtils, TrimWide)
{
	struct sCase
	{
		std::wstring in;
		std::wstring out;
	};
	const sCase cases[] = {
		{L"  Ann Lee \t", L"Ann Lee"},
		{L" \r\n ", L""},
		{std::wstring(L"\0x\0", 3), L"x"},
		{L"\x00A0\x0416\xD83D\xDE00", L"\x00A0\x0416\xD83D\xDE00"}, // units above 32 stay, surrogates too
	};
	for (const sCase& c : cases)
		EXPECT_EQ(TrimWide(c.in), c.out);
}

TEST(StringUtils, ReplaceAll)
{
	struct sCase
	{
		std::string text;
		std::string from;
		const char* to;
		std::string out;
	};
	const sCase cases[] = {
		{"a\nb\nc", "\n", "&#xD;&#xA;", "a&#xD;&#xA;b&#xD;&#xA;c"},
		{"nothing here", "\n", "x", "nothing here"},
		{"&amp;amp; &lt;", "&amp;", "&", "& &lt;"},   // text formed by a replacement is replaced again
		{"\\n\\n", "\\n", "\n", "\n\n"},
		{"abc", "", "x", "abc"},                         // an empty pattern changes nothing
		{"a-a", "a", "aa", "aa-aa"},                     // a replacement containing the pattern ends
	};
	for (const sCase& c : cases)
	{
		std::string text = c.text;
		ReplaceAll(text, c.from, c.to);
		EXPECT_EQ(text, c.out) << "text: " << c.text;
	}
}

TEST(StringUtils, StringToInt)
{
	EXPECT_EQ(StringToInt(" 42abc"), 42);
	EXPECT_EQ(StringToInt("abc"), 0);
	EXPECT_EQ(StringToInt("\t-17"), -17);
	EXPECT_EQ(StringToInt("+8"), 8);
	EXPECT_EQ(StringToInt(""), 0);
	EXPECT_EQ(StringToInt("99999999999"), 2147483647);
	EXPECT_EQ(StringToInt("-2147483648"), -2147483647 - 1);
}

TEST(StringUtils, Utf8FromWide)
{
	EXPECT_EQ(Utf8FromWide(std::wstring{0x48, 0xE9, 0x20AC}), "H\xC3\xA9\xE2\x82\xAC");
}
