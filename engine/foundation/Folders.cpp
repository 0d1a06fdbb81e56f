#include "engine/foundation/Folders.h"

#include "engine/foundation/cConfig.h"
#include "engine/foundation/cDirectoryListing.h"
#include "engine/foundation/cFileStream.h"
#include "engine/foundation/cMemoryStream.h"
#include "platform/win32/Win32File.h"
#include "platform/win32/Win32Folder.h"
#include "platform/win32/Win32Module.h"

#include <list>

namespace
{
std::list<std::string>& FolderStack()
{
	static std::list<std::string> stack;
	return stack;
}

bool IsFolder(const std::string& path)
{
	return !cDirectoryListing(path).GetFolders().empty();
}
}

std::string GetUserFolder()
{
	char path[MAX_PATH] = {};
	if (SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
		return std::string();
	return path;
}

std::string GetProgramFolder()
{
	char path[MAX_PATH] = {};
	GetModuleFileNameA(nullptr, path, MAX_PATH);
	std::string folder = path;
	size_t slash = folder.rfind('\\');
	return slash == std::string::npos ? folder : folder.substr(0, slash);
}

std::string GetResourceFolder()
{
	return GetProgramFolder();
}

std::string GetLogDirectory()
{
	return Singletone<cConfig>::GetInstance()->GetValue("log_directory");
}

const std::string& GetCurrentFolder()
{
	static std::string current;
	char buffer[2000] = {};
	DWORD length = GetCurrentDirectoryA(sizeof(buffer), buffer);
	current.assign(buffer, length < sizeof(buffer) ? length : 0);
	return current;
}

void PushCurrentFolder(const std::string& folder)
{
	FolderStack().push_back(GetCurrentFolder());
	SetCurrentDirectoryA(folder.c_str());
}

void PopCurrentFolder()
{
	std::list<std::string>& stack = FolderStack();
	if (stack.empty())
		return;
	SetCurrentDirectoryA(stack.back().c_str());
	stack.pop_back();
}

void CreateFolderRecursive(const std::string& folder)
{
	if (folder.empty() || IsFolder(folder))
		return;
	sPathInfo parts(folder);
	if (!IsFolder(parts.folder))
		CreateFolderRecursive(parts.folder);
	CreateDirectoryA(folder.c_str(), nullptr);
}

void RemoveFile(const std::string& path)
{
	DeleteFileA(path.c_str());
}

int RenameFile(const std::string& from, const std::string& to)
{
	return MoveFileA(from.c_str(), to.c_str()) ? 0 : -1;
}

bool WriteFileSafely(const std::string& path, const std::string& temporaryPath, cMemoryStream& content)
{
	const uint32_t size = content.GetSize();
	bool written;
	{
		cFileStream file(temporaryPath, 2, 6, 2);
		written = file.IsOpen() && file.SetSize(0) && (size == 0 || file.Write(content.GetData(), size) == size) &&
			file.Flush();
	}
	if (written && MoveFileExA(temporaryPath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
		return true;
	RemoveFile(temporaryPath);
	return false;
}
