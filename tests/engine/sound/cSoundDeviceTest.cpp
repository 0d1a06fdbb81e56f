// The sound device and its channels: ring buffers filled from decoders and
// mixed back, streaming past the ring's length, the buffer pool, volumes and
// the silent run without a device. Every test runs in a child process: the
// sound manager, which owns the device, is process-wide.

#include "../foundation/ChildProcess.h"
#include "cSoundManagerTestSupport.h"

#include "engine/foundation/cWin32Application.h"
#include "engine/resources/cResourceManager.h"
#include "platform/win32/Win32Time.h"

namespace
{
// Mounts the waves written so far and starts the manager.
cSoundManager* StartWithWaves(bool stopThread = true)
{
	cSoundManager* manager = StartSoundManager(stopThread);
	cResourceManager::GetInstance()->AddSource("data");
	return manager;
}

cSoundChannel* PlayEffect(cSoundManager* manager, const cResourceHandle& sound, bool loop = false)
{
	cSoundChannel* channel = manager->CreateChannel(nullptr, sound, false);
	if (channel)
	{
		channel->SetLoop(loop);
		channel->Play(false);
	}
	return channel;
}

HRESULT OpenNoDevice(IDirectSound8** device)
{
	*device = nullptr;
	return DSERR_NODRIVER;
}

// A device that opens but refuses its cooperative level or its primary
// buffer, as a sound card whose driver cannot start does.
class cRefusingDevice : public IDirectSound8
{
public:
	enum eRefusal
	{
		CooperativeLevel,
		PrimaryBuffer
	};

	explicit cRefusingDevice(eRefusal refusal) : m_refusal(refusal)
	{
		DSoundTest::CreateDeviceWithoutOutput(&m_device);
	}

	HRESULT QueryInterface(const GUID&, void** object) override
	{
		*object = nullptr;
		return DSERR_NOINTERFACE;
	}
	ULONG AddRef() override { return ++m_references; }
	ULONG Release() override
	{
		const ULONG left = --m_references;
		if (left == 0)
			delete this;
		return left;
	}
	HRESULT CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer** buffer, void* outer) override
	{
		if (m_refusal == PrimaryBuffer && (description->dwFlags & DSBCAPS_PRIMARYBUFFER))
		{
			*buffer = nullptr;
			return DSERR_NODRIVER;
		}
		return m_device->CreateSoundBuffer(description, buffer, outer);
	}
	HRESULT SetCooperativeLevel(HWND window, DWORD level) override
	{
		return m_refusal == CooperativeLevel ? DSERR_NODRIVER : m_device->SetCooperativeLevel(window, level);
	}

private:
	virtual ~cRefusingDevice() { m_device->Release(); }

	eRefusal m_refusal;
	IDirectSound8* m_device = nullptr;
	ULONG m_references = 1;
};

HRESULT OpenWithoutCooperativeLevel(IDirectSound8** device)
{
	*device = new cRefusingDevice(cRefusingDevice::CooperativeLevel);
	return DS_OK;
}

HRESULT OpenWithoutPrimaryBuffer(IDirectSound8** device)
{
	*device = new cRefusingDevice(cRefusingDevice::PrimaryBuffer);
	return DS_OK;
}
}

TEST(cSoundDevice, PlaysAWaveResourceAndStopsAfterItsLastByte)
{
	cTempFolder folder;
	const int frames = 22050;
	WriteWave("half", PcmWave(frames, 2, 16, 44100));
	RunInChild([&] {
		cSoundManager* manager = StartWithWaves();
		cResourceHandle sound = SoundNamed("half");
		ASSERT_TRUE(sound);
		cSoundChannel* channel = PlayEffect(manager, sound);
		ASSERT_NE(channel, nullptr);
		EXPECT_EQ(channel->GetState(), cSoundChannel::Playing);

		// The whole sound, then the silence the rest of the ring holds.
		EXPECT_EQ(MixBytes(manager, frames), StereoSamples(frames));
		EXPECT_EQ(MixBytes(manager, 4410), std::string(4410 * 4, '\0'));

		// The first refill after the last byte was played ends the channel.
		TickOnce(manager);
		EXPECT_TRUE(channel->IsStopped());
		EXPECT_FALSE(channel->IsBufferPlaying());

		// Played again, it starts from the beginning with a freshly filled ring.
		channel->Reset();
		channel->Play(false);
		EXPECT_EQ(channel->GetState(), cSoundChannel::Playing);
		EXPECT_EQ(MixBytes(manager, frames), StereoSamples(frames));

		manager->ReleaseChannel(channel);
		EXPECT_TRUE(manager->GetEffectChannels().empty());
	});
}

TEST(cSoundDevice, StreamsASoundLongerThanTheRingAcrossTicks)
{
	cTempFolder folder;
	const int frames = 5 * 44100;
	WriteWave("long", PcmWave(frames, 2, 16, 44100));
	RunInChild([&] {
		cSoundManager* manager = StartWithWaves();
		cResourceHandle sound = SoundNamed("long");
		cSoundChannel* channel = PlayEffect(manager, sound);
		ASSERT_NE(channel, nullptr);

		// A tick every 0.2 s of output, as the streaming thread does.
		const std::string expected = StereoSamples(frames);
		std::string heard;
		const uint32_t step = 8820;
		for (int mixed = 0; mixed < frames; mixed += step)
		{
			EXPECT_FALSE(channel->IsStopped()) << "at frame " << mixed;
			heard += MixBytes(manager, step);
			TickOnce(manager);
		}
		EXPECT_EQ(heard.substr(0, expected.size()), expected);
		EXPECT_EQ(heard.substr(expected.size()), std::string(heard.size() - expected.size(), '\0'));
		EXPECT_TRUE(channel->IsStopped());
	});
}

TEST(cSoundDevice, TheStreamingThreadRefillsTheRing)
{
	cTempFolder folder;
	const int frames = 4 * 44100;
	WriteWave("long", PcmWave(frames, 2, 16, 44100));
	RunInChild([&] {
		cSoundManager* manager = StartWithWaves(false);
		// The channel keeps the sound: its caller may let go of it at once.
		cSoundChannel* channel = PlayEffect(manager, SoundNamed("long"));
		ASSERT_NE(channel, nullptr);
		const std::string expected = StereoSamples(frames);

		std::string heard = MixBytes(manager, 2 * 44100);
		// Two periods of the thread: the ring is refilled behind the play position.
		Sleep(2 * cDirectSound::SleepMilliseconds + 50);
		heard += MixBytes(manager, frames - 2 * 44100);
		EXPECT_EQ(heard, expected);
	});
}

TEST(cSoundDevice, ALoopingSoundWrapsAndNeverStopsByItself)
{
	cTempFolder folder;
	const int frames = 11025;
	WriteWave("loop", PcmWave(frames, 2, 16, 44100));
	RunInChild([&] {
		cSoundManager* manager = StartWithWaves();
		cResourceHandle sound = SoundNamed("loop");
		cSoundChannel* channel = PlayEffect(manager, sound, true);
		ASSERT_NE(channel, nullptr);
		const std::string once = StereoSamples(frames);
		for (int pass = 0; pass < 16; ++pass)
		{
			EXPECT_EQ(MixBytes(manager, frames), once) << "pass " << pass;
			TickOnce(manager);
		}
		EXPECT_EQ(channel->GetState(), cSoundChannel::Playing);
	});
}

TEST(cSoundDevice, LendsFortyPooledBuffersAndOwnBuffersForOtherFormats)
{
	cTempFolder folder;
	WriteWave("stereo", PcmWave(100, 2, 16, 44100));
	WriteWave("mono", PcmWave(100, 1, 16, 22050));
	WriteWave("slow", PcmWave(100, 2, 16, 22050));
	RunInChild([&] {
		cSoundManager* manager = StartWithWaves();
		cResourceHandle stereo = SoundNamed("stereo");
		std::vector<cSoundChannel*> channels;
		for (int i = 0; i < cDirectSound::PoolSize; ++i)
			channels.push_back(manager->CreateChannel(nullptr, stereo, false));
		for (cSoundChannel* channel : channels)
			ASSERT_NE(channel, nullptr);
		EXPECT_EQ(manager->CreateChannel(nullptr, stereo, false), nullptr);

		// A channel given back returns its buffer to the pool.
		manager->ReleaseChannel(channels[7]);
		cSoundChannel* again = manager->CreateChannel(nullptr, stereo, false);
		EXPECT_NE(again, nullptr);

		// Sounds of other formats get a ring of three seconds at their own rate.
		for (const char* name : { "mono", "slow" })
		{
			cResourceHandle other = SoundNamed(name);
			cSoundChannel* channel = manager->CreateChannel(nullptr, other, false);
			ASSERT_NE(channel, nullptr) << name;
			DSBCAPS caps{};
			caps.dwSize = sizeof(caps);
			channel->GetBuffer()->GetCaps(&caps);
			EXPECT_EQ(caps.dwBufferBytes, 3 * DecoderOf(other)->GetFormat()->nAvgBytesPerSec) << name;
			manager->ReleaseChannel(channel);
		}
	});
}

TEST(cSoundDevice, PlaysStereoAtOtherRatesAtTheirOwnSpeed)
{
	cTempFolder folder;
	const int frames = 2205;
	WriteWave("slow", PcmWave(frames, 2, 16, 22050));
	RunInChild([&] {
		cSoundManager* manager = StartWithWaves();
		cResourceHandle sound = SoundNamed("slow");
		ASSERT_NE(PlayEffect(manager, sound), nullptr);
		// 0.1 s of sound lasts 0.1 s of output: non-silent up to 4410 frames, silent after.
		const std::string heard = MixBytes(manager, 2 * frames + 441);
		int lastSound = -1;
		for (size_t i = 0; i < heard.size() / 2; ++i)
			if (SampleAt(heard, i) != 0)
				lastSound = static_cast<int>(i / 2);
		EXPECT_GE(lastSound, 2 * frames - 3);
		EXPECT_LT(lastSound, 2 * frames);
	});
}

TEST(cSoundDevice, VolumesMapToHundredthsOfADecibel)
{
	const struct
	{
		float volume;
		LONG expected;
	} cases[] = { { 1.0f, 0 }, { 0.5f, -2500 }, { 0.03f, -4850 }, { 0.0299f, -10000 }, { 0.0f, -10000 } };
	for (const auto& c : cases)
		EXPECT_EQ(cSoundChannel::Attenuation(c.volume), c.expected) << c.volume;
}

TEST(cSoundDevice, WithoutADeviceEverythingRunsSilently)
{
	cTempFolder folder;
	WriteWave("beep", PcmWave(100, 2, 16, 44100));
	const struct
	{
		const char* name;
		cDirectSound::DeviceOpener opener;
	} cases[] = {
		{ "no device", &OpenNoDevice },
		// The real device over an audio driver that cannot open.
		{ "audio driver that cannot open", nullptr },
		{ "no cooperative level", &OpenWithoutCooperativeLevel },
		{ "no primary buffer", &OpenWithoutPrimaryBuffer },
	};
	for (const auto& c : cases)
		RunInChild([&] {
			SCOPED_TRACE(c.name);
			setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
			cLog::GetInstance();
			testing::internal::CaptureStderr();
			cSoundManager* manager = CreateSoundManager(c.opener);
			const std::string log = testing::internal::GetCapturedStderr();
			EXPECT_NE(log.find("Sound manager initialize failed..."), std::string::npos) << log;
			EXPECT_EQ(log.find("Sound manager initialize failed..."), log.rfind("Sound manager initialize failed..."));
			EXPECT_FALSE(manager->GetDevice().IsInitialised());

			cResourceManager::GetInstance()->AddSource("data");
			cResourceHandle sound = SoundNamed("beep");
			ASSERT_TRUE(sound);
			EXPECT_EQ(manager->CreateChannel(nullptr, sound, false), nullptr);
			manager->PlayMusic(sound);
			EXPECT_TRUE(manager->GetMusicChannels().empty());
			manager->FadeOutMusic();
			manager->Update(0.1f);
			manager->OnActivate(false);
			TickOnce(manager);

			cConfig::GetInstance()->GetSettings().SetText("sound_volume", "0.25");
			EXPECT_FLOAT_EQ(manager->GetEffectsVolume(), 0.25f);
		});
}
