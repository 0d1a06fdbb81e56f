#pragma once
// A growable in-memory stream. The buffer grows geometrically, so a run of
// small writes costs linear time; its bytes beyond the size are not content.

#include "engine/foundation/cStream.h"

class cMemoryStream : public cStream
{
public:
	cMemoryStream() = default;
	// A copy of all of source, from its start, positioned at 0. A short
	// read keeps only the bytes delivered.
	explicit cMemoryStream(cStream& source);
	cMemoryStream(const cMemoryStream& other);
	cMemoryStream& operator=(const cMemoryStream&) = delete;
	~cMemoryStream() override;

	// Replaces the contents with a copy of source, as the constructor does.
	void LoadFrom(cStream& source);

	bool IsEnd() override;
	uint32_t GetSize() override;
	// Hands the array over (free with delete[]) and leaves the stream empty.
	uint8_t* ReadAll() override;
	// False when the memory cannot be had (the stream is then unchanged).
	// New bytes are zero.
	bool SetSize(uint32_t size) override;
	uint32_t Read(void* destination, uint32_t count) override;
	uint32_t Write(const void* source, uint32_t count) override;
	uint32_t Seek(int32_t offset, int origin) override;
	// Reads straight into the array; advances by the bytes actually read.
	void CopyFrom(cStream& source, uint32_t count) override;

	// Direct access for readers that scan the bytes in place.
	const uint8_t* GetData() const { return m_data; }
	uint8_t* GetData() { return m_data; }
	uint32_t GetPosition() const { return m_position; }

private:
	// Makes room for at least size bytes, growing geometrically.
	bool Reserve(uint64_t size);
	// Moves the bytes into a new array of the given capacity; false when out of memory.
	bool Reallocate(uint32_t capacity);
	void Release();

	uint8_t* m_data = nullptr;
	uint32_t m_position = 0;
	uint32_t m_size = 0;
	uint32_t m_capacity = 0;
};
