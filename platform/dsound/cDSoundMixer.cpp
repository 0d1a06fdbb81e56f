#include "platform/dsound/cDSoundMixer.h"

#include "platform/dsound/cDSoundBuffer.h"
#include "platform/win32/Win32Debug.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace
{
// Starts SDL's audio once; it then stays up for the rest of the process.
bool StartAudio()
{
	static std::mutex startLock;
	std::lock_guard<std::mutex> lock(startLock);
	return SDL_WasInit(SDL_INIT_AUDIO) != 0 || SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
}

bool ReportFailure(const char* what)
{
	OutputDebugStringA((std::string("DirectSound: ") + what + ": " + SDL_GetError() + "\n").c_str());
	return false;
}

int16_t ClippedSample(float value)
{
	return static_cast<int16_t>(std::clamp(std::lrint(value), -32768L, 32767L));
}
}

namespace dsound
{
cDSoundMixer::~cDSoundMixer()
{
	if (m_output != 0)
		SDL_CloseAudioDevice(m_output);
}

bool cDSoundMixer::OpenOutput()
{
	if (!StartAudio())
		return ReportFailure("no audio");
	SDL_AudioSpec wanted{};
	wanted.freq = kRate;
	wanted.format = AUDIO_S16SYS;
	wanted.channels = kChannels;
	wanted.samples = 1024;
	wanted.callback = &cDSoundMixer::OutputCallback;
	wanted.userdata = this;
	// No changes allowed: SDL converts our format to the hardware's.
	SDL_AudioSpec obtained{};
	m_output = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
	if (m_output == 0)
		return ReportFailure("no audio output");
	SDL_PauseAudioDevice(m_output, 0);
	return true;
}

void cDSoundMixer::Add(cDSoundBuffer* buffer)
{
	m_buffers.push_back(buffer);
}

void cDSoundMixer::Remove(cDSoundBuffer* buffer)
{
	m_buffers.erase(std::remove(m_buffers.begin(), m_buffers.end(), buffer), m_buffers.end());
}

void cDSoundMixer::Mix(int16_t* out, DWORD frames)
{
	std::lock_guard<std::mutex> lock(m_mutex);
	m_accumulator.assign(size_t(frames) * kChannels, 0.0f);
	for (cDSoundBuffer* buffer : m_buffers)
		buffer->MixInto(m_accumulator.data(), frames, m_masterGain);
	for (size_t i = 0; i < m_accumulator.size(); ++i)
		out[i] = ClippedSample(m_accumulator[i]);
}

void cDSoundMixer::OutputCallback(void* mixer, uint8_t* stream, int bytes)
{
	const DWORD frames = DWORD(bytes) / (kChannels * sizeof(int16_t));
	static_cast<cDSoundMixer*>(mixer)->Mix(reinterpret_cast<int16_t*>(stream), frames);
}
}
