// The device opened on the audio output: its buffers play in real time.

#include "platform/dsound/DSound.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace
{
class DSoundDeviceTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		// Machines without sound hardware (CI) run on SDL's silent driver.
		setenv("SDL_AUDIODRIVER", "dummy", 0);
		ASSERT_EQ(DS_OK, DirectSoundCreate8(nullptr, &m_device, nullptr));
		ASSERT_EQ(DS_OK, m_device->SetCooperativeLevel(nullptr, DSSCL_PRIORITY));
	}

	void TearDown() override
	{
		if (m_device)
			m_device->Release();
	}

	IDirectSound8* m_device = nullptr;
};
}

TEST_F(DSoundDeviceTest, CreateRefusesAggregationAndOtherDevices)
{
	IDirectSound8* device = m_device;
	EXPECT_EQ(DSERR_NOAGGREGATION, DirectSoundCreate8(nullptr, &device, m_device));
	EXPECT_EQ(nullptr, device);
	EXPECT_EQ(DSERR_NODRIVER, DirectSoundCreate8(&IID_IDirectSound8, &device, nullptr));
}

TEST_F(DSoundDeviceTest, LoopingBufferPlaysInRealTime)
{
	DSBUFFERDESC primaryDescription{};
	primaryDescription.dwSize = sizeof(primaryDescription);
	primaryDescription.dwFlags = DSBCAPS_PRIMARYBUFFER;
	IDirectSoundBuffer* primary = nullptr;
	ASSERT_EQ(DS_OK, m_device->CreateSoundBuffer(&primaryDescription, &primary, nullptr));
	ASSERT_EQ(DS_OK, primary->Play(0, 0, DSBPLAY_LOOPING));

	// A quiet ring of one second.
	WAVEFORMATEX format{WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 0};
	DSBUFFERDESC description{};
	description.dwSize = sizeof(description);
	description.dwFlags = DSBCAPS_CTRLVOLUME | DSBCAPS_GLOBALFOCUS | DSBCAPS_GETCURRENTPOSITION2;
	description.dwBufferBytes = format.nAvgBytesPerSec;
	description.lpwfxFormat = &format;
	IDirectSoundBuffer* buffer = nullptr;
	ASSERT_EQ(DS_OK, m_device->CreateSoundBuffer(&description, &buffer, nullptr));
	ASSERT_EQ(DS_OK, buffer->SetVolume(DSBVOLUME_MIN));
	ASSERT_EQ(DS_OK, buffer->Play(0, 0, DSBPLAY_LOOPING));

	DWORD play = 0;
	const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
	while (play == 0 && std::chrono::steady_clock::now() < deadline)
	{
		std::this_thread::sleep_for(std::chrono::milliseconds(5));
		ASSERT_EQ(DS_OK, buffer->GetCurrentPosition(&play, nullptr));
	}
	EXPECT_GT(play, 0u);
	EXPECT_EQ(0u, play % 4);

	// Released while the output mixes it.
	EXPECT_EQ(0u, buffer->Release());
	EXPECT_EQ(0u, primary->Release());
}

TEST(DSoundNoOutputTest, CreateFailsWithoutAnAudioDriver)
{
	if (SDL_WasInit(SDL_INIT_AUDIO))
		GTEST_SKIP() << "audio already started in this process";
	const char* previous = getenv("SDL_AUDIODRIVER");
	const std::string kept = previous ? previous : "";
	setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
	IDirectSound8* device = nullptr;
	EXPECT_EQ(DSERR_NODRIVER, DirectSoundCreate8(nullptr, &device, nullptr));
	EXPECT_EQ(nullptr, device);
	if (previous)
		setenv("SDL_AUDIODRIVER", kept.c_str(), 1);
	else
		unsetenv("SDL_AUDIODRIVER");
}
