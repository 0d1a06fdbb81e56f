#include "engine/resources/cArchiver.h"
#include "engine/resources/cZlibArchiver.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace
{
cMemoryStream FromBytes(const std::string& bytes)
{
	cMemoryStream stream;
	stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
	stream.Seek(0, cStream::FromStart);
	return stream;
}

std::string Bytes(cMemoryStream& stream)
{
	return std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

std::string Random(size_t size)
{
	std::mt19937 random(3);
	std::string bytes(size, '\0');
	for (char& c : bytes)
		c = static_cast<char>(random());
	return bytes;
}

struct cFakeMethod : cArchiverMethod
{
	explicit cFakeMethod(const char* name) : m_name(name) {}
	const char* GetName() const override { return m_name; }
	bool Compress(cStream&, cMemoryStream& out) override { return out.Write("x", 1) == 1; }
	bool Uncompress(cStream&, cMemoryStream&) override { return false; }
	const char* m_name;
};
}

TEST(ZlibArchiver, RecordFormatRoundTrips)
{
	cZlibArchiver zlib;
	const std::string text(10000, 'a');
	cMemoryStream input = FromBytes(text);
	input.Seek(500, cStream::FromStart);
	cMemoryStream packed;
	ASSERT_TRUE(zlib.Compress(input, packed));
	EXPECT_EQ(input.Seek(0, cStream::FromCurrent), 0u);
	EXPECT_EQ(Bytes(packed).substr(0, 4), std::string("\x10\x27\0\0", 4));
	EXPECT_EQ(static_cast<uint8_t>(packed.GetData()[4]), 0x78); // a zlib header follows
	EXPECT_LT(packed.GetSize(), 200u);

	cMemoryStream unpacked;
	ASSERT_TRUE(zlib.Uncompress(packed, unpacked));
	EXPECT_EQ(Bytes(unpacked), text);

	// Empty input: a record with prefix 0 that unpacks to nothing.
	cMemoryStream nothing;
	cMemoryStream emptyRecord;
	ASSERT_TRUE(zlib.Compress(nothing, emptyRecord));
	EXPECT_EQ(Bytes(emptyRecord).substr(0, 4), std::string(4, '\0'));
	cMemoryStream none;
	EXPECT_TRUE(zlib.Uncompress(emptyRecord, none));
	EXPECT_EQ(none.GetSize(), 0u);

	// Incompressible data larger than the old fixed margin still packs.
	cMemoryStream noise = FromBytes(Random(2 << 20));
	cMemoryStream packedNoise;
	EXPECT_TRUE(zlib.Compress(noise, packedNoise));
}

TEST(ZlibArchiver, BadRecordsFailCleanly)
{
	cZlibArchiver zlib;
	cMemoryStream input = FromBytes(std::string(5000, 'z'));
	cMemoryStream packed;
	ASSERT_TRUE(zlib.Compress(input, packed));
	const std::string record = Bytes(packed);

	struct sCase
	{
		std::string bytes;
		bool logged;
	};
	std::string smallPrefix = record;
	smallPrefix[0] = 100, smallPrefix[1] = 0;
	std::string hugePrefix = record;
	hugePrefix.replace(0, 4, "\xFF\xFF\xFF\xFF");
	std::string overstated = record;
	overstated.replace(0, 4, std::string("\x88\x20\0\0", 4)); // 8328 bytes announced, 5000 delivered
	const sCase cases[] = {
		{"", false},
		{"\1\2\3", true},
		{smallPrefix, true},
		{hugePrefix, true},
		{record.substr(0, record.size() - 3), true},
		{std::string("\4\0\0\0garbage", 11), true},
	};
	for (const sCase& c : cases)
	{
		cMemoryStream in = FromBytes(c.bytes);
		cMemoryStream out;
		testing::internal::CaptureStderr();
		EXPECT_FALSE(zlib.Uncompress(in, out)) << c.bytes.size();
		std::string logged = testing::internal::GetCapturedStderr();
		EXPECT_EQ(logged.find("Error: zlib uncompression failed") != std::string::npos, c.logged) << logged;
	}

	// A prefix larger than what zlib delivers keeps only the delivered bytes.
	cMemoryStream in = FromBytes(overstated);
	cMemoryStream out;
	EXPECT_TRUE(zlib.Uncompress(in, out));
	EXPECT_EQ(out.GetSize(), 5000u);
}

TEST(Archiver, ChoosesAndDispatchesMethods)
{
	cArchiver* archiver = Singletone<cArchiver>::GetInstance();
	std::vector<std::string> names{"before"};
	archiver->GetMethodNames(names);
	EXPECT_EQ(names, (std::vector<std::string>{"before", "", "Zlib"}));

	cMemoryStream text = FromBytes(std::string(4000, 'q'));
	cMemoryStream out;
	std::string used = "stale";
	EXPECT_TRUE(archiver->Compress(text, out, cArchiver::UseDefault, used));
	EXPECT_EQ(used, "Zlib");
	cMemoryStream back;
	EXPECT_TRUE(archiver->Decompress(out, back, used));
	EXPECT_EQ(Bytes(back), std::string(4000, 'q'));

	cMemoryStream noise = FromBytes(Random(3000));
	cMemoryStream smallest;
	EXPECT_TRUE(archiver->Compress(noise, smallest, cArchiver::UseSmallest, used));
	EXPECT_EQ(used, "");
	EXPECT_EQ(Bytes(smallest), Bytes(noise));

	cMemoryStream stored;
	EXPECT_TRUE(archiver->Compress(text, stored, cArchiver::Store, used));
	EXPECT_EQ(used, "");
	EXPECT_EQ(stored.GetSize(), 4000u);
	cMemoryStream copy;
	EXPECT_TRUE(archiver->Decompress(stored, copy, ""));
	EXPECT_EQ(copy.GetSize(), 4000u);

	testing::internal::CaptureStderr();
	EXPECT_FALSE(archiver->Decompress(stored, copy, "Lzma"));
	EXPECT_NE(testing::internal::GetCapturedStderr().find("Error: archiver method not found \n"), std::string::npos);
}

// On a registry of its own: the process-wide one keeps its methods for the
// tests after this one.
TEST(Archiver, RegisteringReplacesByNameAndSmallestWins)
{
	cArchiver archiver;
	archiver.Register(new cFakeMethod("Tiny"));
	cMemoryStream text = FromBytes(std::string(4000, 'q'));
	cMemoryStream out;
	std::string used;
	archiver.Compress(text, out, cArchiver::UseSmallest, used);
	EXPECT_EQ(used, "Tiny");
	EXPECT_EQ(Bytes(out), "x");
	archiver.Compress(text, out, cArchiver::UseDefault, used);
	EXPECT_EQ(used, "Zlib");

	archiver.Register(new cFakeMethod("Zlib"));
	archiver.Compress(text, out, cArchiver::UseDefault, used);
	EXPECT_EQ(used, "Zlib");
	EXPECT_EQ(Bytes(out), "x");
}
