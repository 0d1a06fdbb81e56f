#pragma once
// Folders: listing by a search mask, creation, the current folder and the
// user's application-data folder. Paths take "\" or "/" and come back with
// "\"; names are matched case-insensitively (see Win32Path.h).

#include "platform/win32/Win32Handle.h"

#ifndef MAX_PATH
#define MAX_PATH 260
#endif

#define CSIDL_APPDATA 0x001A
#define CSIDL_FLAG_CREATE 0x8000
#define SHGFP_TYPE_CURRENT 0

struct FILETIME
{
	DWORD dwLowDateTime;
	DWORD dwHighDateTime;
};

struct WIN32_FIND_DATAA
{
	DWORD dwFileAttributes;
	FILETIME ftCreationTime;
	FILETIME ftLastAccessTime;
	FILETIME ftLastWriteTime;
	DWORD nFileSizeHigh;
	DWORD nFileSizeLow;
	DWORD dwReserved0;
	DWORD dwReserved1;
	char cFileName[MAX_PATH];
	char cAlternateFileName[14];
};

struct SECURITY_ATTRIBUTES;

// Lists the entries matching a mask: a folder part (optional) and a last
// part that may hold "*" and "?" ("*.*" matches every name, also names
// without a dot). A mask without wildcards reports that entry itself.
// Entries come sorted by name, ignoring case. INVALID_HANDLE_VALUE
// (ERROR_FILE_NOT_FOUND) when nothing matches.
HANDLE FindFirstFileA(const char* mask, WIN32_FIND_DATAA* data);
BOOL FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data);
BOOL FindClose(HANDLE find);

BOOL CreateDirectoryA(const char* path, SECURITY_ATTRIBUTES* security);

// Writes the current folder and returns its length; when the buffer is too
// small, returns the size needed (terminator included) and writes nothing.
DWORD GetCurrentDirectoryA(DWORD size, char* buffer);
BOOL SetCurrentDirectoryA(const char* path);

// CSIDL_APPDATA: $XDG_DATA_HOME, else $HOME/.local/share, created when
// missing with CSIDL_FLAG_CREATE. path receives MAX_PATH characters at most
// and is empty on failure (E_FAIL).
HRESULT SHGetFolderPathA(HWND window, int folder, HANDLE token, DWORD flags, char* path);
