#pragma once
// Owns every player profile, keeps the list of their names and the current
// profile in "profiles.data" in the settings folder, and creates, selects,
// renames and deletes profiles. Also carries the game's cheat-mode flag.

#include "engine/foundation/Singletone.h"
#include "game/play/cProfile.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class cProfileListener;

class cProfileManager : public Singletone<cProfileManager>
{
public:
	typedef cProfile* (*Creator)();

	// "PRFL" read as a little-endian integer.
	static constexpr uint32_t Magic = 0x4C465250;

	// Destroys every profile without saving.
	~cProfileManager() override;

	// Stores the creator, the listener (may be null) and the version
	// "profiles.data" must carry, then loads it.
	void Init(Creator creator, cProfileListener* listener, uint32_t version);

	// Reads "profiles.data". A missing file, another magic or a cut version
	// keeps the profiles held; another version deletes the file and every
	// "*.profile" beside it. Damaged data keeps the names read completely
	// and is logged.
	void Load();
	// Writes "profiles.data" safely; false (the old file kept) on failure.
	bool Save();

	// False when the name exists. The new profile does not become current.
	bool CreateProfile(const std::wstring& name);
	// Activates the named profile; false when there is none.
	bool SelectProfile(const std::wstring& name);
	// False when the old name is missing or the new one exists.
	bool RenameProfile(const std::wstring& oldName, const std::wstring& newName);
	// False when there is no such profile.
	bool DeleteProfile(const std::wstring& name);

	// The names in ascending order of their UTF-16 units; false when there are none.
	bool GetProfileNames(std::vector<std::wstring>& names) const;
	// Empty when no profile is current.
	std::wstring GetCurrentName() const;

	bool IsCheatMode() const { return m_cheatMode; }
	void SetCheatMode(bool on) { m_cheatMode = on; }

	// "engine_directory" + "\" + "profiles.data".
	static std::string GetFilePath();

private:
	// Deletes "profiles.data" and every profile file beside it.
	void DeleteStoredProfiles();
	// Adds a profile made by the creator under the name; a name already
	// held keeps its profile. Returns the profile of the name.
	cProfile* AddProfile(const std::wstring& name);

	bool m_cheatMode = false;
	Creator m_creator = nullptr;
	std::map<std::wstring, std::unique_ptr<cProfile>> m_profiles;
	cProfileListener* m_listener = nullptr;
	uint32_t m_version = 0;
};
