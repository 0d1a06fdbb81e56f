#include "platform/win32/Win32Handle.h"

#include "platform/win32/Win32Error.h"

BOOL CloseHandle(HANDLE handle)
{
	if (!handle || handle == INVALID_HANDLE_VALUE)
	{
		SetLastError(ERROR_INVALID_HANDLE);
		return FALSE;
	}
	delete static_cast<Win32Object*>(handle);
	return TRUE;
}
