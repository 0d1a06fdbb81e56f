#include "platform/win32/Win32Module.h"

#include "platform/win32/Win32Error.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

DWORD GetModuleFileNameA(HINSTANCE, char* buffer, DWORD size)
{
	char path[4096];
	ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
	if (length <= 0 || size == 0)
	{
		SetLastErrorFromErrno(length <= 0 ? errno : EINVAL);
		return 0;
	}
	path[length] = '\0';
	std::replace(path, path + length, '/', '\\');
	DWORD copied = std::min<DWORD>(static_cast<DWORD>(length), size - 1);
	memcpy(buffer, path, copied);
	buffer[copied] = '\0';
	return copied;
}
