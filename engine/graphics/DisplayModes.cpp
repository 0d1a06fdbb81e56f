#include "engine/graphics/DisplayModes.h"

#include "engine/foundation/cLog.h"

#include <algorithm>

namespace
{
// Keeps the modes whose key equals wanted, or, when none does, those with
// the largest key.
template <class Key>
void KeepMatching(std::vector<D3DDISPLAYMODE>& modes, int wanted, Key key)
{
	bool anyEqual = std::any_of(modes.begin(), modes.end(), [&](const D3DDISPLAYMODE& mode) {
		return key(mode) == wanted;
	});
	int kept = wanted;
	if (!anyEqual)
	{
		kept = key(modes.front());
		for (const D3DDISPLAYMODE& mode : modes)
			kept = std::max(kept, key(mode));
	}
	std::erase_if(modes, [&](const D3DDISPLAYMODE& mode) { return key(mode) != kept; });
}
}

sDisplaySettings FitWindowToDesktop(const sDisplaySettings& settings, int desktopWidth, int desktopHeight)
{
	sDisplaySettings result = settings;
	if (result.width >= desktopWidth)
	{
		result.width = desktopWidth - 100;
		result.height = (result.width * 3) / 4;
	}
	if (result.height >= desktopHeight)
	{
		result.height = desktopHeight - 100;
		result.width = (result.height * 4) / 3;
	}
	return result;
}

sDisplaySettings PickFullScreenMode(const sDisplaySettings& settings, const std::vector<D3DDISPLAYMODE>& modes)
{
	sDisplaySettings result = settings;
	if (modes.empty())
	{
		LOG(1, "No full-screen display mode; keeping %d x %d\n", settings.width, settings.height);
		return result;
	}
	std::vector<D3DDISPLAYMODE> survivors = modes;
	KeepMatching(survivors, settings.width, [](const D3DDISPLAYMODE& mode) { return int(mode.Width); });
	KeepMatching(survivors, settings.height, [](const D3DDISPLAYMODE& mode) { return int(mode.Height); });
	KeepMatching(survivors, settings.bpp, [](const D3DDISPLAYMODE& mode) { return FormatBitDepth(mode.Format); });
	KeepMatching(survivors, 0, [](const D3DDISPLAYMODE& mode) { return int(mode.RefreshRate); });
	result.width = int(survivors.front().Width);
	result.height = int(survivors.front().Height);
	return result;
}

D3DFORMAT BackBufferFormatForBpp(int bpp)
{
	switch (bpp)
	{
	case 16: return D3DFMT_R5G6B5;
	case 24: return D3DFMT_R8G8B8;
	case 32: return D3DFMT_A8R8G8B8;
	default: return D3DFMT_UNKNOWN;
	}
}

int FormatBitDepth(D3DFORMAT format)
{
	switch (format)
	{
	case D3DFMT_R5G6B5:
	case D3DFMT_X1R5G5B5:
	case D3DFMT_A1R5G5B5:
	case D3DFMT_A4R4G4B4:
	case D3DFMT_X4R4G4B4:
		return 16;
	case D3DFMT_R8G8B8:
		return 24;
	case D3DFMT_A8R8G8B8:
	case D3DFMT_X8R8G8B8:
		return 32;
	default:
		return 0;
	}
}

sDisplaySettings ValidDisplaySize(const sDisplaySettings& settings)
{
	if (settings.width > 0 && settings.height > 0)
		return settings;
	LOG(1, "Display size %d x %d is not valid; using 1024 x 768\n", settings.width, settings.height);
	sDisplaySettings result = settings;
	const sDisplaySettings defaults;
	result.width = defaults.width;
	result.height = defaults.height;
	return result;
}
