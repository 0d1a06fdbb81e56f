#pragma once
// Files: open, read, write, seek, size, flush, delete and move, over POSIX
// descriptors. Paths take "\" or "/" and are matched case-insensitively
// (see Win32Path.h). Handles are closed with CloseHandle.

#include "platform/win32/Win32Handle.h"

#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define GENERIC_EXECUTE 0x20000000u

#define FILE_SHARE_READ 0x1u
#define FILE_SHARE_WRITE 0x2u
#define FILE_SHARE_DELETE 0x4u

#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5

#define FILE_ATTRIBUTE_DIRECTORY 0x10u
#define FILE_ATTRIBUTE_NORMAL 0x80u

#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2

#define INVALID_SET_FILE_POINTER 0xFFFFFFFFu
#define INVALID_FILE_SIZE 0xFFFFFFFFu
#define ERROR_NEGATIVE_SEEK 131

#define MOVEFILE_REPLACE_EXISTING 0x1u
#define MOVEFILE_WRITE_THROUGH 0x8u

struct SECURITY_ATTRIBUTES;
struct OVERLAPPED;

// Sharing modes are accepted and ignored. A folder cannot be opened as a
// file (ERROR_ACCESS_DENIED). INVALID_HANDLE_VALUE on failure.
HANDLE CreateFileA(const char* path, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security, DWORD disposition,
	DWORD attributes, HANDLE templateFile);

// Reads up to count bytes; a short read at the end of the file succeeds.
BOOL ReadFile(HANDLE file, void* buffer, DWORD count, DWORD* read, OVERLAPPED* overlapped);
// Writes count bytes; FALSE with the bytes that made it when the disk is full.
BOOL WriteFile(HANDLE file, const void* buffer, DWORD count, DWORD* written, OVERLAPPED* overlapped);

// Moves by a signed 32-bit distance (the high part is not used when null).
// Returns the new position, or INVALID_SET_FILE_POINTER when it would be
// negative (ERROR_NEGATIVE_SEEK) or the handle is bad.
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method);
// Cuts or extends the file at the current position.
BOOL SetEndOfFile(HANDLE file);
// The low 32 bits of the size (the high ones into sizeHigh when given).
DWORD GetFileSize(HANDLE file, DWORD* sizeHigh);
// Pushes the file's data to the disk.
BOOL FlushFileBuffers(HANDLE file);

BOOL DeleteFileA(const char* path);
// Renames; fails (ERROR_ALREADY_EXISTS) when the target exists.
BOOL MoveFileA(const char* from, const char* to);
// As MoveFileA; MOVEFILE_REPLACE_EXISTING replaces an existing target
// atomically, MOVEFILE_WRITE_THROUGH returns only once the move is on disk.
BOOL MoveFileExA(const char* from, const char* to, DWORD flags);
