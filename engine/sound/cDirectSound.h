#pragma once
// The DirectSound device: the primary buffer kept playing, a pool of stereo
// ring buffers built once, buffers of their own for other formats, and the
// streaming thread that runs the installed tick every 200 ms under the
// device lock.

#include "engine/foundation/cDelegate.h"
#include "engine/foundation/cThread.h"
#include "platform/dsound/DSound.h"
#include "platform/win32/Win32Sync.h"

#include <vector>

class cResourceHandle;
class cSoundChannel;

class cDirectSound : public cThread
{
public:
	// Opens the output device for a new cDirectSound.
	typedef HRESULT (*DeviceOpener)(IDirectSound8** device);

	// Opens the device, builds the pool; the thread stays suspended until
	// the owner has installed the tick and starts it. Without a device the
	// object stays uninitialised and makes no channels.
	cDirectSound();
	// Stops the thread, then releases every buffer and the device.
	~cDirectSound() override;

	// One pass of the streaming thread; always true.
	bool Step() override;

	// The hook Step runs under the lock.
	void SetTick(const cDelegatePtr<int>& tick) { m_tick = tick; }
	bool IsInitialised() const { return m_initialised; }
	// The DirectSound device; null without one.
	IDirectSound8* GetDirectSound() const { return m_device; }

	// A new channel for the sound, whose decoder must exist, or null when
	// the device is not initialised.
	cSoundChannel* NewChannel(const void* key, const cResourceHandle& sound);

	// Lends a ring buffer for a sound of that format, or null when none can
	// be had (every pooled buffer lent, or creating one failed).
	IDirectSoundBuffer* AcquireBuffer(const WAVEFORMATEX& format);
	// Stops the buffer and takes it back.
	void ReleaseBuffer(IDirectSoundBuffer* buffer);

	// The device lock; recursive.
	void Lock() { EnterCriticalSection(&m_lock); }
	void Unlock() { LeaveCriticalSection(&m_lock); }
	CRITICAL_SECTION* GetLock() { return &m_lock; }

	// Replaces how later devices are opened (tests open devices without
	// output); null restores DirectSoundCreate8 on the default output.
	static void SetDeviceOpener(DeviceOpener opener);

	static constexpr int PoolSize = 40;
	static constexpr int RingSeconds = 3;
	static constexpr int SleepMilliseconds = 200;

private:
	bool Open();
	void CreatePooledBuffers(int count);
	IDirectSoundBuffer* CreateRingBuffer(const WAVEFORMATEX& format);
	static bool IsPooledFormat(const WAVEFORMATEX& format);

	IDirectSound8* m_device = nullptr;
	IDirectSoundBuffer* m_primaryBuffer = nullptr;
	std::vector<IDirectSoundBuffer*> m_pooledBuffers;
	int m_nextPoolIndex = 0;
	// The pooled buffers; a slot is null while its buffer is lent.
	std::vector<IDirectSoundBuffer*> m_freeSlots;
	std::vector<IDirectSoundBuffer*> m_privateBuffers;
	bool m_initialised = false;
	cDelegatePtr<int> m_tick;
	CRITICAL_SECTION m_lock;
};
