#pragma once
// A sound manager over a device without output, for tests that run in a
// child process: the mix is taken with MixFrames and the streaming thread
// is stopped so that the tests drive the ticks themselves.

#include "../foundation/TempFolder.h"
#include "WaveBuilder.h"

#include "engine/foundation/cAutoLock.h"
#include "engine/foundation/cConfig.h"
#include "engine/foundation/cLog.h"
#include "engine/foundation/cWin32Application.h"
#include "engine/resources/cResourceHandle.h"
#include "engine/sound/cSoundChannel.h"
#include "engine/sound/cSoundManager.h"
#include "engine/sound/cSoundResource.h"
#include "engine/sound/cSoundStream.h"
#include "platform/dsound/DSoundTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

// Bytes in a second of the pooled format.
constexpr uint32_t kStereoSecond = 176400;
constexpr uint32_t kRingBytes = 3 * kStereoSecond;

// Creates the managers the sound manager uses before it, as the game does,
// so that they outlive it at exit.
inline cSoundManager* CreateSoundManager(cDirectSound::DeviceOpener opener)
{
	cLog::GetInstance();
	cConfig::GetInstance();
	cWin32Application::GetInstance();
	cResourceManager::GetInstance();
	cDirectSound::SetDeviceOpener(opener);
	return cSoundManager::GetInstance();
}

// Creates the manager; with stopThread its streaming thread is stopped.
inline cSoundManager* StartSoundManager(bool stopThread = true)
{
	cSoundManager* manager = CreateSoundManager(&DSoundTest::CreateDeviceWithoutOutput);
	if (stopThread)
		manager->GetDevice().Stop();
	return manager;
}

// One tick of the streaming thread, on the calling thread.
inline void TickOnce(cSoundManager* manager)
{
	cAutoLock lock(manager->GetDevice().GetLock());
	manager->Tick(1);
}

// Advances every channel's fades by seconds in steps of 0.1 s, refilling as
// the streaming thread would.
inline void AdvanceChannels(cSoundManager* manager, float seconds)
{
	cAutoLock lock(manager->GetDevice().GetLock());
	for (float done = 0.0f; done < seconds - 0.001f; done += 0.1f)
	{
		for (cSoundChannel* channel : manager->GetMusicChannels())
			channel->Update(0.1f);
		for (cSoundChannel* channel : manager->GetEffectChannels())
			channel->Update(0.1f);
	}
}

// The next frames of the device's mix as bytes of 16-bit stereo samples.
inline std::string MixBytes(cSoundManager* manager, uint32_t frames)
{
	std::vector<int16_t> samples(2 * frames);
	DSoundTest::MixFrames(manager->GetDevice().GetDirectSound(), samples.data(), frames);
	return std::string(reinterpret_cast<const char*>(samples.data()), samples.size() * 2);
}

inline int16_t SampleAt(const std::string& bytes, size_t index)
{
	int16_t sample = 0;
	std::memcpy(&sample, bytes.data() + 2 * index, 2);
	return sample;
}

// The samples of a stereo 44100 Hz 16-bit sound of the given length.
inline std::string StereoSamples(int frames)
{
	return Samples(frames, 2, 16);
}

// Writes data/<name>.wav into the working folder.
inline void WriteWave(const std::string& name, const std::string& wave)
{
	cTempFolder::WriteFile("data/" + name + ".wav", wave);
}

inline cResourceHandle SoundNamed(const std::string& name)
{
	return cResourceHandle::InitByName<cSoundResource>(name);
}

inline cSoundStream* DecoderOf(const cResourceHandle& sound)
{
	return sound.Get<cSoundResource>()->GetSoundStream();
}
