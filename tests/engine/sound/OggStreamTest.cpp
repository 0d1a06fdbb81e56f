// The Ogg Vorbis decoder over tones encoded by the test.

#include "OggEncoder.h"
#include "SoundTestSupport.h"

#include "engine/sound/cOggStream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

namespace
{
std::unique_ptr<cSoundStream> Ogg(const std::string& bytes)
{
	return Decoder(cOggStream::Create, bytes);
}

// The tone's sample frames from first on, as decoded bytes hold them.
std::vector<int16_t> Frames(const std::string& bytes)
{
	std::vector<int16_t> samples(bytes.size() / 2);
	// An empty vector has no storage to copy to.
	if (!samples.empty())
		std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
	return samples;
}

// The fields of a format record, copied out: the record is packed, so its
// fields cannot be bound to references.
std::vector<uint32_t> Fields(const WAVEFORMATEX& format)
{
	return { format.wFormatTag, format.nChannels, format.nSamplesPerSec, format.nAvgBytesPerSec,
		format.nBlockAlign, format.wBitsPerSample, format.cbSize };
}

// A stored file of the tests' fixtures.
std::string Fixture(const std::string& name)
{
	std::ifstream file(std::string(ZV2_TESTS_SOURCE_DIR) + "/engine/sound/fixtures/" + name, std::ios::binary);
	return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The largest difference between the decoded samples and the tone.
float ToneError(const std::string& bytes, long first, int channels, long rate)
{
	std::vector<int16_t> samples = Frames(bytes);
	float worst = 0;
	for (size_t i = 0; i < samples.size(); ++i)
	{
		long frame = first + static_cast<long>(i / channels);
		float expected = Tone(frame, static_cast<int>(i % channels), rate);
		worst = std::max(worst, std::fabs(samples[i] / 32768.0f - expected));
	}
	return worst;
}

constexpr float Tolerance = 0.05f;

// One stereo file of three seconds shared by the tests.
const std::string& ThreeSeconds()
{
	static const std::string bytes = EncodeTone(2, 44100, 3 * 44100);
	return bytes;
}
}

TEST(OggStream, ReportsFormatLengthAndSize)
{
	std::unique_ptr<cSoundStream> decoder = Ogg(ThreeSeconds());
	ASSERT_NE(decoder, nullptr);
	// Tag, channels, rate, bytes per second, block alignment, bits, extra size.
	EXPECT_EQ(Fields(*decoder->GetFormat()), (std::vector<uint32_t>{ 1, 2, 44100, 176400, 4, 16, 18 }));
	EXPECT_EQ(decoder->GetPcmSize(), 3u * 44100 * 4);
	EXPECT_FLOAT_EQ(decoder->GetLength(), 3.0f);
	EXPECT_FALSE(decoder->IsBusy());
}

TEST(OggStream, DecodesTheToneToItsEnd)
{
	std::unique_ptr<cSoundStream> decoder = Ogg(ThreeSeconds());
	ASSERT_NE(decoder, nullptr);
	sSoundCursor cursor;
	decoder->Rewind(cursor);
	EXPECT_EQ(cursor.position, 0);
	const std::string all = ReadBytes(*decoder, cursor, decoder->GetPcmSize() + 4000, 35280);
	EXPECT_EQ(all.size(), decoder->GetPcmSize());
	EXPECT_TRUE(cursor.ended);
	EXPECT_EQ(cursor.position, 3 * 44100);
	EXPECT_LT(ToneError(all, 0, 2, 44100), Tolerance);
	EXPECT_NEAR(decoder->GetPosition(), 3.0f, 0.001f);

	// Mono, another rate, an odd number of frames.
	std::unique_ptr<cSoundStream> mono = Ogg(EncodeTone(1, 22050, 12345));
	ASSERT_NE(mono, nullptr);
	sSoundCursor monoCursor;
	const std::string monoBytes = ReadBytes(*mono, monoCursor, 100000, 4096);
	EXPECT_EQ(monoBytes.size(), 12345u * 2);
	EXPECT_LT(ToneError(monoBytes, 0, 1, 22050), Tolerance);
}

TEST(OggStream, CursorsSeekToTheirOwnFrames)
{
	std::unique_ptr<cSoundStream> decoder = Ogg(ThreeSeconds());
	ASSERT_NE(decoder, nullptr);
	sSoundCursor early, late;
	late.position = 100000;
	for (int round = 0; round < 3; ++round)
	{
		long earlyFrame = static_cast<long>(early.position);
		long lateFrame = static_cast<long>(late.position);
		EXPECT_LT(ToneError(ReadBytes(*decoder, early, 4000, 4000), earlyFrame, 2, 44100), Tolerance);
		EXPECT_LT(ToneError(ReadBytes(*decoder, late, 8000, 8000), lateFrame, 2, 44100), Tolerance);
		EXPECT_EQ(early.position, earlyFrame + 1000);
		EXPECT_EQ(late.position, lateFrame + 2000);
	}
	// Only whole frames are delivered.
	char bytes[6];
	EXPECT_EQ(decoder->Read(early, bytes, 6), 4u);
	EXPECT_EQ(decoder->Read(early, bytes, 3), 0u);
	EXPECT_FALSE(early.ended);
}

TEST(OggStream, LoopingCursorWrapsInsideOneRead)
{
	std::unique_ptr<cSoundStream> decoder = Ogg(ThreeSeconds());
	ASSERT_NE(decoder, nullptr);
	const long total = 3 * 44100;
	sSoundCursor cursor;
	cursor.loop = true;
	cursor.position = total - 100;
	const std::string bytes = ReadBytes(*decoder, cursor, 400 * 4, 400 * 4);
	ASSERT_EQ(bytes.size(), 400u * 4);
	EXPECT_LT(ToneError(bytes.substr(0, 400), total - 100, 2, 44100), Tolerance);
	EXPECT_LT(ToneError(bytes.substr(400), 0, 2, 44100), Tolerance);
	EXPECT_EQ(cursor.position, 300);
	EXPECT_FALSE(cursor.ended);

	// A cursor past the end ends at once, or starts over when it loops.
	sSoundCursor beyond;
	beyond.position = total + 5000;
	char buffer[16];
	EXPECT_EQ(decoder->Read(beyond, buffer, 16), 0u);
	EXPECT_TRUE(beyond.ended);
	beyond.loop = true;
	beyond.ended = false;
	beyond.position = total + 5000;
	EXPECT_EQ(decoder->Read(beyond, buffer, 16), 16u);
	EXPECT_EQ(beyond.position, 4);
}

TEST(OggStream, RefusesWhatIsNotOggVorbis)
{
	std::mt19937 random(11);
	for (int round = 0; round < 300; ++round)
	{
		std::string bytes(random() % 5000, '\0');
		for (char& byte : bytes)
			byte = static_cast<char>(random());
		if (round % 2 && bytes.size() > 4)
			bytes.replace(0, 4, "OggS");
		EXPECT_EQ(Ogg(bytes), nullptr);
	}
	EXPECT_EQ(Ogg(""), nullptr);
	EXPECT_EQ(Ogg("RIFF....WAVEfmt "), nullptr);
}

TEST(OggStream, SurvivesTruncationAndDamage)
{
	const std::string whole = EncodeTone(1, 8000, 4000);
	sSoundCursor cursor;
	for (size_t length = 0; length < whole.size(); ++length)
	{
		std::unique_ptr<cSoundStream> decoder = Ogg(whole.substr(0, length));
		if (!decoder)
			continue;
		cursor = sSoundCursor();
		// The pages that are whole decode to the start of the tone.
		const std::string bytes = ReadBytes(*decoder, cursor, 10000, 10000);
		EXPECT_EQ(bytes.size(), decoder->GetPcmSize());
		EXPECT_LT(ToneError(bytes, 0, 1, 8000), Tolerance);
		EXPECT_TRUE(cursor.ended);
		cursor = sSoundCursor();
		cursor.loop = true;
		ReadBytes(*decoder, cursor, 10000, 10000);
	}

	// Damaged pages: reads end for a plain cursor and always return for a
	// looping one.
	std::mt19937 random(5);
	for (int round = 0; round < 50; ++round)
	{
		std::string damaged = whole;
		for (int i = 0; i < 20; ++i)
			damaged[whole.size() / 2 + random() % (whole.size() / 2)] = static_cast<char>(random());
		std::unique_ptr<cSoundStream> decoder = Ogg(damaged);
		if (!decoder)
			continue;
		for (bool loop : {false, true})
		{
			cursor = sSoundCursor();
			cursor.loop = loop;
			EXPECT_LE(ReadBytes(*decoder, cursor, 20000, 20000).size(), 20000u);
		}
	}
}

TEST(OggStream, PositionAfterAFailedSeekIsSafe)
{
	// A damaged file on which seeking fails and leaves vorbisfile without a
	// position.
	const std::string bytes = Fixture("ogg-bad-seek-then-tell.ogg");
	ASSERT_FALSE(bytes.empty());
	std::unique_ptr<cSoundStream> decoder = Ogg(bytes);
	ASSERT_NE(decoder, nullptr);
	sSoundCursor cursor;
	ReadBytes(*decoder, cursor, 1 << 16, 4096);
	for (int64_t frame : { int64_t(0), int64_t(1000), int64_t(1) << 40 })
	{
		sSoundCursor seek;
		seek.position = frame;
		char buffer[64];
		decoder->Read(seek, buffer, sizeof(buffer));
		const float position = decoder->GetPosition();
		EXPECT_TRUE(std::isfinite(position) && position >= 0.0f) << frame << ": " << position;
	}
}
