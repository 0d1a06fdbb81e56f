#include "platform/dsound/cDirectSound8.h"

#include "platform/dsound/DSoundTestSupport.h"
#include "platform/dsound/cDSoundBuffer.h"
#include "platform/dsound/cDSoundMixer.h"

#include <cstddef>

namespace
{
// The record's size on 32-bit systems, which programs written for them pass.
const DWORD kDescriptionSize32 = 36;

bool IsSupportedFormat(const WAVEFORMATEX& format)
{
	const bool layout = format.wFormatTag == WAVE_FORMAT_PCM && (format.nChannels == 1 || format.nChannels == 2) &&
		(format.wBitsPerSample == 8 || format.wBitsPerSample == 16);
	return layout && format.nBlockAlign == format.nChannels * format.wBitsPerSample / 8 &&
		format.nSamplesPerSec >= DSBFREQUENCY_MIN && format.nSamplesPerSec <= DSBFREQUENCY_MAX;
}

HRESULT CreateDevice(IDirectSound8** object, bool withOutput)
{
	if (!object)
		return DSERR_INVALIDPARAM;
	*object = nullptr;
	auto mixer = std::make_shared<dsound::cDSoundMixer>();
	if (withOutput && !mixer->OpenOutput())
		return DSERR_NODRIVER;
	*object = new dsound::cDirectSound8(std::move(mixer));
	return DS_OK;
}
}

namespace dsound
{
cDirectSound8::cDirectSound8(std::shared_ptr<cDSoundMixer> mixer) : m_mixer(std::move(mixer))
{
}

HRESULT cDirectSound8::QueryInterface(const GUID& iid, void** object)
{
	if (!object)
		return DSERR_INVALIDPARAM;
	*object = nullptr;
	if (!(iid == IID_IDirectSound8))
		return DSERR_NOINTERFACE;
	AddRef();
	*object = static_cast<IDirectSound8*>(this);
	return DS_OK;
}

ULONG cDirectSound8::AddRef()
{
	return ++m_references;
}

ULONG cDirectSound8::Release()
{
	const ULONG left = --m_references;
	if (left == 0)
		delete this;
	return left;
}

HRESULT cDirectSound8::CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer** buffer, void* outer)
{
	if (!buffer)
		return DSERR_INVALIDPARAM;
	*buffer = nullptr;
	if (outer)
		return DSERR_NOAGGREGATION;
	if (!description || (description->dwSize != sizeof(DSBUFFERDESC) && description->dwSize != kDescriptionSize32))
		return DSERR_INVALIDPARAM;
	const DWORD flags = description->dwFlags;
	if (flags & DSBCAPS_PRIMARYBUFFER)
	{
		if (description->dwBufferBytes != 0 || description->lpwfxFormat)
			return DSERR_INVALIDPARAM;
		*buffer = new cDSoundBuffer(m_mixer, flags);
		return DS_OK;
	}
	const WAVEFORMATEX* format = description->lpwfxFormat;
	if (!format || description->dwBufferBytes < DSBSIZE_MIN || description->dwBufferBytes > DSBSIZE_MAX)
		return DSERR_INVALIDPARAM;
	if (!IsSupportedFormat(*format))
		return DSERR_BADFORMAT;
	*buffer = new cDSoundBuffer(m_mixer, flags, description->dwBufferBytes, *format);
	return DS_OK;
}

HRESULT cDirectSound8::SetCooperativeLevel(HWND, DWORD level)
{
	if (level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY)
		return DSERR_INVALIDPARAM;
	return DS_OK;
}
}

HRESULT DirectSoundCreate8(const GUID* device, IDirectSound8** object, void* outer)
{
	if (object)
		*object = nullptr;
	if (outer)
		return DSERR_NOAGGREGATION;
	if (device)
		return DSERR_NODRIVER;
	return CreateDevice(object, true);
}

namespace DSoundTest
{
HRESULT CreateDeviceWithoutOutput(IDirectSound8** device)
{
	return CreateDevice(device, false);
}

void MixFrames(IDirectSound8* device, int16_t* out, DWORD frames)
{
	static_cast<dsound::cDirectSound8*>(device)->Mixer().Mix(out, frames);
}
}
