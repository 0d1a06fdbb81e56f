#include "engine/foundation/ChildProcess.h"
#include "engine/foundation/TempFolder.h"

#include "engine/foundation/SettingsStartup.h"
#include "engine/foundation/StreamSerialization.h"
#include "engine/foundation/cMemoryStream.h"
#include "game/play/cPlayerProgress.h"
#include "game/play/cProfileListener.h"
#include "game/play/cProfileManager.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <thread>

namespace fs = std::filesystem;

namespace
{
const std::string SettingsFolder = "/appdata/Druvel's games/zv2";
const std::wstring Ann = L"Ann";
const std::wstring Bob = L"Bob";

cProfileManager* Manager()
{
	return Singletone<cProfileManager>::GetInstance();
}

// The settings store and the log as the game starts them, then the manager.
void StartGame()
{
	StartSettingsAndLog("zv2");
	Manager()->Init(CreatePlayerProgress, nullptr, 18);
}

std::vector<std::wstring> Names()
{
	std::vector<std::wstring> names;
	Manager()->GetProfileNames(names);
	return names;
}

std::string Bytes(cMemoryStream& stream)
{
	return std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

std::string Folder(const cTempFolder& folder)
{
	return folder.Root() + SettingsFolder;
}

std::string ListFile(const cTempFolder& folder)
{
	return Folder(folder) + "/profiles.data";
}

std::string ProfileFile(const cTempFolder& folder, const std::wstring& name)
{
	return Folder(folder) + "/" + cProfile::GetFileStem(name) + ".profile";
}

// A "profiles.data" as the manager writes it, optionally cut or altered by the caller.
std::string ProfileList(uint32_t version, const std::vector<std::wstring>& names, const std::wstring& current)
{
	cMemoryStream stream;
	StreamWriteU32(stream, cProfileManager::Magic);
	StreamWriteU32(stream, version);
	StreamWriteU32(stream, static_cast<uint32_t>(names.size()));
	for (const std::wstring& name : names)
		StreamWriteWideString(stream, name);
	StreamWriteWideString(stream, current);
	return Bytes(stream);
}

std::string ProgressBody(const std::string& location)
{
	cPlayerProgress progress;
	progress.currentLocation = location;
	cMemoryStream stream;
	progress.WriteBody(stream);
	return Bytes(stream);
}

// How often the log reported an error since the capture began.
int ErrorLines(const std::string& logged)
{
	int count = 0;
	for (size_t at = logged.find("Error:"); at != std::string::npos; at = logged.find("Error:", at + 1))
		++count;
	return count;
}
}

TEST(ProfileManager, FileStems)
{
	EXPECT_EQ(cProfile::GetFileStem(L"Ann"), "65110110");
	EXPECT_EQ(cProfile::GetFileStem(L"\x0416"), "-48-106");
	EXPECT_EQ(cProfile::GetFileStem(L""), "");
}

TEST(ProfileManager, ProfilesLiveAcrossRuns)
{
	cTempFolder folder;
	RunInChild([&] {
		StartGame();
		std::vector<std::wstring> names{L"stale"};
		EXPECT_FALSE(Manager()->GetProfileNames(names));
		EXPECT_TRUE(names.empty());
		EXPECT_EQ(Manager()->GetCurrentName(), L"");

		// Code-unit order: a surrogate (0xD83D) sorts before U+FF21.
		const std::wstring emoji = std::wstring(1, wchar_t(0xD83D)) + wchar_t(0xDE00);
		for (const std::wstring& name : {Bob, std::wstring(L"\xFF21"), emoji, Ann, std::wstring(L"ann")})
			EXPECT_TRUE(Manager()->CreateProfile(name));
		EXPECT_FALSE(Manager()->CreateProfile(Ann));
		EXPECT_EQ(Names(), (std::vector<std::wstring>{Ann, Bob, L"ann", emoji, L"\xFF21"}));
		EXPECT_EQ(g_currentProfile, nullptr); // creating selects nothing

		EXPECT_FALSE(Manager()->SelectProfile(L"Nobody"));
		EXPECT_TRUE(Manager()->SelectProfile(Bob));
		EXPECT_EQ(Manager()->GetCurrentName(), Bob);
		ASSERT_NE(g_currentProgress, nullptr);
		EXPECT_EQ(g_currentProgress, g_currentProfile);
		g_currentProgress->currentLocation = "location5";
		g_currentProgress->mapPlaces = {1, 2};

		// Selecting another profile stores the one that was current.
		EXPECT_TRUE(Manager()->SelectProfile(Ann));
		EXPECT_EQ(Manager()->GetCurrentName(), Ann);
		g_currentProgress->currentLocation = "location2";
		EXPECT_TRUE(g_currentProgress->Save());

		EXPECT_FALSE(Manager()->RenameProfile(L"Nobody", L"Zed"));
		EXPECT_FALSE(Manager()->RenameProfile(Ann, Bob));
		EXPECT_TRUE(Manager()->RenameProfile(L"ann", L"Cid"));
		EXPECT_FALSE(Manager()->DeleteProfile(L"ann"));
		EXPECT_TRUE(Manager()->DeleteProfile(L"\xFF21"));
	});
	EXPECT_TRUE(fs::exists(ProfileFile(folder, Bob)));
	EXPECT_TRUE(fs::exists(Folder(folder) + "/65110110.profile"));
	EXPECT_FALSE(fs::exists(Folder(folder) + "/temp_file"));

	RunInChild([&] {
		StartGame();
		const std::wstring emoji = std::wstring(1, wchar_t(0xD83D)) + wchar_t(0xDE00);
		EXPECT_EQ(Names(), (std::vector<std::wstring>{Ann, Bob, L"Cid", emoji}));
		EXPECT_EQ(Manager()->GetCurrentName(), Ann);
		ASSERT_NE(g_currentProgress, nullptr);
		EXPECT_EQ(g_currentProgress->currentLocation, "location2");
		EXPECT_TRUE(Manager()->SelectProfile(Bob));
		EXPECT_EQ(g_currentProgress->currentLocation, "location5");
		EXPECT_EQ(g_currentProgress->mapPlaces, (std::vector<int>{1, 2}));
	});
}

TEST(ProfileManager, DeletingTheCurrentProfileLeavesNoCurrentProfile)
{
	cTempFolder folder;
	RunInChild([&] {
		StartGame();
		Manager()->CreateProfile(Ann);
		Manager()->CreateProfile(Bob);
		Manager()->SelectProfile(Ann);
		g_currentProgress->Save();
		ASSERT_TRUE(fs::exists(ProfileFile(folder, Ann)));

		EXPECT_TRUE(Manager()->DeleteProfile(Ann));
		EXPECT_EQ(g_currentProfile, nullptr);
		EXPECT_EQ(g_currentProgress, nullptr);
		EXPECT_EQ(Manager()->GetCurrentName(), L"");
		EXPECT_FALSE(fs::exists(ProfileFile(folder, Ann)));
		EXPECT_EQ(ProfileList(18, {Bob}, L""), cTempFolder::ReadFile(ListFile(folder)));
	});
}

TEST(ProfileManager, StaleFilesAtANewNameAreReplaced)
{
	cTempFolder folder;
	RunInChild([&] {
		StartGame();
		// Creating: a file left by an earlier profile of the name goes.
		cTempFolder::WriteFile(ProfileFile(folder, Ann), ProgressBody("stale"));
		EXPECT_TRUE(Manager()->CreateProfile(Ann));
		EXPECT_FALSE(fs::exists(ProfileFile(folder, Ann)));

		// Renaming onto a stale file: the renamed player's progress wins.
		Manager()->SelectProfile(Ann);
		g_currentProgress->currentLocation = "location7";
		g_currentProgress->Save();
		const std::string annProgress = cTempFolder::ReadFile(ProfileFile(folder, Ann));
		cTempFolder::WriteFile(ProfileFile(folder, Bob), ProgressBody("stale"));
		EXPECT_TRUE(Manager()->RenameProfile(Ann, Bob));
		EXPECT_EQ(Manager()->GetCurrentName(), Bob);
		EXPECT_FALSE(fs::exists(ProfileFile(folder, Ann)));
		EXPECT_EQ(cTempFolder::ReadFile(ProfileFile(folder, Bob)), annProgress);

		// A profile never saved leaves no stale file behind its new name either.
		Manager()->CreateProfile(L"Cid");
		cTempFolder::WriteFile(ProfileFile(folder, L"Dee"), ProgressBody("stale"));
		EXPECT_TRUE(Manager()->RenameProfile(L"Cid", L"Dee"));
		EXPECT_FALSE(fs::exists(ProfileFile(folder, L"Dee")));
	});
	RunInChild([&] {
		StartGame();
		EXPECT_EQ(Names(), (std::vector<std::wstring>{Bob, L"Dee"}));
		EXPECT_EQ(g_currentProgress->currentLocation, "location7");
	});
}

TEST(ProfileManager, AnotherVersionDeletesEveryStoredProfile)
{
	cTempFolder folder;
	cTempFolder::WriteFile(ListFile(folder), ProfileList(17, {Ann, Bob}, Ann));
	cTempFolder::WriteFile(ProfileFile(folder, Ann), ProgressBody("a"));
	cTempFolder::WriteFile(ProfileFile(folder, Bob), ProgressBody("b"));
	cTempFolder::WriteFile(Folder(folder) + "/notes.txt", "kept");
	RunInChild([] {
		StartGame();
		EXPECT_TRUE(Names().empty());
		EXPECT_EQ(g_currentProgress, nullptr);
	});
	EXPECT_FALSE(fs::exists(ListFile(folder)));
	EXPECT_FALSE(fs::exists(ProfileFile(folder, Ann)));
	EXPECT_FALSE(fs::exists(ProfileFile(folder, Bob)));
	EXPECT_TRUE(fs::exists(Folder(folder) + "/notes.txt"));
}

TEST(ProfileManager, DamagedProfileListsLoseNoProfile)
{
	const std::string valid = ProfileList(18, {Ann, Bob}, Bob);
	cMemoryStream hugeName;
	StreamWriteU32(hugeName, 0x7FFFFFFF);
	hugeName.Write("A\0", 2);
	struct sCase
	{
		const char* name;
		std::string list;
		std::vector<std::wstring> names;
		std::wstring current;
		bool logged;
	};
	const sCase cases[] = {
		{"another magic", "PRFX" + valid.substr(4), {}, L"", true},
		{"cut inside the version", valid.substr(0, 6), {}, L"", true},
		{"no profiles", ProfileList(18, {}, L""), {}, L"", false},
		{"a count of 0xFFFFFFFF", valid.substr(0, 8) + "\xFF\xFF\xFF\xFF" + valid.substr(12), {Ann, Bob}, L"", true},
		{"a name length of 0x7FFFFFFF", valid.substr(0, 12) + Bytes(hugeName), {}, L"", true},
		{"a current name not listed", ProfileList(18, {Ann}, Bob), {Ann}, L"", true},
		{"a name listed twice", ProfileList(18, {Bob, Ann, Bob}, Bob), {Ann, Bob}, Bob, false},
		{"cut inside the current name", valid.substr(0, valid.size() - 1), {Ann, Bob}, L"", true},
	};
	for (const sCase& c : cases)
	{
		SCOPED_TRACE(c.name);
		cTempFolder folder;
		cTempFolder::WriteFile(ListFile(folder), c.list);
		cTempFolder::WriteFile(ProfileFile(folder, Ann), ProgressBody("a"));
		cTempFolder::WriteFile(ProfileFile(folder, Bob), ProgressBody("b"));
		cTempFolder::WriteFile(ProfileFile(folder, L"Cid"), ProgressBody("c"));
		RunInChild([&] {
			testing::internal::CaptureStderr();
			StartGame();
			const std::string logged = testing::internal::GetCapturedStderr();
			EXPECT_EQ(Names(), c.names);
			EXPECT_EQ(Manager()->GetCurrentName(), c.current);
			if (!c.current.empty())
			{
				EXPECT_EQ(g_currentProgress->currentLocation, "b");
			}
			EXPECT_EQ(ErrorLines(logged), c.logged ? 1 : 0) << logged;
		});
		EXPECT_EQ(cTempFolder::ReadFile(ListFile(folder)), c.list);
		for (const std::wstring& name : {Ann, Bob, std::wstring(L"Cid")})
			EXPECT_TRUE(fs::exists(ProfileFile(folder, name)));
	}
}

TEST(ProfileManager, ProfileListCutAtEveryLength)
{
	cTempFolder folder;
	const std::string valid = ProfileList(18, {Ann, Bob}, Bob);
	cTempFolder::WriteFile(ProfileFile(folder, Bob), ProgressBody("b"));
	RunInChild([&] {
		StartGame();
		for (size_t length = 0; length < valid.size(); ++length)
		{
			cTempFolder::WriteFile(ListFile(folder), valid.substr(0, length));
			Manager()->Load();
			EXPECT_EQ(Manager()->GetCurrentName(), L"") << length;
			const std::vector<std::wstring> names = Names();
			EXPECT_LE(names.size(), 2u) << length;
			EXPECT_TRUE(fs::exists(ProfileFile(folder, Bob))) << length;
		}
		cTempFolder::WriteFile(ListFile(folder), valid);
		Manager()->Load();
		EXPECT_EQ(Manager()->GetCurrentName(), Bob);
	});
}

TEST(ProfileManager, DamagedProfileFileKeepsTheProgressAndLogsOnce)
{
	cTempFolder folder;
	RunInChild([&] {
		StartGame();
		Manager()->CreateProfile(Ann);
		Manager()->SelectProfile(Ann);
		g_currentProgress->currentLocation = "kept";
		const std::string body = ProgressBody("written");
		for (const std::string& damaged : {body.substr(0, body.size() - 3), std::string("\xFF\xFF\xFF\xFF", 4)})
		{
			cTempFolder::WriteFile(ProfileFile(folder, Ann), damaged);
			testing::internal::CaptureStderr();
			EXPECT_FALSE(g_currentProgress->Load());
			const std::string logged = testing::internal::GetCapturedStderr();
			EXPECT_EQ(ErrorLines(logged), 1) << logged;
			EXPECT_EQ(g_currentProgress->currentLocation, "kept");
		}
		// An empty file leaves the progress as it is.
		cTempFolder::WriteFile(ProfileFile(folder, Ann), "");
		EXPECT_TRUE(g_currentProgress->Load());
		EXPECT_EQ(g_currentProgress->currentLocation, "kept");
	});
}

// Each row makes the next save fail in another way; the files of the
// previous save must stay and load at the next start.
TEST(ProfileManager, FailedSavesKeepThePreviousFiles)
{
	struct sCase
	{
		const char* name;
		// Prepares the failure; the save runs after it.
		std::function<void(const cTempFolder&)> fail;
	};
	const sCase cases[] = {
		{"the disk fills up halfway",
			[](const cTempFolder&) {
				signal(SIGXFSZ, SIG_IGN);
				// Room for the captured log, not for the files saved.
				rlimit limit{600, 600};
				setrlimit(RLIMIT_FSIZE, &limit);
			}},
		{"the temporary file cannot be made",
			[](const cTempFolder& folder) { fs::create_directory(Folder(folder) + "/temp_file"); }},
	};
	for (const sCase& c : cases)
	{
		SCOPED_TRACE(c.name);
		cTempFolder folder;
		RunInChild([&] {
			StartGame();
			Manager()->CreateProfile(Ann);
			Manager()->SelectProfile(Ann);
			g_currentProgress->currentLocation = "location1";
			g_currentProgress->inventory = {{"key", 1}};
			EXPECT_TRUE(g_currentProgress->Save());
		});
		const std::string previousList = cTempFolder::ReadFile(ListFile(folder));
		const std::string previousProfile = cTempFolder::ReadFile(ProfileFile(folder, Ann));
		RunInChild([&] {
			StartGame();
			c.fail(folder);
			g_currentProgress->currentLocation = "location9";
			g_currentProgress->inventory.assign(50, {"a long item name", 1});
			testing::internal::CaptureStderr();
			EXPECT_FALSE(g_currentProgress->Save());
			EXPECT_TRUE(Manager()->CreateProfile(std::wstring(400, L'B'))); // its list save fails
			const std::string logged = testing::internal::GetCapturedStderr();
			EXPECT_NE(logged.find("Could not save the profile file"), std::string::npos) << logged;
			EXPECT_NE(logged.find("Could not save the profile list"), std::string::npos) << logged;
			_exit(testing::Test::HasFailure() ? 1 : 0);
		});
		EXPECT_EQ(cTempFolder::ReadFile(ListFile(folder)), previousList);
		EXPECT_EQ(cTempFolder::ReadFile(ProfileFile(folder, Ann)), previousProfile);
		EXPECT_FALSE(fs::is_regular_file(Folder(folder) + "/temp_file"));
		fs::remove(Folder(folder) + "/temp_file");
		RunInChild([] {
			StartGame();
			EXPECT_EQ(Names(), std::vector<std::wstring>{Ann});
			EXPECT_EQ(g_currentProgress->currentLocation, "location1");
		});
	}
}

TEST(ProfileManager, ARenameThatFailsKeepsTheTarget)
{
	cTempFolder folder;
	RunInChild([&] {
		StartGame();
		Manager()->CreateProfile(Ann);
		// A folder where the list belongs cannot be replaced by a file.
		fs::remove(ListFile(folder));
		fs::create_directories(ListFile(folder) + "/inside");
		testing::internal::CaptureStderr();
		EXPECT_FALSE(Manager()->Save());
		const std::string logged = testing::internal::GetCapturedStderr();
		EXPECT_NE(logged.find("Could not save the profile list"), std::string::npos) << logged;
	});
	EXPECT_TRUE(fs::is_directory(ListFile(folder) + "/inside"));
	EXPECT_FALSE(fs::exists(Folder(folder) + "/temp_file"));
}

// The game killed at any point while it saves leaves files that load and
// hold either the old or the new content.
TEST(ProfileManager, KilledWhileSavingLeavesOldOrNewFiles)
{
	cTempFolder folder;
	RunInChild([] {
		StartGame();
		Manager()->CreateProfile(Ann);
		Manager()->SelectProfile(Ann);
		g_currentProgress->Save();
	});
	for (int round = 0; round < 24; ++round)
	{
		pid_t pid = fork();
		ASSERT_GE(pid, 0);
		if (pid == 0)
		{
			StartGame();
			for (int i = 0;; ++i)
			{
				// Each save writes one of two records of different sizes.
				const bool even = i % 2 == 0;
				g_currentProgress->currentLocation = even ? "even" : "odd";
				g_currentProgress->inventory.assign(even ? 3000 : 1000, {even ? "even item" : "odd item", 1});
				g_currentProgress->Save();
				Manager()->Save();
			}
		}
		std::this_thread::sleep_for(std::chrono::microseconds(2000 + round * 1500));
		kill(pid, SIGKILL);
		waitpid(pid, nullptr, 0);

		RunInChild([round] {
			StartGame();
			SCOPED_TRACE(round);
			EXPECT_EQ(Names(), std::vector<std::wstring>{Ann});
			ASSERT_NE(g_currentProgress, nullptr);
			const std::string& location = g_currentProgress->currentLocation;
			const size_t items = g_currentProgress->inventory.size();
			EXPECT_TRUE((location == "" && items == 0) || (location == "even" && items == 3000) ||
				(location == "odd" && items == 1000))
				<< location << " " << items;
		});
	}
}

namespace
{
// Keeps one number of its own in "profiles.data" and records the events.
class cRecordingListener : public cProfileListener
{
public:
	void SaveGlobals(cStream& stream) override { StreamWriteU32(stream, number); }
	void LoadGlobals(cStream& stream) override { StreamReadU32(stream, number); }
	void OnProfileCreated(cProfile* profile) override { events.push_back(L"created " + profile->GetName()); }
	void OnProfileNameChanged(cProfile* profile, const std::wstring& oldName) override
	{
		events.push_back(L"renamed " + oldName + L" " + profile->GetName());
	}
	void OnProfileDeleted(cProfile* profile) override { events.push_back(L"deleted " + profile->GetName()); }

	uint32_t number = 0;
	std::vector<std::wstring> events;
};
}

TEST(ProfileManager, ListenerKeepsItsBlockAndHearsTheEvents)
{
	cTempFolder folder;
	RunInChild([] {
		StartSettingsAndLog("zv2");
		cRecordingListener listener;
		listener.number = 77;
		Manager()->Init(CreatePlayerProgress, &listener, 18);
		Manager()->CreateProfile(Ann);
		Manager()->RenameProfile(Ann, Bob);
		Manager()->CreateProfile(L"Cid");
		Manager()->SelectProfile(L"Cid");
		Manager()->DeleteProfile(Bob);
		EXPECT_EQ(listener.events,
			(std::vector<std::wstring>{L"created Ann", L"renamed Ann Bob", L"created Cid", L"deleted Bob"}));
	});
	RunInChild([] {
		StartSettingsAndLog("zv2");
		cRecordingListener listener;
		Manager()->Init(CreatePlayerProgress, &listener, 18);
		EXPECT_EQ(listener.number, 77u);
		EXPECT_EQ(Names(), std::vector<std::wstring>{L"Cid"});
		EXPECT_EQ(Manager()->GetCurrentName(), L"Cid");
	});
}
