#include "TempFolder.h"

#include "engine/foundation/Folders.h"
#include "engine/foundation/cDirectoryListing.h"
#include "engine/foundation/sPathInfo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

TEST(PathInfo, SplitsIntoItsParts)
{
	struct sCase
	{
		const char* path;
		const char* extension;
		const char* folder;
		const char* name;
		const char* withoutExtension;
	};
	const sCase cases[] = {
		{"data\\Sounds\\Click.WAV", "wav", "data\\Sounds", "Click", "data\\Sounds\\Click"},
		{"my.dir\\file", "", "my.dir", "file", "my.dir\\file"},
		{"archive.tar.gz", "gz", "", "archive.tar", "\\archive.tar"},
		{"readme", "", "", "readme", "\\readme"},
		{"a\\", "", "a", "", "a\\"},
	};
	for (const sCase& c : cases)
	{
		sPathInfo info(c.path);
		EXPECT_EQ(info.fullPath, c.path);
		EXPECT_EQ(info.extension, c.extension) << c.path;
		EXPECT_EQ(info.folder, c.folder) << c.path;
		EXPECT_EQ(info.name, c.name) << c.path;
		EXPECT_EQ(info.pathWithoutExtension, c.withoutExtension) << c.path;
	}
}

TEST(DirectoryListing, ListsFoldersAndFilesWithoutDots)
{
	cTempFolder folder;
	cTempFolder::WriteFile("folder/b.TXT", "");
	cTempFolder::WriteFile("folder/A.dat", "");
	cTempFolder::WriteFile("folder/c", "");
	fs::create_directories("folder/Sub");

	cDirectoryListing listing("folder\\*.*");
	EXPECT_EQ(listing.GetFolders(), std::list<std::string>{"Sub"});
	std::vector<std::string> names;
	for (const sPathInfo& file : listing.GetFiles())
	{
		EXPECT_TRUE(file.folder.empty());
		names.push_back(file.fullPath + "|" + file.extension);
	}
	EXPECT_EQ(names, (std::vector<std::string>{"A.dat|dat", "b.TXT|txt", "c|"}));

	// Existence tests with a plain path.
	EXPECT_EQ(cDirectoryListing("folder\\sub").GetFolders().size(), 1u);
	EXPECT_EQ(cDirectoryListing("folder\\c").GetFiles().size(), 1u);
	EXPECT_TRUE(cDirectoryListing("folder\\none").GetFiles().empty());

	cTempFolder::WriteFile("folder/d.txt", "");
	listing.Refresh();
	EXPECT_EQ(listing.GetFiles().size(), 4u);
}

TEST(Folders, CreateFolderRecursiveMakesEveryMissingParent)
{
	cTempFolder folder;
	CreateFolderRecursive("a\\b\\c");
	EXPECT_TRUE(fs::is_directory("a/b/c"));
	CreateFolderRecursive("a\\b\\c"); // already there: nothing happens
	CreateFolderRecursive("");
	CreateFolderRecursive(cTempFolder::EnginePath(folder.Root()) + "\\abs\\olute");
	EXPECT_TRUE(fs::is_directory(folder.Root() + "/abs/olute"));
}

TEST(Folders, RenameNeverReplacesAndRemoveIgnoresMissingFiles)
{
	cTempFolder folder;
	cTempFolder::WriteFile("one.profile", "1");
	cTempFolder::WriteFile("two.profile", "2");
	EXPECT_EQ(RenameFile("one.profile", "two.profile"), -1);
	EXPECT_EQ(cTempFolder::ReadFile("one.profile"), "1");
	EXPECT_EQ(cTempFolder::ReadFile("two.profile"), "2");
	EXPECT_EQ(RenameFile("one.profile", "three.profile"), 0);
	EXPECT_EQ(cTempFolder::ReadFile("three.profile"), "1");
	RemoveFile("three.profile");
	RemoveFile("three.profile");
	EXPECT_FALSE(fs::exists("three.profile"));
}

TEST(Folders, CurrentFolderStack)
{
	cTempFolder folder;
	fs::create_directories("data/sub");
	std::string start = GetCurrentFolder();
	EXPECT_EQ(start, cTempFolder::EnginePath(folder.Work()));
	PushCurrentFolder("data");
	PushCurrentFolder("SUB");
	EXPECT_EQ(GetCurrentFolder(), start + "\\data\\sub");
	PopCurrentFolder();
	EXPECT_EQ(GetCurrentFolder(), start + "\\data");
	PopCurrentFolder();
	PopCurrentFolder(); // empty stack: nothing happens
	EXPECT_EQ(GetCurrentFolder(), start);
}

TEST(Folders, WellKnownFolders)
{
	cTempFolder folder;
	EXPECT_EQ(GetUserFolder(), cTempFolder::EnginePath(folder.Root() + "/appdata"));
	EXPECT_TRUE(fs::is_directory(folder.Root() + "/appdata"));
	std::string program = GetProgramFolder();
	EXPECT_EQ(program, cTempFolder::EnginePath(fs::canonical("/proc/self/exe").parent_path().string()));
	EXPECT_EQ(GetResourceFolder(), program);

	unsetenv("XDG_DATA_HOME");
	setenv("HOME", "relative", 1);
	// Without a usable home, the password database still names one; the
	// result is never unset memory.
	std::string user = GetUserFolder();
	EXPECT_TRUE(user.empty() || user[0] == '\\');
}
