#pragma once
// The byte-stream interface under files, memory buffers, windows onto other
// streams and pack entries. Sizes and positions are unsigned 32-bit byte
// counts; Seek offsets are signed 32-bit.

#include <cstdint>

class cStream
{
public:
	// Seek origins.
	enum
	{
		FromStart = 0,
		FromCurrent = 1,
		FromEnd = 2
	};
	// CopyFrom count meaning the whole source.
	static constexpr uint32_t WholeStream = 0xFFFFFFFFu;

	virtual bool IsEnd();
	virtual uint32_t GetSize() = 0;
	// A new array (free with delete[]) holding the whole stream, read from
	// its start; bytes a short read did not deliver are zero.
	virtual uint8_t* ReadAll();
	virtual ~cStream() = default;
	virtual bool SetSize(uint32_t size) = 0;
	// Return the bytes actually moved.
	virtual uint32_t Read(void* destination, uint32_t count) = 0;
	virtual uint32_t Write(const void* source, uint32_t count) = 0;
	// Returns the new position.
	virtual uint32_t Seek(int32_t offset, int origin) = 0;
	// Writes count bytes of source from its current position through Write;
	// WholeStream copies all of source from its start.
	virtual void CopyFrom(cStream& source, uint32_t count);

	// The bytes left after the current position (0 when the position lies
	// beyond the size), as readers bound counts taken from the data.
	uint64_t GetRemaining();

protected:
	// The position after a seek in a stream of size bytes: negative results
	// become 0, results past the end become size. Unknown origins only clamp.
	static uint32_t ClampedSeek(uint32_t position, uint32_t size, int32_t offset, int origin);
	// How many bytes a CopyFrom of count bytes takes from source, which it
	// positions at its start for WholeStream.
	static uint32_t CopyCount(cStream& source, uint32_t count);
};
