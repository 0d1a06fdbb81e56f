#include "game/play/cProfileManager.h"

#include "engine/foundation/Folders.h"
#include "engine/foundation/StreamSerialization.h"
#include "engine/foundation/TextConversion.h"
#include "engine/foundation/cConfig.h"
#include "engine/foundation/cDirectoryListing.h"
#include "engine/foundation/cFileStream.h"
#include "engine/foundation/cLog.h"
#include "engine/foundation/cMemoryStream.h"
#include "game/play/cProfile.h"
#include "game/play/cProfileListener.h"

namespace
{
std::string SettingsFolder()
{
	return Singletone<cConfig>::GetInstance()->GetValue("engine_directory");
}

bool FileExists(const std::string& path)
{
	return !cDirectoryListing(path).GetFiles().empty();
}

std::string Utf8Name(const std::wstring& name)
{
	std::string utf8;
	WideToUtf8(name, utf8);
	return utf8;
}
}

cProfileManager::~cProfileManager() = default;

void cProfileManager::Init(Creator creator, cProfileListener* listener, uint32_t version)
{
	m_creator = creator;
	m_listener = listener;
	m_version = version;
	Load();
}

std::string cProfileManager::GetFilePath()
{
	return SettingsFolder() + "\\profiles.data";
}

void cProfileManager::Load()
{
	const std::string path = GetFilePath();
	if (!FileExists(path))
		return;
	cFileStream file(path, 3, 2, 2);
	cMemoryStream data(file);
	uint32_t magic;
	uint32_t version;
	if (!StreamReadU32(data, magic) || magic != Magic)
	{
		LOG(2, "%s is no profile list; no profiles are read from it", path.c_str());
		return;
	}
	// A version that cannot be read decides nothing: the stored profiles stay.
	if (!StreamReadU32(data, version))
	{
		LOG(2, "%s ends before its version; no profiles are read from it", path.c_str());
		return;
	}

	m_profiles.clear();
	if (version != m_version)
	{
		DeleteStoredProfiles();
		return;
	}
	if (m_listener)
		m_listener->LoadGlobals(data);

	// Every name takes at least its 4-byte length, so a count larger than
	// the file holds ends at the first name that cannot be read.
	uint32_t count;
	bool complete = StreamReadU32(data, count);
	for (uint32_t i = 0; complete && i < count; ++i)
	{
		std::wstring name;
		complete = StreamReadWideString(data, name);
		if (complete)
			AddProfile(name);
	}
	std::wstring current;
	if (!complete || !StreamReadWideString(data, current))
	{
		LOG(2, "%s is damaged; only the profile names read completely are kept", path.c_str());
		return;
	}
	if (current.empty())
		return;
	auto profile = m_profiles.find(current);
	if (profile == m_profiles.end())
	{
		LOG(2, "%s names the current profile %s, which it does not list; no profile is current", path.c_str(),
			Utf8Name(current).c_str());
		return;
	}
	profile->second->Activate();
}

bool cProfileManager::Save()
{
	cMemoryStream data;
	StreamWriteU32(data, Magic);
	StreamWriteU32(data, m_version);
	if (m_listener)
		m_listener->SaveGlobals(data);
	StreamWriteU32(data, static_cast<uint32_t>(m_profiles.size()));
	for (const auto& [name, profile] : m_profiles)
		StreamWriteWideString(data, name);
	StreamWriteWideString(data, GetCurrentName());

	const std::string path = GetFilePath();
	if (cProfile::ReplaceFile(path, data))
		return true;
	LOG(2, "Could not save the profile list %s; the previous one is kept", path.c_str());
	return false;
}

cProfile* cProfileManager::AddProfile(const std::wstring& name)
{
	auto [entry, added] = m_profiles.try_emplace(name);
	if (added)
	{
		entry->second.reset(m_creator ? m_creator() : new cProfile);
		entry->second->SetName(name);
	}
	return entry->second.get();
}

bool cProfileManager::CreateProfile(const std::wstring& name)
{
	if (m_profiles.count(name))
		return false;
	cProfile* profile = AddProfile(name);
	// A file left by an earlier profile of this name is not this one's.
	RemoveFile(profile->GetFileName());
	if (m_listener)
		m_listener->OnProfileCreated(profile);
	Save();
	return true;
}

bool cProfileManager::SelectProfile(const std::wstring& name)
{
	auto profile = m_profiles.find(name);
	if (profile == m_profiles.end())
		return false;
	profile->second->Activate();
	Save();
	return true;
}

bool cProfileManager::RenameProfile(const std::wstring& oldName, const std::wstring& newName)
{
	auto entry = m_profiles.find(oldName);
	if (entry == m_profiles.end() || m_profiles.count(newName))
		return false;
	std::unique_ptr<cProfile> profile = std::move(entry->second);
	m_profiles.erase(entry);
	if (profile.get() == g_currentProfile)
		cProfile::CountActivation();
	const std::string from = profile->GetFileName();
	profile->SetName(newName);
	const std::string to = profile->GetFileName();
	if (from != to)
	{
		// A file left at the new path by an earlier profile would be read
		// as this one's; the rename never replaces, so it goes first.
		RemoveFile(to);
		if (FileExists(from) && RenameFile(from, to) != 0)
			LOG(2, "Could not rename the profile file %s to %s", from.c_str(), to.c_str());
	}
	cProfile* renamed = m_profiles.emplace(newName, std::move(profile)).first->second.get();
	if (m_listener)
		m_listener->OnProfileNameChanged(renamed, oldName);
	Save();
	return true;
}

bool cProfileManager::DeleteProfile(const std::wstring& name)
{
	auto entry = m_profiles.find(name);
	if (entry == m_profiles.end())
		return false;
	if (m_listener)
		m_listener->OnProfileDeleted(entry->second.get());
	std::unique_ptr<cProfile> profile = std::move(entry->second);
	m_profiles.erase(entry);
	const std::string path = profile->GetFileName();
	// Destroying the profile clears the current-profile and current-progress
	// pointers that name it.
	profile.reset();
	RemoveFile(path);
	Save();
	return true;
}

bool cProfileManager::GetProfileNames(std::vector<std::wstring>& names) const
{
	names.clear();
	for (const auto& [name, profile] : m_profiles)
		names.push_back(name);
	return !names.empty();
}

std::wstring cProfileManager::GetCurrentName() const
{
	return g_currentProfile ? g_currentProfile->GetName() : std::wstring();
}

void cProfileManager::DeleteStoredProfiles()
{
	RemoveFile(GetFilePath());
	const std::string folder = SettingsFolder();
	const cDirectoryListing profiles(folder + "\\*.profile");
	for (const sPathInfo& file : profiles.GetFiles())
		RemoveFile(folder + "\\" + file.fullPath);
}
