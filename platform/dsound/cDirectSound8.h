#pragma once
// The DirectSound device: owns the mixer and makes the buffers played
// through it.

#include "platform/dsound/DSound.h"

#include <atomic>
#include <memory>

namespace dsound
{
class cDSoundMixer;

class cDirectSound8 : public IDirectSound8
{
public:
	explicit cDirectSound8(std::shared_ptr<cDSoundMixer> mixer);

	HRESULT QueryInterface(const GUID& iid, void** object) override;
	ULONG AddRef() override;
	ULONG Release() override;

	HRESULT CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer** buffer, void* outer) override;
	HRESULT SetCooperativeLevel(HWND window, DWORD level) override;

	cDSoundMixer& Mixer() { return *m_mixer; }

private:
	virtual ~cDirectSound8() = default;

	std::atomic<ULONG> m_references{1};
	std::shared_ptr<cDSoundMixer> m_mixer;
};
}
