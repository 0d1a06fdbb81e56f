#pragma once
// A file shared by its copies: the handle closes with the last one.

#include "engine/foundation/cSharedPtr.h"
#include "engine/foundation/cWin32File.h"

class cFile
{
public:
	cFile() = default;
	// Opens the file (codes as for cWin32File); holds no file when that fails.
	cFile(const std::string& path, int creation, int access, int share);
	virtual ~cFile() = default;

	bool IsOpen() const { return static_cast<bool>(m_file); }
	// INVALID_HANDLE_VALUE without a file.
	HANDLE GetHandle() const { return m_file ? m_file->GetHandle() : INVALID_HANDLE_VALUE; }

private:
	cSharedPtr<cWin32File> m_file;
};
