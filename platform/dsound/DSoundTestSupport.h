#pragma once
// Hooks of the DirectSound stand-in for tests: the mix can be taken
// synchronously instead of through the audio output, so that the samples and
// cursors are exactly known.

#include "platform/dsound/DSound.h"

#include <cstdint>

namespace DSoundTest
{
// The mix: stereo frames of 16-bit samples at this rate.
constexpr DWORD kOutputRate = 44100;

// A device like DirectSoundCreate8's that plays into nothing: only MixFrames
// mixes its buffers and moves their cursors.
HRESULT CreateDeviceWithoutOutput(IDirectSound8** device);

// Mixes frames stereo frames (2 x frames samples, left first) of every
// playing buffer of the device into out, advancing their play cursors as the
// output would.
void MixFrames(IDirectSound8* device, int16_t* out, DWORD frames);
}
