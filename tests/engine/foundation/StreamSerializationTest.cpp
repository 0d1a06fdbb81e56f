#include "engine/foundation/StreamSerialization.h"
#include "engine/foundation/cMemoryStream.h"

#include <gtest/gtest.h>

namespace
{
std::string Bytes(cMemoryStream& stream)
{
	return std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

cMemoryStream FromBytes(const std::string& bytes)
{
	cMemoryStream stream;
	stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
	stream.Seek(0, cStream::FromStart);
	return stream;
}
}

TEST(StreamSerialization, ByteLayouts)
{
	cMemoryStream stream;
	StreamWriteString(stream, "abc");
	StreamWriteString(stream, "");
	EXPECT_EQ(Bytes(stream), std::string("\3\0\0\0abc\0\0\0\0", 11));

	cMemoryStream wide;
	StreamWriteWideString(wide, std::wstring(L"A") + static_cast<wchar_t>(0xD83D));
	EXPECT_EQ(Bytes(wide), std::string("\2\0\0\0A\0\x3D\xD8", 8));

	cMemoryStream bools;
	StreamWriteStringBoolMap(bools, {{"k", true}});
	EXPECT_EQ(Bytes(bools), std::string("\1\0\0\0\1\0\0\0k\1", 10));

	cMemoryStream ints;
	StreamWriteStringIntMap(ints, {{"b", -1}, {"a", 2}});
	EXPECT_EQ(Bytes(ints), std::string("\2\0\0\0\1\0\0\0a\2\0\0\0\1\0\0\0b\xFF\xFF\xFF\xFF", 22));

	cMemoryStream list;
	StreamWriteStringList(list, {});
	EXPECT_EQ(Bytes(list), std::string("\0\0\0\0", 4));
}

TEST(StreamSerialization, RoundTripsAndReaderRules)
{
	cMemoryStream stream;
	StreamWriteStringList(stream, {"one", "two"});
	StreamWriteStringWideMap(stream, {{"title", L"Wide \x263A"}, {"empty", L""}});
	StreamWriteStringIntMap(stream, {});
	stream.Seek(0, cStream::FromStart);

	std::vector<std::string> list(5, "old");
	EXPECT_TRUE(StreamReadStringList(stream, list));
	EXPECT_EQ(list, (std::vector<std::string>{"one", "two"}));
	std::map<std::string, std::wstring> wide;
	EXPECT_TRUE(StreamReadStringWideMap(stream, wide));
	EXPECT_EQ(wide.at("title"), L"Wide \x263A");
	EXPECT_EQ(wide.at("empty"), L"");
	std::map<std::string, int> ints{{"stale", 1}};
	EXPECT_TRUE(StreamReadStringIntMap(stream, ints));
	EXPECT_TRUE(ints.empty());

	// A repeated key keeps its first value.
	cMemoryStream repeated = FromBytes(std::string("\2\0\0\0\1\0\0\0k\1\1\0\0\0k\0", 16));
	std::map<std::string, bool> bools;
	EXPECT_TRUE(StreamReadStringBoolMap(repeated, bools));
	EXPECT_EQ(bools.size(), 1u);
	EXPECT_TRUE(bools.at("k"));
}

TEST(StreamSerialization, HostileLengthsReadAsEmptyWithoutAllocating)
{
	cMemoryStream huge = FromBytes(std::string("\xFF\xFF\xFF\x7F" "abcdef", 10));
	std::string text = "previous";
	EXPECT_FALSE(StreamReadString(huge, text));
	EXPECT_EQ(text, "");

	cMemoryStream wide = FromBytes(std::string("\4\0\0\0A\0B\0", 8)); // 4 units announced, 2 present
	std::wstring value = L"previous";
	EXPECT_FALSE(StreamReadWideString(wide, value));
	EXPECT_EQ(value, L"");

	cMemoryStream empty;
	std::vector<std::string> list{"x"};
	EXPECT_FALSE(StreamReadStringList(empty, list));
	EXPECT_TRUE(list.empty());

	cMemoryStream count = FromBytes(std::string("\xFF\xFF\xFF\xFF", 4));
	std::map<std::string, int> map{{"old", 1}};
	EXPECT_FALSE(StreamReadStringIntMap(count, map));
	EXPECT_TRUE(map.empty());

	// A record cut inside its last entry stops there.
	cMemoryStream cut = FromBytes(std::string("\2\0\0\0\1\0\0\0a\5\0\0\0\1\0\0\0b\1", 19));
	std::map<std::string, int> partial;
	EXPECT_FALSE(StreamReadStringIntMap(cut, partial));
	EXPECT_EQ(partial.size(), 1u);
}
