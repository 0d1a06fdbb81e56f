// The list of profiles ("profiles.data"), read as the profile manager
// reads it when the game starts: the names, then the current profile
// activated.

#include "support/FuzzTarget.h"

#include "engine/foundation/Folders.h"
#include "game/play/cPlayerProgress.h"
#include "game/play/cProfileManager.h"

namespace
{
constexpr uint32_t kVersion = 7;

void Run(const uint8_t* data, size_t size)
{
	UseScratchSettingsFolder();
	WriteScratchFile("profiles.data", data, size);
	Singletone<cProfileManager>::GetInstance()->Init(CreatePlayerProgress, nullptr, kVersion);
}

std::vector<std::string> Seeds()
{
	UseScratchSettingsFolder();
	RemoveFile(cProfileManager::GetFilePath());
	cProfileManager* manager = Singletone<cProfileManager>::GetInstance();
	manager->Init(CreatePlayerProgress, nullptr, kVersion);
	for (const wchar_t* name : {L"Ann", L"\u0416\u0435\u043D\u044F", L"Bob"})
		manager->CreateProfile(name);
	manager->SelectProfile(L"Bob");
	const std::vector<std::string> seeds = {ReadHostFile(FuzzScratchFolder() + "/profiles.data")};
	// No profile of the seeds is left current or on disk.
	for (const wchar_t* name : {L"Ann", L"\u0416\u0435\u043D\u044F", L"Bob"})
		manager->DeleteProfile(name);
	return seeds;
}
}

ZV2_FUZZ_TARGET(ProfileList, Run, Seeds)
