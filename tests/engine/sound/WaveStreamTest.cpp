// The WAVE decoder: formats, chunk layouts, cursors and damaged files.

#include "SoundTestSupport.h"
#include "WaveBuilder.h"

#include "engine/sound/SoundDecoders.h"
#include "engine/sound/cOggStream.h"
#include "engine/sound/cWaveStream.h"

#include <gtest/gtest.h>

#include <random>

namespace
{
std::unique_ptr<cSoundStream> Wave(const std::string& bytes)
{
	return Decoder(cWaveStream::Create, bytes);
}

std::string ReadAll(cSoundStream& decoder, uint32_t piece = 4096)
{
	sSoundCursor cursor;
	decoder.Rewind(cursor);
	return ReadBytes(decoder, cursor, decoder.GetPcmSize() + 100, piece);
}

struct sFormatCase
{
	int channels;
	int bits;
	uint32_t rate;
};

class WaveFormats : public testing::TestWithParam<sFormatCase>
{
};
}

TEST_P(WaveFormats, DecodeTheDataChunkSampleBySample)
{
	const sFormatCase& c = GetParam();
	const int frames = 1001;
	std::unique_ptr<cSoundStream> decoder = Wave(PcmWave(frames, c.channels, c.bits, c.rate));
	ASSERT_NE(decoder, nullptr);
	const WAVEFORMATEX* format = decoder->GetFormat();
	EXPECT_EQ(format->wFormatTag, 1);
	EXPECT_EQ(format->nChannels, c.channels);
	EXPECT_EQ(format->nSamplesPerSec, c.rate);
	EXPECT_EQ(format->wBitsPerSample, c.bits);
	EXPECT_EQ(format->nBlockAlign, c.channels * c.bits / 8);
	EXPECT_EQ(format->cbSize, 0);
	const std::string expected = Samples(frames, c.channels, c.bits);
	EXPECT_EQ(decoder->GetPcmSize(), expected.size());
	EXPECT_FLOAT_EQ(decoder->GetLength(), static_cast<float>(expected.size()) / (format->nBlockAlign * c.rate));
	for (uint32_t piece : {1u, 3u, 4096u})
		EXPECT_EQ(ReadAll(*decoder, piece), expected) << "in reads of " << piece;
}

INSTANTIATE_TEST_SUITE_P(Sound, WaveFormats,
	testing::Values(sFormatCase{2, 16, 44100}, sFormatCase{1, 16, 22050}, sFormatCase{1, 8, 11025},
		sFormatCase{2, 8, 8000}));

TEST(WaveStream, StandardFileStartsItsDataAtOffset44)
{
	std::unique_ptr<cSoundStream> decoder = Wave(PcmWave(44100, 2, 16, 44100));
	ASSERT_NE(decoder, nullptr);
	sSoundCursor cursor;
	cursor.ended = true;
	decoder->Rewind(cursor);
	EXPECT_FALSE(cursor.ended);
	EXPECT_EQ(cursor.position, 44);
	EXPECT_EQ(decoder->GetPcmSize(), 176400u);
	EXPECT_FLOAT_EQ(decoder->GetLength(), 1.0f);
	EXPECT_FALSE(decoder->IsBusy());
	std::string half(88200, '\0');
	decoder->Read(cursor, half.data(), 88200);
	EXPECT_FLOAT_EQ(decoder->GetPosition(), 0.5f);
}

TEST(WaveStream, WalksOverOtherChunksAndTheirPadBytes)
{
	const std::string samples = Samples(300, 2, 16);
	// An odd-sized chunk shifts everything after it by a pad byte; a chunk
	// whose payload spells "data" must not be taken for the data.
	const std::string layouts[] = {
		Riff(Chunk("LIST", "abcde") + Chunk("fmt ", FormatRecord(1, 2, 44100, 16)) + Chunk("data", samples)),
		Riff(Chunk("fmt ", FormatRecord(1, 2, 44100, 16)) + Chunk("fact", "xyz") + Chunk("data", samples)),
		Riff(Chunk("fmt ", FormatRecord(1, 2, 44100, 16)) + Chunk("note", "data" + LittleEndian(8, 4) + "fake!")
			+ Chunk("data", samples) + Chunk("cue ", "trailing")),
		Riff(Chunk("data", samples) + Chunk("fmt ", FormatRecord(1, 2, 44100, 16))),
	};
	for (const std::string& bytes : layouts)
	{
		std::unique_ptr<cSoundStream> decoder = Wave(bytes);
		ASSERT_NE(decoder, nullptr);
		EXPECT_EQ(decoder->GetPcmSize(), samples.size());
		EXPECT_EQ(ReadAll(*decoder), samples);
	}
}

TEST(WaveStream, DecodesFromTheStreamsPositionAndLeavesRefusedStreamsWhereTheyWere)
{
	const std::string prefix = "some bytes in front";
	const std::string wave = PcmWave(10, 1, 8, 8000);
	cMemoryStream* stream = MemoryStream(prefix + wave);
	stream->Seek(static_cast<int32_t>(prefix.size()), cStream::FromStart);
	std::unique_ptr<cSoundStream> decoder(cWaveStream::Create(stream));
	ASSERT_NE(decoder, nullptr);
	EXPECT_EQ(ReadAll(*decoder), Samples(10, 1, 8));

	cMemoryStream refused;
	std::string bad = Riff(Chunk("fmt ", FormatRecord(1, 0, 8000, 8)));
	refused.Write(bad.data(), static_cast<uint32_t>(bad.size()));
	refused.Seek(3, cStream::FromStart);
	EXPECT_EQ(cWaveStream::Create(&refused), nullptr);
	EXPECT_EQ(refused.GetPosition(), 3u);
}

TEST(WaveStream, RefusesFormatsItCannotPlay)
{
	const std::string data = Chunk("data", Samples(10, 2, 16));
	const std::string refused[] = {
		Riff(Chunk("fmt ", FormatRecord(1, 2, 44100, 16) + LittleEndian(0, 2)) + data), // 18-byte record
		Riff(Chunk("fmt ", FormatRecord(1, 2, 44100, 16).substr(0, 14)) + data),        // too short
		Riff(Chunk("fmt ", FormatRecord(3, 2, 44100, 16)) + data),                       // not PCM
		Riff(Chunk("fmt ", FormatRecord(1, 0, 44100, 16)) + data),                       // no channels
		Riff(Chunk("fmt ", FormatRecord(1, 2, 0, 16)) + data),                           // no rate
		Riff(Chunk("fmt ", FormatRecord(1, 2, 44100, 0)) + data),                        // no block size
		Riff(data),                                                                      // no format
		"RIFX" + PcmWave(10, 2, 16, 44100).substr(4),
		PcmWave(10, 2, 16, 44100).replace(8, 4, "AVI "),
		"",
	};
	for (const std::string& bytes : refused)
		EXPECT_EQ(Wave(bytes), nullptr) << testing::PrintToString(bytes);
}

TEST(WaveStream, AcceptsAFileWithoutDataAsSilence)
{
	std::unique_ptr<cSoundStream> decoder = Wave(Riff(Chunk("fmt ", FormatRecord(1, 2, 44100, 16))));
	ASSERT_NE(decoder, nullptr);
	EXPECT_EQ(decoder->GetPcmSize(), 0u);
	EXPECT_EQ(decoder->GetLength(), 0.0f);
	char buffer[64];
	for (bool loop : {false, true})
	{
		sSoundCursor cursor;
		cursor.loop = loop;
		decoder->Rewind(cursor);
		EXPECT_EQ(decoder->Read(cursor, buffer, sizeof(buffer)), 0u);
		EXPECT_EQ(cursor.ended, !loop);
	}
}

TEST(WaveStream, CutsADataChunkThatRunsPastTheEndToWholeFrames)
{
	const std::string samples = Samples(100, 2, 16);
	const std::string bytes = Riff(Chunk("fmt ", FormatRecord(1, 2, 44100, 16)) + ChunkClaiming("data", 0xFFFFFFF0u, samples + "xy"));
	std::unique_ptr<cSoundStream> decoder = Wave(bytes);
	ASSERT_NE(decoder, nullptr);
	EXPECT_EQ(decoder->GetPcmSize(), samples.size());
	sSoundCursor cursor;
	decoder->Rewind(cursor);
	EXPECT_EQ(ReadBytes(*decoder, cursor, 1000, 1000), samples);
	EXPECT_TRUE(cursor.ended);
}

TEST(WaveStream, CursorsKeepTheirOwnPlaces)
{
	std::unique_ptr<cSoundStream> decoder = Wave(PcmWave(1000, 1, 16, 8000));
	ASSERT_NE(decoder, nullptr);
	const std::string all = Samples(1000, 1, 16);
	sSoundCursor first, second;
	decoder->Rewind(first);
	decoder->Rewind(second);
	EXPECT_EQ(ReadBytes(*decoder, first, 600, 600), all.substr(0, 600));
	EXPECT_EQ(ReadBytes(*decoder, second, 100, 100), all.substr(0, 100));
	EXPECT_EQ(ReadBytes(*decoder, first, 600, 600), all.substr(600, 600));
	EXPECT_EQ(ReadBytes(*decoder, second, 100, 100), all.substr(100, 100));
	EXPECT_FALSE(first.ended);

	// The end: a short read that ends the cursor, then nothing more.
	EXPECT_EQ(ReadBytes(*decoder, first, 2000, 2000), all.substr(1200));
	EXPECT_TRUE(first.ended);
	char byte;
	EXPECT_EQ(decoder->Read(first, &byte, 1), 0u);
}

TEST(WaveStream, LoopingCursorWrapsInsideOneRead)
{
	std::unique_ptr<cSoundStream> decoder = Wave(PcmWave(10, 1, 8, 8000));
	ASSERT_NE(decoder, nullptr);
	const std::string all = Samples(10, 1, 8);
	sSoundCursor cursor;
	cursor.loop = true;
	decoder->Rewind(cursor);
	EXPECT_EQ(ReadBytes(*decoder, cursor, 7, 7), all.substr(0, 7));
	// Three bytes to the end, then the data twice more from its start.
	EXPECT_EQ(ReadBytes(*decoder, cursor, 25, 25), all.substr(7) + all + all + all.substr(0, 2));
	EXPECT_FALSE(cursor.ended);
	EXPECT_EQ(cursor.position, 44 + 2);
}

TEST(WaveStream, SurvivesTruncationAtEveryLength)
{
	const std::string whole = Riff(Chunk("LIST", "abc") + Chunk("fmt ", FormatRecord(1, 2, 22050, 16))
		+ Chunk("data", Samples(50, 2, 16)));
	for (size_t length = 0; length < whole.size(); ++length)
	{
		std::unique_ptr<cSoundStream> decoder = Wave(whole.substr(0, length));
		if (!decoder)
			continue;
		// What is left of the data decodes, in whole frames, and nothing else.
		const std::string data = ReadAll(*decoder);
		EXPECT_EQ(data.size(), decoder->GetPcmSize());
		EXPECT_EQ(data.size() % 4, 0u);
		EXPECT_EQ(data, Samples(50, 2, 16).substr(0, data.size()));
	}
}

TEST(WaveStream, SurvivesHugeChunkSizesAndRandomBytes)
{
	const std::string format = Chunk("fmt ", FormatRecord(1, 1, 8000, 8));
	for (uint32_t size : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFF7u, 0xFFFFFFFFu})
	{
		EXPECT_EQ(Wave(Riff(ChunkClaiming("LIST", size, "x") + format)), nullptr);
		EXPECT_EQ(Wave(Riff(ChunkClaiming("fmt ", size, FormatRecord(1, 1, 8000, 8)))), nullptr);
		std::unique_ptr<cSoundStream> decoder = Wave(Riff(format + ChunkClaiming("JUNK", size, "ab") + Chunk("data", "xyz")));
		ASSERT_NE(decoder, nullptr);
		EXPECT_EQ(decoder->GetPcmSize(), 0u);
	}

	std::mt19937 random(7);
	for (int round = 0; round < 2000; ++round)
	{
		std::string bytes(random() % 200, '\0');
		for (char& byte : bytes)
			byte = static_cast<char>(random());
		// Half the rounds keep a proper file header and a format, so that the
		// chunk walk meets the random bytes.
		if (round % 2)
			bytes = Riff(format + bytes);
		std::unique_ptr<cSoundStream> decoder = Wave(bytes);
		if (decoder)
		{
			EXPECT_LE(ReadAll(*decoder).size(), bytes.size());
		}
	}
}

// The decoder list is process-wide and only grows, whatever ran before: the
// game's two factories are listed first, as the sound manager lists them,
// then the test's own, each once however often it is added.
TEST(SoundDecoders, TriesEachFactoryFromTheSamePositionAndDeletesRefusedStreams)
{
	static std::vector<uint32_t> seen;
	seen.clear();
	// Reads to the end and refuses.
	const SoundDecoderFactory greedy = [](cStream* stream) -> cSoundStream* {
		seen.push_back(stream->Seek(0, cStream::FromCurrent));
		stream->Seek(0, cStream::FromEnd);
		return nullptr;
	};
	// Takes a wave behind the mark "ZZ".
	const SoundDecoderFactory marked = [](cStream* stream) -> cSoundStream* {
		seen.push_back(stream->Seek(0, cStream::FromCurrent));
		char mark[2] = {};
		if (stream->Read(mark, 2) != 2 || mark[0] != 'Z' || mark[1] != 'Z')
			return nullptr;
		return cWaveStream::Create(stream);
	};
	AddSoundDecoder(cOggStream::Create);
	AddSoundDecoder(cWaveStream::Create);
	AddSoundDecoder(greedy);
	AddSoundDecoder(marked);
	AddSoundDecoder(greedy); // listed once

	// A wave is taken by the wave factory before the test's are asked.
	cMemoryStream* stream = MemoryStream("xx" + PcmWave(4, 1, 8, 8000));
	stream->Seek(2, cStream::FromStart);
	std::unique_ptr<cSoundStream> decoder(CreateSoundDecoder(stream));
	ASSERT_NE(decoder, nullptr);
	EXPECT_TRUE(seen.empty());
	EXPECT_EQ(ReadAll(*decoder), Samples(4, 1, 8));

	// Behind the mark: each factory starts where the stream was given.
	stream = MemoryStream("xxZZ" + PcmWave(4, 1, 8, 8000));
	stream->Seek(2, cStream::FromStart);
	decoder.reset(CreateSoundDecoder(stream));
	ASSERT_NE(decoder, nullptr);
	EXPECT_EQ(seen, (std::vector<uint32_t>{2, 2}));
	EXPECT_EQ(ReadAll(*decoder), Samples(4, 1, 8));

	// Refused by all: the stream is deleted (the leak checkers would see it).
	EXPECT_EQ(CreateSoundDecoder(MemoryStream("not a sound")), nullptr);
	EXPECT_EQ(CreateSoundDecoder(nullptr), nullptr);
}
