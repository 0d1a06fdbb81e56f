#pragma once
// A device without audio output for tests: buffers are made, filled through
// Lock/Unlock and mixed synchronously.

#include "platform/dsound/DSoundTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

inline WAVEFORMATEX PcmFormat(WORD channels, WORD bits, DWORD rate)
{
	WAVEFORMATEX format{};
	format.wFormatTag = WAVE_FORMAT_PCM;
	format.nChannels = channels;
	format.nSamplesPerSec = rate;
	format.nBlockAlign = WORD(channels * bits / 8);
	format.nAvgBytesPerSec = rate * format.nBlockAlign;
	format.wBitsPerSample = bits;
	format.cbSize = 18;
	return format;
}

class cDSoundTestDevice : public ::testing::Test
{
protected:
	static constexpr DWORD kFlags = DSBCAPS_CTRLVOLUME | DSBCAPS_GLOBALFOCUS | DSBCAPS_GETCURRENTPOSITION2;

	void SetUp() override { ASSERT_EQ(DS_OK, DSoundTest::CreateDeviceWithoutOutput(&m_device)); }

	void TearDown() override
	{
		for (IDirectSoundBuffer* buffer : m_buffers)
			buffer->Release();
		if (m_device)
			m_device->Release();
	}

	IDirectSoundBuffer* MakeBuffer(const WAVEFORMATEX& format, DWORD bytes, DWORD flags = kFlags)
	{
		DSBUFFERDESC description{};
		description.dwSize = sizeof(description);
		description.dwFlags = flags;
		description.dwBufferBytes = bytes;
		description.lpwfxFormat = &format;
		IDirectSoundBuffer* buffer = nullptr;
		EXPECT_EQ(DS_OK, m_device->CreateSoundBuffer(&description, &buffer, nullptr));
		if (buffer)
			m_buffers.push_back(buffer);
		return buffer;
	}

	// A 44100 Hz stereo 16-bit buffer holding these frames (left, right pairs).
	IDirectSoundBuffer* StereoBuffer(const std::vector<int16_t>& samples, DWORD flags = kFlags)
	{
		IDirectSoundBuffer* buffer = MakeBuffer(PcmFormat(2, 16, 44100), DWORD(samples.size() * 2), flags);
		if (buffer)
			Write(buffer, 0, samples.data(), DWORD(samples.size() * 2));
		return buffer;
	}

	// Writes bytes at the offset through Lock and Unlock, wrapping as the ring does.
	static void Write(IDirectSoundBuffer* buffer, DWORD offset, const void* data, DWORD bytes)
	{
		void* part1 = nullptr;
		void* part2 = nullptr;
		DWORD bytes1 = 0, bytes2 = 0;
		ASSERT_EQ(DS_OK, buffer->Lock(offset, bytes, &part1, &bytes1, &part2, &bytes2, 0));
		ASSERT_EQ(bytes, bytes1 + bytes2);
		std::memcpy(part1, data, bytes1);
		if (bytes2)
			std::memcpy(part2, static_cast<const char*>(data) + bytes1, bytes2);
		ASSERT_EQ(DS_OK, buffer->Unlock(part1, bytes1, part2, bytes2));
	}

	// The next frames of the mix, left and right interleaved.
	std::vector<int16_t> Mix(DWORD frames)
	{
		std::vector<int16_t> out(frames * 2, -1);
		DSoundTest::MixFrames(m_device, out.data(), frames);
		return out;
	}

	static DWORD PlayCursor(IDirectSoundBuffer* buffer)
	{
		DWORD play = ~0u, write = ~0u;
		EXPECT_EQ(DS_OK, buffer->GetCurrentPosition(&play, &write));
		EXPECT_EQ(play, write);
		return play;
	}

	static DWORD Status(IDirectSoundBuffer* buffer)
	{
		DWORD status = ~0u;
		EXPECT_EQ(DS_OK, buffer->GetStatus(&status));
		return status;
	}

	IDirectSound8* m_device = nullptr;
	std::vector<IDirectSoundBuffer*> m_buffers;
};
