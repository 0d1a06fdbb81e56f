#include "engine/input/ReadDeviceState.h"

namespace
{
const int kReacquisitions = 5;
}

bool ReadDeviceState(IDirectInputDevice7* device, DWORD size, void* data)
{
	HRESULT result = device->GetDeviceState(size, data);
	for (int attempt = 0; attempt < kReacquisitions && FAILED(result); ++attempt)
	{
		device->Acquire();
		result = device->GetDeviceState(size, data);
	}
	return SUCCEEDED(result);
}
