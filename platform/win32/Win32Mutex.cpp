#include "platform/win32/Win32Mutex.h"

#include "platform/win32/Win32Error.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// Holds the lock file open (and locked, unless another owner has it).
class cMutexObject : public Win32KernelObject
{
public:
	explicit cMutexObject(int lockFile) : m_lockFile(lockFile) {}
	~cMutexObject() override
	{
		if (m_lockFile >= 0)
			close(m_lockFile);
	}

	DWORD Wait(DWORD) override { return WAIT_OBJECT_0; }

private:
	int m_lockFile;
};

std::string LockFolder()
{
	const char* runtime = getenv("XDG_RUNTIME_DIR");
	struct stat info;
	if (runtime && *runtime && stat(runtime, &info) == 0 && S_ISDIR(info.st_mode))
		return runtime;
	return "/tmp";
}

// The name with every character that is not safe in a file name replaced.
std::string LockFilePath(const char* name)
{
	std::string file;
	for (const char* c = name; *c; ++c)
	{
		bool safe = (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9') ||
			*c == '_' || *c == '-' || *c == '.';
		file += safe ? *c : '_';
	}
	return LockFolder() + "/" + file + ".mutex.lock";
}
}

HANDLE CreateMutexA(SECURITY_ATTRIBUTES*, BOOL, const char* name)
{
	if (!name || !*name)
	{
		SetLastError(ERROR_SUCCESS);
		return (new cMutexObject(-1))->GetHandle();
	}
	// Read-only is enough for flock and works on a file another user created.
	int lockFile = open(LockFilePath(name).c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
	if (lockFile < 0)
	{
		SetLastErrorFromErrno(errno);
		return nullptr;
	}
	if (flock(lockFile, LOCK_EX | LOCK_NB) != 0)
	{
		int error = errno;
		close(lockFile);
		if (error != EWOULDBLOCK)
		{
			SetLastErrorFromErrno(error);
			return nullptr;
		}
		// Another owner holds it: the caller gets a handle to the existing mutex.
		SetLastError(ERROR_ALREADY_EXISTS);
		return (new cMutexObject(-1))->GetHandle();
	}
	SetLastError(ERROR_SUCCESS);
	return (new cMutexObject(lockFile))->GetHandle();
}

BOOL ReleaseMutex(HANDLE mutex)
{
	return Win32KernelObject::FromHandle<cMutexObject>(mutex) ? TRUE : FALSE;
}
