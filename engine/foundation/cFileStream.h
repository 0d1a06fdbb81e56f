#pragma once
// A stream over a file on disk. A file that cannot be opened gives a usable
// stream with no file: size and positions 0, nothing read or written.

#include "engine/foundation/cFile.h"
#include "engine/foundation/cStream.h"

class cFileStream : public cStream
{
public:
	// Creation, access and share codes as for cWin32File.
	cFileStream(const std::string& path, int creation, int access, int share);

	bool IsOpen() const { return m_file.IsOpen(); }

	// A file stream never reports its end.
	bool IsEnd() override;
	uint32_t GetSize() override;
	// Truncates or extends the file to size bytes and moves to that point.
	bool SetSize(uint32_t size) override;
	uint32_t Read(void* destination, uint32_t count) override;
	// The bytes written, or 0 when the write failed (even in part).
	uint32_t Write(const void* source, uint32_t count) override;
	// The new position as the system reports it: 0xFFFFFFFF when the seek
	// failed (a negative result); 0 without a file.
	uint32_t Seek(int32_t offset, int origin) override;

	// Pushes the written data to the disk.
	bool Flush();

private:
	cFile m_file;
};
