#pragma once
// The directory of a pack file: the three name lists of its header and its
// entry table. The layout after the magic:
//   header method name (string), H (u32), the header record of H bytes
//   packed by that method, N (u32), N entries of 20 bytes, the records.
// The unpacked header holds three string lists: archiver method names,
// type names and resource names.

#include "engine/foundation/cStream.h"
#include "engine/resources/sPackEntry.h"

#include <string>
#include <vector>

struct sPackDirectory
{
	// Reads the directory of the pack positioned after its magic. A header
	// or table that the file cannot hold, or a header that does not unpack,
	// gives false with an error line naming packName.
	bool Read(cStream& pack, const std::string& packName);
	// True when the entry's indexes name elements of the lists and its
	// record lies within a file of fileSize bytes.
	bool IsValid(const sPackEntry& entry, uint64_t fileSize) const;

	std::vector<std::string> methods;
	std::vector<std::string> types;
	std::vector<std::string> names;
	std::vector<sPackEntry> entries;
};
