#include "engine/foundation/cFile.h"

cFile::cFile(const std::string& path, int creation, int access, int share)
	: m_file(new cWin32File(path, creation, access, share))
{
	if (!m_file->IsValid())
		m_file.Reset(nullptr);
}
