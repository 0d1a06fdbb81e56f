// The user's settings file.

#include "support/FuzzTarget.h"

#include "engine/foundation/cConfig.h"

#include <algorithm>
#include <cstdlib>

namespace
{
// The settings store, its folder in the scratch folder.
cConfig* Config()
{
	static cConfig* config = [] {
		setenv("XDG_DATA_HOME", FuzzScratchFolder().c_str(), 1);
		cConfig* made = cConfig::GetInstance();
		made->SetValue("short_name", "fuzzed");
		return made;
	}();
	return config;
}

std::string HostSettingsPath()
{
	std::string path = Config()->GetSettingsFilePath();
	std::replace(path.begin(), path.end(), '\\', '/');
	return path;
}

void Run(const uint8_t* data, size_t size)
{
	Config()->Load(); // creates the folder
	const std::string path = HostSettingsPath();
	WriteScratchFile(path.substr(FuzzScratchFolder().size() + 1), data, size);
	Config()->Load();
}

std::vector<std::string> Seeds()
{
	Config()->Load();
	cPropertyMap& settings = Config()->GetSettings();
	// Bound for the rest of the run: the store keeps pointers to them.
	static int width = 1280;
	static bool window = false;
	Config()->MarkSaved("video.width");
	settings.BindIntVariable("video.width", &width);
	Config()->MarkSaved("video.window");
	settings.BindBoolVariable("video.window", &window);
	Config()->MarkSaved("music_volume");
	Config()->Save();
	return {ReadHostFile(HostSettingsPath())};
}
}

ZV2_FUZZ_TARGET(Settings, Run, Seeds)
