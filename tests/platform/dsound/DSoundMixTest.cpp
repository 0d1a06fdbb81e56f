// The mix of secondary buffers, taken synchronously: samples and cursors.

#include "cDSoundTestDevice.h"

#include <cmath>
#include <thread>

namespace
{
using Samples = std::vector<int16_t>;

// Frames 1..n as (100 x i, -100 x i).
Samples Ramp(int first, int count)
{
	Samples samples;
	for (int i = first; i < first + count; ++i)
	{
		samples.push_back(int16_t(100 * i));
		samples.push_back(int16_t(-100 * i));
	}
	return samples;
}

Samples Concat(Samples a, const Samples& b)
{
	a.insert(a.end(), b.begin(), b.end());
	return a;
}
}

using DSoundMixTest = cDSoundTestDevice;

TEST_F(DSoundMixTest, BufferPlayedOnceStopsAtItsEndAndRewinds)
{
	IDirectSoundBuffer* buffer = StereoBuffer(Ramp(1, 4));
	EXPECT_EQ(Samples(12, 0), Mix(6)); // nothing plays yet
	ASSERT_EQ(DS_OK, buffer->Play(0, 0, 0));
	EXPECT_EQ(DSBSTATUS_PLAYING, Status(buffer));

	EXPECT_EQ(Concat(Ramp(1, 4), Samples(4, 0)), Mix(6));
	EXPECT_EQ(0u, Status(buffer));
	EXPECT_EQ(0u, PlayCursor(buffer));

	ASSERT_EQ(DS_OK, buffer->Play(0, 0, 0)); // plays again from the start
	EXPECT_EQ(Ramp(1, 2), Mix(2));
}

TEST_F(DSoundMixTest, LoopingBufferWrapsAndCursorsFollowTheMix)
{
	IDirectSoundBuffer* buffer = StereoBuffer(Ramp(1, 3));
	ASSERT_EQ(DS_OK, buffer->Play(0, 0, DSBPLAY_LOOPING));
	EXPECT_EQ(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING, Status(buffer));

	EXPECT_EQ(Ramp(1, 2), Mix(2));
	EXPECT_EQ(2u * 4, PlayCursor(buffer));
	EXPECT_EQ(Concat(Concat(Ramp(3, 1), Ramp(1, 3)), Ramp(1, 1)), Mix(5));
	EXPECT_EQ(1u * 4, PlayCursor(buffer));
	EXPECT_EQ(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING, Status(buffer));
}

TEST_F(DSoundMixTest, VolumeAndPanAttenuateInHundredthsOfADecibel)
{
	struct Case
	{
		LONG volume;
		LONG pan;
		double left;
		double right;
	};
	const Case cases[] = {
		{0, 0, 1.0, 1.0},
		{-600, 0, std::pow(10.0, -0.3), std::pow(10.0, -0.3)},
		{-2000, 0, 0.1, 0.1},
		{DSBVOLUME_MIN, 0, 0.0, 0.0},
		{0, 2000, 0.1, 1.0},
		{0, -2000, 1.0, 0.1},
		{-600, DSBPAN_RIGHT, 0.0, std::pow(10.0, -0.3)},
		{0, DSBPAN_LEFT, 1.0, 0.0},
	};
	IDirectSoundBuffer* buffer = StereoBuffer({20000, -20000}, kFlags | DSBCAPS_CTRLPAN);
	for (const Case& c : cases)
	{
		SCOPED_TRACE(testing::Message() << "volume " << c.volume << " pan " << c.pan);
		ASSERT_EQ(DS_OK, buffer->SetVolume(c.volume));
		ASSERT_EQ(DS_OK, buffer->SetPan(c.pan));
		ASSERT_EQ(DS_OK, buffer->Play(0, 0, 0));
		const Samples mixed = Mix(1);
		EXPECT_NEAR(20000 * c.left, mixed[0], 1.0);
		EXPECT_NEAR(-20000 * c.right, mixed[1], 1.0);
	}
}

TEST_F(DSoundMixTest, TwoBuffersAddAndClipToSixteenBits)
{
	StereoBuffer({20000, -20000, 1000, 30000})->Play(0, 0, 0);
	StereoBuffer({20000, -20000, -300, -31000})->Play(0, 0, 0);
	EXPECT_EQ((Samples{32767, -32768, 700, -1000}), Mix(2));
}

TEST_F(DSoundMixTest, RingRefilledThroughLockAcrossTheWrap)
{
	// Eight frames; the refill writes from where the last one ended up to
	// the play cursor, which by now has wrapped.
	IDirectSoundBuffer* buffer = StereoBuffer(Ramp(1, 8));
	ASSERT_EQ(DS_OK, buffer->Play(0, 0, DSBPLAY_LOOPING));
	EXPECT_EQ(Ramp(1, 5), Mix(5));
	EXPECT_EQ(Concat(Ramp(6, 3), Ramp(1, 2)), Mix(5));
	ASSERT_EQ(2u * 4, PlayCursor(buffer));

	void* part1 = nullptr;
	void* part2 = nullptr;
	DWORD bytes1 = 0, bytes2 = 0;
	ASSERT_EQ(DS_OK, buffer->Lock(5 * 4, 5 * 4, &part1, &bytes1, &part2, &bytes2, 0));
	EXPECT_EQ(3u * 4, bytes1);
	EXPECT_EQ(2u * 4, bytes2);
	// The locked parts show what the buffer holds.
	EXPECT_EQ(0, std::memcmp(part1, Ramp(6, 3).data(), bytes1));
	EXPECT_EQ(0, std::memcmp(part2, Ramp(1, 2).data(), bytes2));

	const Samples fresh = Ramp(106, 5);
	std::memcpy(part1, fresh.data(), bytes1);
	std::memcpy(part2, fresh.data() + 6, bytes2);
	ASSERT_EQ(DS_OK, buffer->Unlock(part1, bytes1, part2, bytes2));

	EXPECT_EQ(Concat(Concat(Ramp(3, 3), Ramp(106, 3)), Ramp(109, 2)), Mix(8));
}

TEST_F(DSoundMixTest, UnlockWritesBackOnlyTheCountsGiven)
{
	IDirectSoundBuffer* buffer = StereoBuffer(Ramp(1, 4));
	void* part1 = nullptr;
	void* part2 = nullptr;
	DWORD bytes1 = 0, bytes2 = 0;
	ASSERT_EQ(DS_OK, buffer->Lock(2 * 4, 4 * 4, &part1, &bytes1, &part2, &bytes2, 0));
	const Samples fresh = Ramp(50, 4);
	std::memcpy(part1, fresh.data(), bytes1);
	std::memcpy(part2, fresh.data() + 4, bytes2);
	ASSERT_EQ(DS_OK, buffer->Unlock(part1, 4, part2, 0)); // one frame written, the wrap not at all

	ASSERT_EQ(DS_OK, buffer->Play(0, 0, 0));
	EXPECT_EQ(Concat(Concat(Ramp(1, 2), Ramp(50, 1)), Ramp(4, 1)), Mix(4));
}

TEST_F(DSoundMixTest, StopPausesAndSetCurrentPositionMovesTheCursor)
{
	IDirectSoundBuffer* buffer = StereoBuffer(Ramp(1, 8));
	ASSERT_EQ(DS_OK, buffer->Play(0, 0, DSBPLAY_LOOPING));
	EXPECT_EQ(Ramp(1, 3), Mix(3));
	ASSERT_EQ(DS_OK, buffer->Stop());
	EXPECT_EQ(0u, Status(buffer));
	EXPECT_EQ(Samples(4, 0), Mix(2));
	EXPECT_EQ(3u * 4, PlayCursor(buffer));

	ASSERT_EQ(DS_OK, buffer->Play(0, 0, DSBPLAY_LOOPING));
	EXPECT_EQ(Ramp(4, 2), Mix(2));

	ASSERT_EQ(DS_OK, buffer->SetCurrentPosition(6 * 4 + 2)); // inside a frame: that frame
	EXPECT_EQ(6u * 4, PlayCursor(buffer));
	EXPECT_EQ(Ramp(7, 1), Mix(1));
	EXPECT_EQ(DSERR_INVALIDPARAM, buffer->SetCurrentPosition(8 * 4));
	EXPECT_EQ(7u * 4, PlayCursor(buffer));

	ASSERT_EQ(DS_OK, buffer->Stop());
	ASSERT_EQ(DS_OK, buffer->SetCurrentPosition(0));
	ASSERT_EQ(DS_OK, buffer->Play(0, 0, 0));
	EXPECT_EQ(Ramp(1, 1), Mix(1));
}

TEST_F(DSoundMixTest, EightBitMonoAtHalfTheRateIsConvertedAndInterpolated)
{
	IDirectSoundBuffer* buffer = MakeBuffer(PcmFormat(1, 8, 22050), 4);
	const uint8_t samples[] = {0x80, 0xC0, 0x40, 0xFF};
	Write(buffer, 0, samples, sizeof(samples));
	ASSERT_EQ(DS_OK, buffer->Play(0, 0, 0));

	// Each source frame lasts two output frames; the second lies halfway to
	// the next one, and the last is held.
	const Samples expected = {0, 8192, 16384, 0, -16384, 8064, 32512, 32512};
	Samples both;
	for (int16_t sample : expected)
	{
		both.push_back(sample);
		both.push_back(sample);
	}
	EXPECT_EQ(Concat(both, Samples(2, 0)), Mix(9));
	EXPECT_EQ(0u, Status(buffer));
}

TEST_F(DSoundMixTest, SetFrequencyChangesTheRateAtWhichTheBufferPlays)
{
	IDirectSoundBuffer* buffer = StereoBuffer(Ramp(1, 8), kFlags | DSBCAPS_CTRLFREQUENCY);
	ASSERT_EQ(DS_OK, buffer->SetFrequency(88200));
	ASSERT_EQ(DS_OK, buffer->Play(0, 0, DSBPLAY_LOOPING));
	EXPECT_EQ(Concat(Concat(Concat(Ramp(1, 1), Ramp(3, 1)), Ramp(5, 1)), Ramp(7, 1)), Mix(4));
	EXPECT_EQ(0u, PlayCursor(buffer));

	ASSERT_EQ(DS_OK, buffer->SetFrequency(DSBFREQUENCY_ORIGINAL));
	EXPECT_EQ(Ramp(1, 2), Mix(2));
	EXPECT_EQ(DSERR_INVALIDPARAM, buffer->SetFrequency(DSBFREQUENCY_MAX + 1));
}

TEST_F(DSoundMixTest, PrimaryBufferVolumeIsTheMasterVolume)
{
	DSBUFFERDESC description{};
	description.dwSize = sizeof(description);
	description.dwFlags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME;
	IDirectSoundBuffer* primary = nullptr;
	ASSERT_EQ(DS_OK, m_device->CreateSoundBuffer(&description, &primary, nullptr));
	m_buffers.push_back(primary);
	ASSERT_EQ(DS_OK, primary->Play(0, 0, DSBPLAY_LOOPING));
	EXPECT_EQ(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING, Status(primary));

	StereoBuffer({1000, 2000, 1000, 2000})->Play(0, 0, 0);
	ASSERT_EQ(DS_OK, primary->SetVolume(-2000));
	EXPECT_EQ((Samples{100, 200}), Mix(1));
	ASSERT_EQ(DS_OK, primary->SetVolume(DSBVOLUME_MAX));
	EXPECT_EQ((Samples{1000, 2000}), Mix(1));
}

TEST_F(DSoundMixTest, RingWrittenOnOneThreadWhileAnotherMixes)
{
	// The sound thread refills while the output mixes: every frame mixed is
	// one whole frame as written, never half of one.
	IDirectSoundBuffer* buffer = StereoBuffer(Samples(2 * 256, 7));
	ASSERT_EQ(DS_OK, buffer->Play(0, 0, DSBPLAY_LOOPING));
	std::thread writer([buffer] {
		for (int round = 0; round < 200; ++round)
		{
			const Samples value(2 * 256, int16_t(round % 2 ? 7 : -7));
			Write(buffer, 0, value.data(), 256 * 4);
		}
	});
	for (int round = 0; round < 200; ++round)
	{
		const Samples mixed = Mix(64);
		for (size_t i = 0; i < mixed.size(); i += 2)
			ASSERT_TRUE(mixed[i] == mixed[i + 1] && (mixed[i] == 7 || mixed[i] == -7)) << mixed[i];
	}
	writer.join();
}
