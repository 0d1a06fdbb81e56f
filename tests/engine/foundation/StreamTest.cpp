#include "TempFolder.h"

#include "engine/foundation/cFileStream.h"
#include "engine/foundation/cMemoryStream.h"
#include "engine/foundation/cSubStream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace
{
cMemoryStream MakeStream(const std::string& bytes)
{
	cMemoryStream stream;
	stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
	stream.Seek(0, cStream::FromStart);
	return stream;
}

std::string Contents(cMemoryStream& stream)
{
	return std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

// A stream that claims more bytes than it delivers, as a file that shrank does.
class cShortStream : public cMemoryStream
{
public:
	explicit cShortStream(uint32_t claimed) : m_claimed(claimed) {}
	uint32_t GetSize() override { return m_claimed; }

private:
	uint32_t m_claimed;
};
}

TEST(MemoryStream, SeekClampsForMemoryAndSubStreams)
{
	struct sCase
	{
		int32_t offset;
		int origin;
		uint32_t expected;
	};
	const sCase cases[] = {{-5, 0, 0}, {10, 2, 6}, {0, 2, 6}, {-2, 2, 4}, {3, 0, 3}, {2, 1, 5}, {-9, 1, 0}, {4, 7, 0}};
	cMemoryStream memory = MakeStream("abcdef");
	cMemoryStream parent = MakeStream("xxabcdefxx");
	cSubStream sub(&parent, 2, 6);
	for (cStream* stream : {static_cast<cStream*>(&memory), static_cast<cStream*>(&sub)})
	{
		stream->Seek(0, 0);
		for (const sCase& c : cases)
			EXPECT_EQ(stream->Seek(c.offset, c.origin), c.expected) << c.offset << " from " << c.origin;
		stream->Seek(0, 2);
		EXPECT_TRUE(stream->IsEnd());
		stream->Seek(3, 0);
		EXPECT_EQ(stream->Seek(99, 7), 3u); // an unknown origin only clamps
	}
}

TEST(MemoryStream, ReadWriteAndResize)
{
	cMemoryStream stream = MakeStream("abcd");
	stream.Seek(0, 2);
	char buffer[4] = {'q', 'q', 'q', 'q'};
	EXPECT_EQ(stream.Read(buffer, 4), 0u);
	EXPECT_EQ(buffer[0], 'q');

	stream.Seek(2, 0);
	EXPECT_EQ(stream.Write("XYZ", 3), 3u);
	EXPECT_EQ(stream.GetSize(), 5u);
	EXPECT_EQ(stream.Seek(0, 1), 5u);
	EXPECT_EQ(Contents(stream), "abXYZ");

	cMemoryStream ten = MakeStream("0123456789");
	ten.Seek(8, 0);
	EXPECT_TRUE(ten.SetSize(2));
	EXPECT_EQ(ten.GetSize(), 2u);
	EXPECT_EQ(ten.Seek(0, 1), 2u);
	EXPECT_TRUE(ten.SetSize(4)); // grown bytes are zero
	EXPECT_EQ(Contents(ten), std::string("01\0\0", 4));

	cMemoryStream copy(ten);
	EXPECT_EQ(Contents(copy), Contents(ten));
	EXPECT_EQ(copy.Seek(0, 1), 2u);
}

TEST(MemoryStream, ManySmallWritesGrowGeometrically)
{
	cMemoryStream stream;
	const uint8_t* previous = nullptr;
	int moves = 0;
	for (int i = 0; i < 100000; ++i)
	{
		stream.Write(&i, 1);
		if (stream.GetData() != previous)
			++moves;
		previous = stream.GetData();
	}
	EXPECT_EQ(stream.GetSize(), 100000u);
	EXPECT_LT(moves, 20);
}

TEST(MemoryStream, ReadAllHandsTheArrayOver)
{
	cMemoryStream stream = MakeStream("hello");
	std::unique_ptr<uint8_t[]> data(stream.ReadAll());
	EXPECT_EQ(memcmp(data.get(), "hello", 5), 0);
	EXPECT_EQ(stream.GetSize(), 0u);
	EXPECT_EQ(stream.Seek(0, 1), 0u);
	EXPECT_EQ(stream.GetData(), nullptr);
	stream.Write("ab", 2);
	EXPECT_EQ(Contents(stream), "ab");

	// The base ReadAll reads from the start, wherever the stream was.
	cMemoryStream parent = MakeStream("0123456789");
	cSubStream sub(&parent, 3, 4);
	sub.Seek(2, 0);
	std::unique_ptr<uint8_t[]> window(sub.cStream::ReadAll());
	EXPECT_EQ(memcmp(window.get(), "3456", 4), 0);
}

TEST(MemoryStream, CopyFromTakesWholeSourceOrWhatIsLeft)
{
	cMemoryStream source = MakeStream("0123456789");
	source.Seek(5, 0);
	cMemoryStream whole;
	whole.CopyFrom(source, cStream::WholeStream);
	EXPECT_EQ(Contents(whole), "0123456789");

	source.Seek(0, 0);
	cMemoryStream part = MakeStream("ab");
	part.Seek(1, 0);
	part.CopyFrom(source, 100);
	EXPECT_EQ(Contents(part), "a0123456789");
	EXPECT_EQ(part.Seek(0, 1), 11u);

	// The generic copy (through Write) behaves the same.
	cMemoryStream parent = MakeStream("..0123456789");
	cSubStream window(&parent, 2, 10);
	window.Seek(6, 0);
	cMemoryStream target;
	target.cStream::CopyFrom(window, 100);
	EXPECT_EQ(Contents(target), "6789");
}

TEST(MemoryStream, ShortReadsKeepOnlyTheBytesDelivered)
{
	cShortStream source(10);
	source.Write("abcd", 4);
	cMemoryStream copy(source);
	EXPECT_EQ(copy.GetSize(), 4u);
	EXPECT_EQ(Contents(copy), "abcd");

	cMemoryStream loaded = MakeStream("old contents");
	loaded.LoadFrom(source);
	EXPECT_EQ(Contents(loaded), "abcd");

	source.Seek(0, 0);
	cMemoryStream target = MakeStream("xy");
	target.Seek(0, 2);
	target.CopyFrom(source, 8);
	EXPECT_EQ(Contents(target), "xyabcd");
	EXPECT_EQ(target.Seek(0, 1), 6u);
}

TEST(SubStream, ReadsItsWindowOfTheParent)
{
	cMemoryStream parent = MakeStream("0123456789AB");
	cSubStream sub(&parent, 10, 4);
	char buffer[4] = {};
	EXPECT_EQ(sub.Read(buffer, 4), 2u); // the parent ends first
	EXPECT_EQ(std::string(buffer, 2), "AB");
	EXPECT_EQ(sub.Seek(0, 1), 2u);
	EXPECT_EQ(sub.Write("zz", 2), 0u);
	EXPECT_FALSE(sub.SetSize(1));
	EXPECT_EQ(sub.GetSize(), 4u);
}

TEST(FileStream, MissingFileLogsAndActsEmpty)
{
	cTempFolder folder;
	testing::internal::CaptureStderr();
	cFileStream stream("missing.bin", 3, 2, 2);
	std::string logged = testing::internal::GetCapturedStderr();
	EXPECT_NE(logged.find("Error: Could not open file: missing.bin error: 2"), std::string::npos) << logged;
	EXPECT_FALSE(stream.IsOpen());
	EXPECT_EQ(stream.GetSize(), 0u);
	EXPECT_FALSE(stream.IsEnd());
	EXPECT_EQ(stream.Seek(4, 0), 0u);
	char byte;
	EXPECT_EQ(stream.Read(&byte, 1), 0u);
	EXPECT_EQ(stream.Write("a", 1), 0u);
	EXPECT_FALSE(stream.SetSize(0));
}

TEST(FileStream, ReadsWritesSeeksAndResizes)
{
	cTempFolder folder;
	{
		cFileStream stream("data.bin", 2, 6, 2);
		ASSERT_TRUE(stream.IsOpen());
		EXPECT_EQ(stream.Write("0123456789", 10), 10u);
		EXPECT_EQ(stream.GetSize(), 10u);
		EXPECT_EQ(stream.Seek(-4, 2), 6u);
		EXPECT_EQ(stream.Seek(-10, 1), 0xFFFFFFFFu); // as the system reports it
		EXPECT_TRUE(stream.SetSize(4));
		EXPECT_EQ(stream.Seek(0, 1), 4u);
		EXPECT_TRUE(stream.Flush());
	}
	// Open-always keeps the contents.
	cFileStream again("DATA.bin", 2, 6, 2);
	EXPECT_EQ(again.GetSize(), 4u);
	cMemoryStream copy(again);
	EXPECT_EQ(Contents(copy), "0123");
	// Writing to a file opened for reading only fails with 0.
	cFileStream readOnly("data.bin", 3, 2, 2);
	EXPECT_EQ(readOnly.Write("x", 1), 0u);
}

TEST(FileStream, FullDiskWriteReportsZero)
{
	cFileStream full("/dev/full", 3, 4, 0);
	ASSERT_TRUE(full.IsOpen());
	EXPECT_EQ(full.Write("abc", 3), 0u);
}
