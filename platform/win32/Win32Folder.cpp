#include "platform/win32/Win32Folder.h"

#include "platform/win32/Win32Error.h"
#include "platform/win32/Win32File.h"
#include "platform/win32/Win32Path.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{
struct sFoundEntry
{
	std::string name;
	struct stat info;
};

struct cFindObject : Win32KernelObject
{
	std::vector<sFoundEntry> entries;
	size_t next = 0;
};

char LowerAscii(char c)
{
	return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Wildcard match ignoring case: "*" any run of characters, "?" one.
bool MatchesPattern(const char* pattern, const char* name)
{
	const char* star = nullptr;
	const char* resume = nullptr;
	while (*name)
	{
		if (*pattern == '*')
		{
			star = pattern++;
			resume = name;
		}
		else if (*pattern == '?' || LowerAscii(*pattern) == LowerAscii(*name))
		{
			++pattern;
			++name;
		}
		else if (star)
		{
			pattern = star + 1;
			name = ++resume;
		}
		else
			return false;
	}
	while (*pattern == '*')
		++pattern;
	return *pattern == '\0';
}

// A pattern ending in ".*" also matches names without any dot, as the
// Windows file system does ("*.*" matches every name, "readme.*" matches "readme").
bool MatchesMask(const std::string& pattern, const std::string& name)
{
	if (MatchesPattern(pattern.c_str(), name.c_str()))
		return true;
	if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0 &&
		name.find('.') == std::string::npos)
		return MatchesPattern(pattern.substr(0, pattern.size() - 2).c_str(), name.c_str());
	return false;
}

void Fill(const sFoundEntry& entry, WIN32_FIND_DATAA* data)
{
	memset(data, 0, sizeof(*data));
	data->dwFileAttributes = S_ISDIR(entry.info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
	uint64_t size = S_ISDIR(entry.info.st_mode) ? 0 : static_cast<uint64_t>(entry.info.st_size);
	data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
	data->nFileSizeLow = static_cast<DWORD>(size);
	strncpy(data->cFileName, entry.name.c_str(), MAX_PATH - 1);
}

// Adds every entry of folder whose name matches pattern.
void ListFolder(const std::string& folder, const std::string& pattern, std::vector<sFoundEntry>& entries)
{
	DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
	if (!dir)
		return;
	while (dirent* item = readdir(dir))
	{
		sFoundEntry entry;
		entry.name = item->d_name;
		if (!MatchesMask(pattern, entry.name))
			continue;
		std::string full = (folder.empty() ? std::string() : folder + "/") + entry.name;
		if (stat(full.c_str(), &entry.info) == 0)
			entries.push_back(entry);
	}
	closedir(dir);
}

bool MakeFolders(const std::string& hostPath)
{
	for (size_t slash = hostPath.find('/', 1); ; slash = hostPath.find('/', slash + 1))
	{
		std::string part = hostPath.substr(0, slash);
		if (mkdir(part.c_str(), 0777) != 0 && errno != EEXIST)
			return false;
		if (slash == std::string::npos)
			return true;
	}
}

std::string ApplicationDataFolder()
{
	const char* xdg = getenv("XDG_DATA_HOME");
	if (xdg && xdg[0] == '/')
		return xdg;
	const char* home = getenv("HOME");
	if (!home || home[0] != '/')
	{
		passwd* user = getpwuid(getuid());
		home = user ? user->pw_dir : nullptr;
	}
	if (!home || home[0] != '/')
		return std::string();
	std::string folder = home;
	if (folder.back() != '/')
		folder += '/';
	return folder + ".local/share";
}
}

HANDLE FindFirstFileA(const char* mask, WIN32_FIND_DATAA* data)
{
	std::string hostMask = ToHostPath(mask ? mask : "");
	size_t slash = hostMask.rfind('/');
	std::string folder = slash == std::string::npos ? std::string() : hostMask.substr(0, slash == 0 ? 1 : slash);
	std::string pattern = slash == std::string::npos ? hostMask : hostMask.substr(slash + 1);

	auto* find = new cFindObject;
	if (pattern.find_first_of("*?") != std::string::npos)
		ListFolder(folder, pattern, find->entries);
	else if (!pattern.empty())
	{
		// A plain path names one entry: report it under its name on disk.
		sFoundEntry entry;
		entry.name = pattern;
		if (stat(hostMask.c_str(), &entry.info) == 0)
			find->entries.push_back(entry);
	}
	std::sort(find->entries.begin(), find->entries.end(),
		[](const sFoundEntry& a, const sFoundEntry& b) { return NameLessIgnoringCase(a.name, b.name); });

	if (find->entries.empty())
	{
		delete find;
		SetLastError(ERROR_FILE_NOT_FOUND);
		return INVALID_HANDLE_VALUE;
	}
	Fill(find->entries[0], data);
	find->next = 1;
	return find->GetHandle();
}

BOOL FindNextFileA(HANDLE handle, WIN32_FIND_DATAA* data)
{
	auto find = Win32KernelObject::FromHandle<cFindObject>(handle);
	if (!find)
	{
		SetLastError(ERROR_INVALID_HANDLE);
		return FALSE;
	}
	if (find->next >= find->entries.size())
	{
		SetLastError(18); // ERROR_NO_MORE_FILES
		return FALSE;
	}
	Fill(find->entries[find->next++], data);
	return TRUE;
}

BOOL FindClose(HANDLE handle)
{
	if (!Win32KernelObject::FromHandle<cFindObject>(handle))
	{
		SetLastError(ERROR_INVALID_HANDLE);
		return FALSE;
	}
	return CloseHandle(handle);
}

BOOL CreateDirectoryA(const char* path, SECURITY_ATTRIBUTES*)
{
	if (mkdir(ToHostPath(path ? path : "").c_str(), 0777) != 0)
	{
		int error = errno;
		if (error == ENOENT)
			SetLastError(ERROR_PATH_NOT_FOUND);
		else
			SetLastErrorFromErrno(error);
		return FALSE;
	}
	return TRUE;
}

DWORD GetCurrentDirectoryA(DWORD size, char* buffer)
{
	std::vector<char> host(4096);
	if (!getcwd(host.data(), host.size()))
	{
		SetLastErrorFromErrno(errno);
		return 0;
	}
	std::string path = ToEnginePath(host.data());
	if (!buffer || path.size() + 1 > size)
		return static_cast<DWORD>(path.size() + 1);
	memcpy(buffer, path.c_str(), path.size() + 1);
	return static_cast<DWORD>(path.size());
}

BOOL SetCurrentDirectoryA(const char* path)
{
	if (!path || chdir(ToHostPath(path).c_str()) != 0)
	{
		SetLastErrorFromErrno(path ? errno : EINVAL);
		return FALSE;
	}
	return TRUE;
}

HRESULT SHGetFolderPathA(HWND, int folder, HANDLE, DWORD, char* path)
{
	if (path)
		path[0] = '\0';
	if (!path || (folder & 0xFF) != CSIDL_APPDATA)
		return E_INVALIDARG;
	std::string hostPath = ApplicationDataFolder();
	while (hostPath.size() > 1 && hostPath.back() == '/')
		hostPath.pop_back();
	if (hostPath.empty() || hostPath.size() >= MAX_PATH)
		return E_FAIL;
	struct stat info;
	if (stat(hostPath.c_str(), &info) != 0)
	{
		if (!(folder & CSIDL_FLAG_CREATE) || !MakeFolders(hostPath))
			return E_FAIL;
	}
	std::string enginePath = ToEnginePath(hostPath);
	memcpy(path, enginePath.c_str(), enginePath.size() + 1);
	return S_OK;
}
