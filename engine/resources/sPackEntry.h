#pragma once
// One entry of a pack file's table: where its record lies and which names
// of the header's lists it uses. Stored as five u32 little-endian values.

#include <cstdint>

struct sPackEntry
{
	static constexpr uint32_t StoredSize = 20;

	// Of the record, from the start of the file.
	uint32_t offset = 0;
	uint32_t size = 0;
	uint32_t typeIndex = 0;
	uint32_t nameIndex = 0;
	// 0: stored.
	uint32_t methodIndex = 0;
};

// The first four bytes of every pack file.
constexpr char PackMagic[4] = {'R', 'D', 'F', 'Z'};
