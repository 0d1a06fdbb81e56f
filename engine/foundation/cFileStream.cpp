#include "engine/foundation/cFileStream.h"

#include "platform/win32/Win32File.h"

cFileStream::cFileStream(const std::string& path, int creation, int access, int share)
	: m_file(path, creation, access, share)
{
}

bool cFileStream::IsEnd()
{
	return false;
}

uint32_t cFileStream::GetSize()
{
	if (!m_file.IsOpen())
		return 0;
	DWORD size = GetFileSize(m_file.GetHandle(), nullptr);
	return size == INVALID_FILE_SIZE ? 0 : size;
}

bool cFileStream::SetSize(uint32_t size)
{
	if (!m_file.IsOpen())
		return false;
	if (SetFilePointer(m_file.GetHandle(), static_cast<LONG>(size), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
		return false;
	return SetEndOfFile(m_file.GetHandle()) != FALSE;
}

uint32_t cFileStream::Read(void* destination, uint32_t count)
{
	DWORD read = 0;
	if (!m_file.IsOpen() || !ReadFile(m_file.GetHandle(), destination, count, &read, nullptr))
		return 0;
	return read;
}

uint32_t cFileStream::Write(const void* source, uint32_t count)
{
	DWORD written = 0;
	if (!m_file.IsOpen() || !WriteFile(m_file.GetHandle(), source, count, &written, nullptr))
		return 0;
	return written;
}

uint32_t cFileStream::Seek(int32_t offset, int origin)
{
	if (!m_file.IsOpen())
		return 0;
	return SetFilePointer(m_file.GetHandle(), offset, nullptr, static_cast<DWORD>(origin));
}

bool cFileStream::Flush()
{
	return m_file.IsOpen() && FlushFileBuffers(m_file.GetHandle()) != FALSE;
}
