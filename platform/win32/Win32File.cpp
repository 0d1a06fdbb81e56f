#include "platform/win32/Win32File.h"

#include "platform/win32/Win32Error.h"
#include "platform/win32/Win32Path.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
struct cFileObject : Win32KernelObject
{
	explicit cFileObject(int descriptor) : fd(descriptor) {}
	~cFileObject() override { close(fd); }
	int fd;
};

Win32KernelRef<cFileObject> FileOf(HANDLE handle)
{
	auto file = Win32KernelObject::FromHandle<cFileObject>(handle);
	if (!file)
		SetLastError(ERROR_INVALID_HANDLE);
	return file;
}

int OpenFlags(DWORD access, DWORD disposition)
{
	bool read = (access & (GENERIC_READ | GENERIC_EXECUTE)) != 0;
	bool write = (access & GENERIC_WRITE) != 0;
	int flags = (read && write) ? O_RDWR : write ? O_WRONLY : O_RDONLY;
	switch (disposition)
	{
	case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
	case CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
	case OPEN_ALWAYS: flags |= O_CREAT; break;
	case TRUNCATE_EXISTING: flags |= O_TRUNC; break;
	default: break;
	}
	return flags | O_CLOEXEC;
}

// Syncs the folder that holds path, so that a rename in it is on disk.
void SyncFolderOf(const std::string& hostPath)
{
	size_t slash = hostPath.rfind('/');
	std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : hostPath.substr(0, slash);
	int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
	if (fd >= 0)
	{
		fsync(fd);
		close(fd);
	}
}
}

HANDLE CreateFileA(const char* path, DWORD access, DWORD, SECURITY_ATTRIBUTES*, DWORD disposition, DWORD, HANDLE)
{
	if (!path || !*path)
	{
		SetLastError(ERROR_PATH_NOT_FOUND);
		return INVALID_HANDLE_VALUE;
	}
	std::string hostPath = ToHostPath(path);
	int fd = open(hostPath.c_str(), OpenFlags(access, disposition), 0666);
	if (fd < 0)
	{
		int error = errno;
		if (error == EEXIST)
			SetLastError(ERROR_FILE_EXISTS);
		else
			SetLastErrorFromErrno(error);
		return INVALID_HANDLE_VALUE;
	}
	struct stat info;
	if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode))
	{
		close(fd);
		SetLastError(ERROR_ACCESS_DENIED);
		return INVALID_HANDLE_VALUE;
	}
	SetLastError(ERROR_SUCCESS);
	return (new cFileObject(fd))->GetHandle();
}

BOOL ReadFile(HANDLE handle, void* buffer, DWORD count, DWORD* read, OVERLAPPED*)
{
	if (read)
		*read = 0;
	auto file = FileOf(handle);
	if (!file)
		return FALSE;
	DWORD done = 0;
	while (done < count)
	{
		ssize_t got = ::read(file->fd, static_cast<char*>(buffer) + done, count - done);
		if (got < 0 && errno == EINTR)
			continue;
		if (got < 0)
		{
			SetLastErrorFromErrno(errno);
			return FALSE;
		}
		if (got == 0)
			break;
		done += static_cast<DWORD>(got);
	}
	if (read)
		*read = done;
	return TRUE;
}

BOOL WriteFile(HANDLE handle, const void* buffer, DWORD count, DWORD* written, OVERLAPPED*)
{
	if (written)
		*written = 0;
	auto file = FileOf(handle);
	if (!file)
		return FALSE;
	DWORD done = 0;
	while (done < count)
	{
		ssize_t put = ::write(file->fd, static_cast<const char*>(buffer) + done, count - done);
		if (put < 0 && errno == EINTR)
			continue;
		if (put <= 0)
		{
			SetLastErrorFromErrno(put < 0 ? errno : ENOSPC);
			if (written)
				*written = done;
			return FALSE;
		}
		done += static_cast<DWORD>(put);
	}
	if (written)
		*written = done;
	return TRUE;
}

DWORD SetFilePointer(HANDLE handle, LONG distance, LONG* distanceHigh, DWORD method)
{
	auto file = FileOf(handle);
	if (!file)
		return INVALID_SET_FILE_POINTER;
	int64_t offset = distance;
	if (distanceHigh)
		offset = static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(*distanceHigh)) << 32) |
			static_cast<uint32_t>(distance));
	int64_t base = 0;
	if (method == FILE_CURRENT)
		base = lseek(file->fd, 0, SEEK_CUR);
	else if (method == FILE_END)
	{
		struct stat info;
		base = fstat(file->fd, &info) == 0 ? info.st_size : -1;
	}
	else if (method != FILE_BEGIN)
	{
		SetLastError(ERROR_INVALID_PARAMETER);
		return INVALID_SET_FILE_POINTER;
	}
	if (base < 0)
	{
		SetLastErrorFromErrno(errno);
		return INVALID_SET_FILE_POINTER;
	}
	int64_t target = base + offset;
	if (target < 0)
	{
		SetLastError(ERROR_NEGATIVE_SEEK);
		return INVALID_SET_FILE_POINTER;
	}
	if (lseek(file->fd, target, SEEK_SET) < 0)
	{
		SetLastErrorFromErrno(errno);
		return INVALID_SET_FILE_POINTER;
	}
	if (distanceHigh)
		*distanceHigh = static_cast<LONG>(target >> 32);
	SetLastError(ERROR_SUCCESS);
	return static_cast<DWORD>(target);
}

BOOL SetEndOfFile(HANDLE handle)
{
	auto file = FileOf(handle);
	if (!file)
		return FALSE;
	off_t position = lseek(file->fd, 0, SEEK_CUR);
	if (position < 0 || ftruncate(file->fd, position) != 0)
	{
		SetLastErrorFromErrno(errno);
		return FALSE;
	}
	return TRUE;
}

DWORD GetFileSize(HANDLE handle, DWORD* sizeHigh)
{
	auto file = FileOf(handle);
	struct stat info;
	if (!file || fstat(file->fd, &info) != 0)
	{
		if (file)
			SetLastErrorFromErrno(errno);
		return INVALID_FILE_SIZE;
	}
	uint64_t size = static_cast<uint64_t>(info.st_size);
	if (sizeHigh)
		*sizeHigh = static_cast<DWORD>(size >> 32);
	return static_cast<DWORD>(size);
}

BOOL FlushFileBuffers(HANDLE handle)
{
	auto file = FileOf(handle);
	if (!file)
		return FALSE;
	if (fsync(file->fd) != 0)
	{
		SetLastErrorFromErrno(errno);
		return FALSE;
	}
	return TRUE;
}

BOOL DeleteFileA(const char* path)
{
	if (unlink(ToHostPath(path).c_str()) != 0)
	{
		SetLastErrorFromErrno(errno == EISDIR ? EACCES : errno);
		return FALSE;
	}
	return TRUE;
}

BOOL MoveFileA(const char* from, const char* to)
{
	return MoveFileExA(from, to, 0);
}

BOOL MoveFileExA(const char* from, const char* to, DWORD flags)
{
	std::string source = ToHostPath(from);
	std::string target = ToHostPath(to);
	int result;
	if (flags & MOVEFILE_REPLACE_EXISTING)
		result = rename(source.c_str(), target.c_str());
	else
	{
		result = renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE);
		if (result != 0 && (errno == EINVAL || errno == ENOSYS))
		{
			// The file system cannot refuse a replace by itself: a hard link
			// fails when the target exists, then the old name goes.
			result = link(source.c_str(), target.c_str());
			if (result == 0)
				unlink(source.c_str());
		}
	}
	if (result != 0)
	{
		SetLastErrorFromErrno(errno);
		return FALSE;
	}
	if (flags & MOVEFILE_WRITE_THROUGH)
		SyncFolderOf(target);
	return TRUE;
}
