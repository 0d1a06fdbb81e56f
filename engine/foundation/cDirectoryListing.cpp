#include "engine/foundation/cDirectoryListing.h"

#include "platform/win32/Win32File.h"
#include "platform/win32/Win32Folder.h"

#include <cstring>

cDirectoryListing::cDirectoryListing(const std::string& mask) : m_mask(mask)
{
	Refresh();
}

void cDirectoryListing::Refresh()
{
	m_folders.clear();
	m_files.clear();
	WIN32_FIND_DATAA data;
	HANDLE find = FindFirstFileA(m_mask.c_str(), &data);
	if (find == INVALID_HANDLE_VALUE)
		return;
	do
	{
		if (strcmp(data.cFileName, ".") == 0 || strcmp(data.cFileName, "..") == 0)
			continue;
		if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
			m_folders.push_back(data.cFileName);
		else
			m_files.push_back(sPathInfo(data.cFileName));
	} while (FindNextFileA(find, &data));
	FindClose(find);
}
