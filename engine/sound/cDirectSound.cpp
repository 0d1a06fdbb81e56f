#include "engine/sound/cDirectSound.h"

#include "engine/foundation/cLog.h"
#include "engine/foundation/cWin32Application.h"
#include "engine/sound/cSoundChannel.h"
#include "platform/win32/Win32Time.h"

#include <algorithm>

namespace
{
HRESULT OpenDefaultDevice(IDirectSound8** device)
{
	return DirectSoundCreate8(nullptr, device, nullptr);
}

cDirectSound::DeviceOpener s_deviceOpener = &OpenDefaultDevice;

// The format of the pooled buffers: 44100 Hz, stereo, 16-bit PCM.
const WAVEFORMATEX kPooledFormat = { WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 18 };

// The description size of 32-bit systems, which the layer accepts.
const DWORD kDescriptionSize = 36;
const DWORD kRingFlags = DSBCAPS_CTRLVOLUME | DSBCAPS_GLOBALFOCUS | DSBCAPS_GETCURRENTPOSITION2;

HWND ApplicationWindow()
{
	return Singletone<cWin32Application>::GetInstance()->GetWindowHandle();
}
}

void cDirectSound::SetDeviceOpener(DeviceOpener opener)
{
	s_deviceOpener = opener ? opener : &OpenDefaultDevice;
}

cDirectSound::cDirectSound()
{
	InitializeCriticalSection(&m_lock);
	if (!Open())
	{
		LOG(2, "Sound manager initialize failed...");
		return;
	}
	m_initialised = true;
	m_nextPoolIndex = 0;
}

bool cDirectSound::Open()
{
	if (FAILED(s_deviceOpener(&m_device)) || !m_device)
	{
		m_device = nullptr;
		return false;
	}
	if (FAILED(m_device->SetCooperativeLevel(ApplicationWindow(), DSSCL_PRIORITY)))
		return false;

	// Without the primary buffer nothing is heard: the device stays
	// uninitialised and the game runs silently.
	DSBUFFERDESC primary{};
	primary.dwSize = kDescriptionSize;
	primary.dwFlags = DSBCAPS_PRIMARYBUFFER;
	if (FAILED(m_device->CreateSoundBuffer(&primary, &m_primaryBuffer, nullptr)) || !m_primaryBuffer)
	{
		m_primaryBuffer = nullptr;
		return false;
	}
	m_primaryBuffer->Play(0, 0, DSBPLAY_LOOPING);
	CreatePooledBuffers(PoolSize);
	return true;
}

cDirectSound::~cDirectSound()
{
	Stop();
	for (IDirectSoundBuffer* buffer : m_pooledBuffers)
		buffer->Release();
	for (IDirectSoundBuffer* buffer : m_privateBuffers)
		buffer->Release();
	if (m_primaryBuffer)
		m_primaryBuffer->Release();
	if (m_device)
	{
		m_device->SetCooperativeLevel(ApplicationWindow(), DSSCL_NORMAL);
		m_device->Release();
	}
	DeleteCriticalSection(&m_lock);
}

void cDirectSound::CreatePooledBuffers(int count)
{
	for (int i = 0; i < count; ++i)
	{
		IDirectSoundBuffer* buffer = CreateRingBuffer(kPooledFormat);
		if (!buffer)
			continue;
		m_pooledBuffers.push_back(buffer);
		m_freeSlots.push_back(buffer);
	}
}

IDirectSoundBuffer* cDirectSound::CreateRingBuffer(const WAVEFORMATEX& format)
{
	DSBUFFERDESC description{};
	description.dwSize = kDescriptionSize;
	description.dwFlags = kRingFlags;
	description.dwBufferBytes = RingSeconds * format.nAvgBytesPerSec;
	WAVEFORMATEX ownFormat = format;
	description.lpwfxFormat = &ownFormat;
	IDirectSoundBuffer* buffer = nullptr;
	if (FAILED(m_device->CreateSoundBuffer(&description, &buffer, nullptr)))
		return nullptr;
	return buffer;
}

bool cDirectSound::IsPooledFormat(const WAVEFORMATEX& format)
{
	return format.wFormatTag == kPooledFormat.wFormatTag && format.nChannels == kPooledFormat.nChannels
		&& format.nSamplesPerSec == kPooledFormat.nSamplesPerSec
		&& format.wBitsPerSample == kPooledFormat.wBitsPerSample;
}

bool cDirectSound::Step()
{
	Lock();
	m_tick.Invoke(1);
	Unlock();
	Sleep(SleepMilliseconds);
	return true;
}

cSoundChannel* cDirectSound::NewChannel(const void* key, const cResourceHandle& sound)
{
	if (!m_initialised)
		return nullptr;
	return new cSoundChannel(key, sound);
}

IDirectSoundBuffer* cDirectSound::AcquireBuffer(const WAVEFORMATEX& format)
{
	if (!m_initialised)
		return nullptr;
	// Only sounds of the pooled format can play from a pooled buffer: any
	// other rate or sample width would play at the wrong speed or as noise.
	if (!IsPooledFormat(format))
	{
		IDirectSoundBuffer* buffer = CreateRingBuffer(format);
		if (buffer)
			m_privateBuffers.push_back(buffer);
		return buffer;
	}
	const int slots = static_cast<int>(m_freeSlots.size());
	for (int i = 0; i < slots; ++i)
	{
		m_nextPoolIndex = (m_nextPoolIndex + 1) % slots;
		IDirectSoundBuffer* buffer = m_freeSlots[m_nextPoolIndex];
		if (buffer)
		{
			buffer->SetCurrentPosition(0);
			m_freeSlots[m_nextPoolIndex] = nullptr;
			return buffer;
		}
	}
	return nullptr;
}

void cDirectSound::ReleaseBuffer(IDirectSoundBuffer* buffer)
{
	if (!buffer)
		return;
	buffer->Stop();
	auto privateBuffer = std::find(m_privateBuffers.begin(), m_privateBuffers.end(), buffer);
	if (privateBuffer != m_privateBuffers.end())
	{
		m_privateBuffers.erase(privateBuffer);
		buffer->Release();
		return;
	}
	auto freeSlot = std::find(m_freeSlots.begin(), m_freeSlots.end(), nullptr);
	if (freeSlot != m_freeSlots.end())
		*freeSlot = buffer;
}
