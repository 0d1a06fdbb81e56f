#pragma once
// A read-only window of size bytes at offset in a parent stream. The parent
// is not owned and must outlive the window; every read positions it anew.

#include "engine/foundation/cStream.h"

class cSubStream : public cStream
{
public:
	cSubStream(cStream* parent, uint32_t offset, uint32_t size);

	bool IsEnd() override;
	uint32_t GetSize() override;
	// The window cannot change size: always false.
	bool SetSize(uint32_t size) override;
	uint32_t Read(void* destination, uint32_t count) override;
	// Writes nothing.
	uint32_t Write(const void* source, uint32_t count) override;
	uint32_t Seek(int32_t offset, int origin) override;

private:
	uint32_t m_offset;
	uint32_t m_position = 0;
	uint32_t m_size;
	cStream* m_parent;
};
