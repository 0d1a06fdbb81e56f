#include "platform/win32/Win32Error.h"
#include "platform/win32/Win32File.h"
#include "platform/win32/Win32Folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
class Win32FileTest : public testing::Test
{
protected:
	void SetUp() override
	{
		char pattern[] = "/tmp/zv2_win32_XXXXXX";
		m_root = mkdtemp(pattern);
	}
	void TearDown() override { fs::remove_all(m_root); }

	// The engine's form of a path below the temporary folder.
	std::string Path(const std::string& relative) const
	{
		std::string path = m_root + "/" + relative;
		for (char& c : path)
			if (c == '/')
				c = '\\';
		return path;
	}

	void MakeFile(const std::string& relative, const std::string& bytes) const
	{
		fs::create_directories(fs::path(m_root + "/" + relative).parent_path());
		std::ofstream(m_root + "/" + relative, std::ios::binary) << bytes;
	}

	std::string ReadBack(const std::string& relative) const
	{
		std::ifstream in(m_root + "/" + relative, std::ios::binary);
		return std::string(std::istreambuf_iterator<char>(in), {});
	}

	std::vector<std::string> List(const std::string& mask) const
	{
		std::vector<std::string> names;
		WIN32_FIND_DATAA data;
		HANDLE find = FindFirstFileA(Path(mask).c_str(), &data);
		if (find == INVALID_HANDLE_VALUE)
			return names;
		do
			names.push_back(std::string(data.cFileName) + ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? "/" : ""));
		while (FindNextFileA(find, &data));
		EXPECT_TRUE(FindClose(find));
		return names;
	}

	std::string m_root;
};
}

TEST_F(Win32FileTest, CreationCodesOpenCreateAndTruncateAsNamed)
{
	const DWORD rw = GENERIC_READ | GENERIC_WRITE;
	EXPECT_EQ(CreateFileA(Path("a.bin").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr),
		INVALID_HANDLE_VALUE);
	EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

	HANDLE file = CreateFileA(Path("a.bin").c_str(), rw, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
	ASSERT_NE(file, INVALID_HANDLE_VALUE);
	DWORD count = 0;
	EXPECT_TRUE(WriteFile(file, "hello", 5, &count, nullptr));
	EXPECT_EQ(count, 5u);
	EXPECT_TRUE(CloseHandle(file));

	// Open-always keeps the bytes; create-new refuses; create-always truncates.
	file = CreateFileA(Path("a.bin").c_str(), rw, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
	EXPECT_EQ(GetFileSize(file, nullptr), 5u);
	CloseHandle(file);
	EXPECT_EQ(CreateFileA(Path("a.bin").c_str(), rw, 0, nullptr, CREATE_NEW, 0, nullptr), INVALID_HANDLE_VALUE);
	EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
	file = CreateFileA(Path("a.bin").c_str(), rw, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
	EXPECT_EQ(GetFileSize(file, nullptr), 0u);
	CloseHandle(file);

	// A folder is not a file.
	fs::create_directory(m_root + "/dir");
	EXPECT_EQ(CreateFileA(Path("dir").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
}

TEST_F(Win32FileTest, ReadSeekAndSetEndBehaveAsTheSystemReports)
{
	MakeFile("f.bin", "0123456789");
	HANDLE file = CreateFileA(Path("f.bin").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
	ASSERT_NE(file, INVALID_HANDLE_VALUE);

	EXPECT_EQ(SetFilePointer(file, -3, nullptr, FILE_END), 7u);
	char buffer[8] = {};
	DWORD read = 0;
	EXPECT_TRUE(ReadFile(file, buffer, 8, &read, nullptr)); // short read at the end is no failure
	EXPECT_EQ(read, 3u);
	EXPECT_EQ(std::string(buffer, 3), "789");
	EXPECT_TRUE(ReadFile(file, buffer, 8, &read, nullptr));
	EXPECT_EQ(read, 0u);

	EXPECT_EQ(SetFilePointer(file, -20, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
	EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
	EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), 10u); // a failed seek does not move

	EXPECT_EQ(SetFilePointer(file, 4, nullptr, FILE_BEGIN), 4u);
	EXPECT_TRUE(SetEndOfFile(file));
	EXPECT_EQ(GetFileSize(file, nullptr), 4u);
	EXPECT_EQ(SetFilePointer(file, 16, nullptr, FILE_BEGIN), 16u);
	EXPECT_TRUE(SetEndOfFile(file));
	EXPECT_EQ(GetFileSize(file, nullptr), 16u);
	EXPECT_TRUE(FlushFileBuffers(file));
	CloseHandle(file);
	EXPECT_EQ(ReadBack("f.bin"), std::string("0123") + std::string(12, '\0'));

	EXPECT_FALSE(ReadFile(INVALID_HANDLE_VALUE, buffer, 1, &read, nullptr));
	EXPECT_EQ(GetFileSize(nullptr, nullptr), INVALID_FILE_SIZE);
}

TEST_F(Win32FileTest, WriteReportsAFullDisk)
{
	HANDLE file = CreateFileA("/dev/full", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
	ASSERT_NE(file, INVALID_HANDLE_VALUE);
	DWORD written = 99;
	EXPECT_FALSE(WriteFile(file, "abc", 3, &written, nullptr));
	EXPECT_EQ(written, 0u);
	EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
	CloseHandle(file);
}

TEST_F(Win32FileTest, PathsTakeEitherSeparatorAndAnyCase)
{
	MakeFile("Data/Sounds/Click.WAV", "wave");
	for (const char* name : {"data\\sounds\\click.wav", "DATA/Sounds\\CLICK.wav", "Data/Sounds/Click.WAV"})
	{
		HANDLE file = CreateFileA((Path("") + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
		EXPECT_NE(file, INVALID_HANDLE_VALUE) << name;
		EXPECT_EQ(GetFileSize(file, nullptr), 4u) << name;
		CloseHandle(file);
	}
	// Creating through a folder named in another case lands in that folder.
	HANDLE file = CreateFileA(Path("data\\SOUNDS\\new.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
	ASSERT_NE(file, INVALID_HANDLE_VALUE);
	CloseHandle(file);
	EXPECT_TRUE(fs::exists(m_root + "/Data/Sounds/new.txt"));
}

TEST_F(Win32FileTest, FindListsSortedIgnoringCaseWithMasks)
{
	MakeFile("dir/beta.profile", "");
	MakeFile("dir/Alpha.txt", "");
	MakeFile("dir/readme", "");
	MakeFile("dir/gamma.PROFILE", "");
	fs::create_directory(m_root + "/dir/Sub");

	EXPECT_EQ(List("dir\\*.*"),
		(std::vector<std::string>{"./", "../", "Alpha.txt", "beta.profile", "gamma.PROFILE", "readme", "Sub/"}));
	EXPECT_EQ(List("DIR\\*.profile"), (std::vector<std::string>{"beta.profile", "gamma.PROFILE"}));
	EXPECT_EQ(List("dir\\read?e.*"), (std::vector<std::string>{"readme"}));
	// A plain path reports the entry itself, with its name as on disk.
	EXPECT_EQ(List("dir\\sub"), (std::vector<std::string>{"Sub/"}));
	EXPECT_EQ(List("dir\\alpha.TXT"), (std::vector<std::string>{"Alpha.txt"}));
	WIN32_FIND_DATAA data;
	EXPECT_EQ(FindFirstFileA(Path("dir\\missing").c_str(), &data), INVALID_HANDLE_VALUE);
	EXPECT_EQ(FindFirstFileA(Path("nowhere\\*.*").c_str(), &data), INVALID_HANDLE_VALUE);
}

TEST_F(Win32FileTest, MoveRefusesAnExistingTargetUnlessAskedToReplace)
{
	MakeFile("old.txt", "old");
	MakeFile("new.txt", "new");
	EXPECT_FALSE(MoveFileA(Path("old.txt").c_str(), Path("new.txt").c_str()));
	EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
	EXPECT_FALSE(MoveFileA(Path("old.txt").c_str(), Path("NEW.TXT").c_str())); // same name on a case-blind system
	EXPECT_EQ(ReadBack("old.txt"), "old");
	EXPECT_EQ(ReadBack("new.txt"), "new");

	EXPECT_TRUE(MoveFileA(Path("old.txt").c_str(), Path("moved.txt").c_str()));
	EXPECT_FALSE(fs::exists(m_root + "/old.txt"));
	EXPECT_EQ(ReadBack("moved.txt"), "old");

	EXPECT_TRUE(MoveFileExA(Path("moved.txt").c_str(), Path("new.txt").c_str(),
		MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
	EXPECT_EQ(ReadBack("new.txt"), "old");

	EXPECT_TRUE(DeleteFileA(Path("NEW.txt").c_str()));
	EXPECT_FALSE(DeleteFileA(Path("new.txt").c_str()));
	EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(Win32FileTest, FoldersAndCurrentFolder)
{
	EXPECT_TRUE(CreateDirectoryA(Path("one").c_str(), nullptr));
	EXPECT_FALSE(CreateDirectoryA(Path("ONE").c_str(), nullptr));
	EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
	EXPECT_FALSE(CreateDirectoryA(Path("two\\three").c_str(), nullptr));
	EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

	char saved[2000];
	ASSERT_GT(GetCurrentDirectoryA(sizeof(saved), saved), 0u);
	EXPECT_TRUE(SetCurrentDirectoryA(Path("One").c_str()));
	char current[2000];
	DWORD length = GetCurrentDirectoryA(sizeof(current), current);
	EXPECT_EQ(std::string(current, length), Path("one"));
	EXPECT_EQ(GetCurrentDirectoryA(3, current), length + 1); // too small: the size needed
	EXPECT_TRUE(SetCurrentDirectoryA(saved));
	EXPECT_FALSE(SetCurrentDirectoryA(Path("missing").c_str()));
}

TEST_F(Win32FileTest, ApplicationDataFolderFollowsXdgThenHomeAndIsCreated)
{
	std::string savedXdg = getenv("XDG_DATA_HOME") ? getenv("XDG_DATA_HOME") : "";
	std::string savedHome = getenv("HOME") ? getenv("HOME") : "";
	char path[MAX_PATH];

	setenv("XDG_DATA_HOME", (m_root + "/xdg/data").c_str(), 1);
	EXPECT_EQ(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
	EXPECT_EQ(std::string(path), Path("xdg\\data"));
	EXPECT_TRUE(fs::is_directory(m_root + "/xdg/data"));

	unsetenv("XDG_DATA_HOME");
	setenv("HOME", m_root.c_str(), 1);
	EXPECT_EQ(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, path), E_FAIL); // missing, not created
	EXPECT_EQ(std::string(path), "");
	EXPECT_EQ(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, path), S_OK);
	EXPECT_EQ(std::string(path), Path(".local\\share"));

	setenv("HOME", savedHome.c_str(), 1);
	if (!savedXdg.empty())
		setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
}
