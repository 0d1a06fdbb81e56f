#pragma once
// DirectSound 8: one output device and the sound buffers mixed into it.
//
// - DirectSoundCreate8 opens the output (44100 Hz, stereo, 16-bit); the
//   buffers of a device are mixed into it continuously on the audio thread.
// - The primary buffer (DSBCAPS_PRIMARYBUFFER, no length, no format) stands
//   for the output itself: Play and Stop are accepted and change nothing
//   audible; with DSBCAPS_CTRLVOLUME its SetVolume sets the master volume.
// - A secondary buffer holds PCM of its own format (8-bit unsigned or 16-bit
//   signed, mono or stereo, 100 to 200000 Hz), converted while mixing. It
//   plays from its play cursor; with DSBPLAY_LOOPING it wraps to its start,
//   otherwise it stops at its end and its play cursor returns to 0.
// - Lock hands out the region of a range as one or two parts (the second
//   when the range runs past the end of the buffer and wraps to its start);
//   what is written there reaches the buffer at Unlock. Everything from the
//   play cursor onward is not yet mixed, so the write cursor equals the play
//   cursor.
// - Volume is in hundredths of a decibel (DSBVOLUME_MIN, silence, to
//   DSBVOLUME_MAX, full); pan attenuates the opposite side the same way
//   (DSBPAN_LEFT to DSBPAN_RIGHT). Volume, pan and frequency each need their
//   DSBCAPS_CTRL flag at creation (DSERR_CONTROLUNAVAIL otherwise).
// - Every call is safe from any thread while the device mixes.
//
// Objects are reference counted: AddRef, Release (the last frees it). A
// buffer may outlive the device it came from; it is then no longer heard.

#include "platform/win32/Win32Types.h"

// Results.
#define DS_OK S_OK
#define DSERR_GENERIC E_FAIL
#define DSERR_INVALIDPARAM E_INVALIDARG
#define DSERR_NOINTERFACE E_NOINTERFACE
#define DSERR_OUTOFMEMORY E_OUTOFMEMORY
#define DSERR_NOAGGREGATION ((HRESULT)0x80040110L)
#define DSERR_CONTROLUNAVAIL ((HRESULT)0x8878001EL)
#define DSERR_INVALIDCALL ((HRESULT)0x88780032L)
#define DSERR_BADFORMAT ((HRESULT)0x88780064L)
#define DSERR_NODRIVER ((HRESULT)0x88780078L)

// Cooperative levels: accepted and all alike, as no other program shares the
// output here.
#define DSSCL_NORMAL 0x00000001u
#define DSSCL_PRIORITY 0x00000002u
#define DSSCL_EXCLUSIVE 0x00000003u
#define DSSCL_WRITEPRIMARY 0x00000004u

// Buffer description flags. Focus and location flags are accepted and make
// no difference: buffers are always heard and always mixed in software.
#define DSBCAPS_PRIMARYBUFFER 0x00000001u
#define DSBCAPS_STATIC 0x00000002u
#define DSBCAPS_LOCHARDWARE 0x00000004u
#define DSBCAPS_LOCSOFTWARE 0x00000008u
#define DSBCAPS_CTRL3D 0x00000010u
#define DSBCAPS_CTRLFREQUENCY 0x00000020u
#define DSBCAPS_CTRLPAN 0x00000040u
#define DSBCAPS_CTRLVOLUME 0x00000080u
#define DSBCAPS_CTRLPOSITIONNOTIFY 0x00000100u
#define DSBCAPS_CTRLFX 0x00000200u
#define DSBCAPS_STICKYFOCUS 0x00004000u
#define DSBCAPS_GLOBALFOCUS 0x00008000u
#define DSBCAPS_GETCURRENTPOSITION2 0x00010000u
#define DSBCAPS_MUTE3DATMAXDISTANCE 0x00020000u
#define DSBCAPS_LOCDEFER 0x00040000u

// Lock: start at the write cursor instead of the offset; lock the whole
// buffer instead of the byte count.
#define DSBLOCK_FROMWRITECURSOR 0x00000001u
#define DSBLOCK_ENTIREBUFFER 0x00000002u

#define DSBPLAY_LOOPING 0x00000001u

#define DSBSTATUS_PLAYING 0x00000001u
#define DSBSTATUS_BUFFERLOST 0x00000002u
#define DSBSTATUS_LOOPING 0x00000004u

#define DSBVOLUME_MIN (-10000)
#define DSBVOLUME_MAX 0
#define DSBPAN_LEFT (-10000)
#define DSBPAN_CENTER 0
#define DSBPAN_RIGHT 10000
// SetFrequency: 0 plays at the format's own rate.
#define DSBFREQUENCY_ORIGINAL 0
#define DSBFREQUENCY_MIN 100
#define DSBFREQUENCY_MAX 200000
#define DSBSIZE_MIN 4
#define DSBSIZE_MAX 0x0FFFFFFF

#define WAVE_FORMAT_PCM 1

// The 18-byte format record, packed as stored in files.
#pragma pack(push, 1)
struct WAVEFORMATEX
{
	WORD wFormatTag;
	WORD nChannels;
	DWORD nSamplesPerSec;
	DWORD nAvgBytesPerSec;
	WORD nBlockAlign;
	WORD wBitsPerSample;
	WORD cbSize; // extra bytes after the record; ignored for PCM
};
#pragma pack(pop)
static_assert(sizeof(WAVEFORMATEX) == 18);

struct DSBUFFERDESC
{
	DWORD dwSize; // sizeof(DSBUFFERDESC), or 36, the record's size on 32-bit systems
	DWORD dwFlags;
	DWORD dwBufferBytes; // 0 for the primary buffer
	DWORD dwReserved;
	const WAVEFORMATEX* lpwfxFormat; // null for the primary buffer
	GUID guid3DAlgorithm;            // ignored
};

struct DSBCAPS
{
	DWORD dwSize; // sizeof(DSBCAPS), 20
	DWORD dwFlags;
	DWORD dwBufferBytes;
	DWORD dwUnlockTransferRate;
	DWORD dwPlayCpuOverhead;
};

typedef WAVEFORMATEX* LPWAVEFORMATEX;
typedef DSBUFFERDESC* LPDSBUFFERDESC;
typedef DSBCAPS* LPDSBCAPS;

inline constexpr GUID IID_IDirectSound8 = {0x44530008, 0x5344, 0x4C32, {'d', 's', 'o', 'u', 'n', 'd', 0, 8}};
inline constexpr GUID IID_IDirectSoundBuffer = {0x44534200, 0x5344, 0x4C32, {'d', 's', 'b', 'u', 'f', 0, 0, 0}};
inline constexpr GUID IID_IDirectSoundBuffer8 = {0x44534208, 0x5344, 0x4C32, {'d', 's', 'b', 'u', 'f', 0, 0, 8}};

class IDirectSoundBuffer
{
public:
	// IID_IDirectSoundBuffer and IID_IDirectSoundBuffer8 give the buffer itself
	// with one more reference.
	virtual HRESULT QueryInterface(const GUID& iid, void** object) = 0;
	virtual ULONG AddRef() = 0;
	virtual ULONG Release() = 0;

	// caps->dwSize must be sizeof(DSBCAPS).
	virtual HRESULT GetCaps(DSBCAPS* caps) = 0;
	// Byte offsets in the buffer; either pointer may be null.
	virtual HRESULT GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor) = 0;
	virtual HRESULT GetStatus(DWORD* status) = 0;
	// Locks bytes from offset, wrapping past the end: the first part runs to
	// the end of the buffer at most, the second (null, 0 when none) from its
	// start. bytes may not exceed the buffer's size. One lock at a time.
	virtual HRESULT Lock(DWORD offset, DWORD bytes, void** part1, DWORD* bytes1, void** part2, DWORD* bytes2,
		DWORD flags) = 0;
	// Plays from the play cursor (priority must be 0); playing again only
	// changes the looping flag.
	virtual HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) = 0;
	// Moves the play cursor (rounded down to a whole sample frame).
	virtual HRESULT SetCurrentPosition(DWORD position) = 0;
	virtual HRESULT SetVolume(LONG volume) = 0;
	virtual HRESULT SetPan(LONG pan) = 0;
	virtual HRESULT SetFrequency(DWORD frequency) = 0;
	// Pauses at the play cursor.
	virtual HRESULT Stop() = 0;
	// Writes back what was locked: the parts and the counts actually written
	// (at most the locked ones).
	virtual HRESULT Unlock(void* part1, DWORD bytes1, void* part2, DWORD bytes2) = 0;

protected:
	~IDirectSoundBuffer() = default;
};

class IDirectSoundBuffer8 : public IDirectSoundBuffer
{
protected:
	~IDirectSoundBuffer8() = default;
};

class IDirectSound8
{
public:
	// IID_IDirectSound8 gives the device itself with one more reference.
	virtual HRESULT QueryInterface(const GUID& iid, void** object) = 0;
	virtual ULONG AddRef() = 0;
	virtual ULONG Release() = 0;

	// outer must be null.
	virtual HRESULT CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer** buffer, void* outer) = 0;
	// Any window, null included; the level must be one of DSSCL_.
	virtual HRESULT SetCooperativeLevel(HWND window, DWORD level) = 0;

protected:
	~IDirectSound8() = default;
};

typedef IDirectSound8* LPDIRECTSOUND8;
typedef IDirectSoundBuffer* LPDIRECTSOUNDBUFFER;
typedef IDirectSoundBuffer8* LPDIRECTSOUNDBUFFER8;

// Opens the default output (device must be null); DSERR_NODRIVER when there
// is no audio output. The audio system starts on the first call and stays up
// for the rest of the process.
HRESULT DirectSoundCreate8(const GUID* device, IDirectSound8** object, void* outer);
