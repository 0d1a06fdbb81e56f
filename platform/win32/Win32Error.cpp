#include "platform/win32/Win32Error.h"

#include <cerrno>

namespace
{
thread_local DWORD t_lastError = ERROR_SUCCESS;
}

DWORD GetLastError()
{
	return t_lastError;
}

void SetLastError(DWORD code)
{
	t_lastError = code;
}

void SetLastErrorFromErrno(int error)
{
	DWORD code;
	switch (error)
	{
	case 0: code = ERROR_SUCCESS; break;
	case ENOENT: code = ERROR_FILE_NOT_FOUND; break;
	case ENOTDIR: code = ERROR_PATH_NOT_FOUND; break;
	case EACCES:
	case EPERM:
	case EROFS: code = ERROR_ACCESS_DENIED; break;
	case EBADF: code = ERROR_INVALID_HANDLE; break;
	case ENOMEM: code = ERROR_NOT_ENOUGH_MEMORY; break;
	case EBUSY:
	case ETXTBSY: code = ERROR_SHARING_VIOLATION; break;
	case ENOSPC: code = ERROR_DISK_FULL; break;
	case EEXIST: code = ERROR_ALREADY_EXISTS; break;
	case EINVAL: code = ERROR_INVALID_PARAMETER; break;
	default: code = 0x1F; break; // a device that does not work
	}
	t_lastError = code;
}
