#pragma once
// Where a resource's bytes come from: an entry stream of a pack file with
// the archiver method that packed it, or a file found in a folder (opened
// on demand), or nothing (resources described in a resource list).

#include "engine/foundation/cMemoryStream.h"
#include "engine/foundation/cSharedPtr.h"

#include <string>

struct sResourceSource
{
	sResourceSource() = default;
	explicit sResourceSource(const std::string& filePath);
	// Adopts the stream; an empty method means the bytes are stored as they are.
	sResourceSource(cStream* entryStream, const std::string& archiverMethod);

	// Fills out with the resource's bytes, positioned at 0. False when there
	// is nothing to read from, when the file cannot be opened or when the
	// bytes cannot be unpacked (the file stream or the archiver logs why).
	bool Read(cMemoryStream& out);
	// The stream's size (the stored size of a packed entry), else the file's
	// size, else 0.
	uint32_t GetSize();
	// The stream, opening the file and keeping it as the stream when there
	// is only a path; null when there is neither.
	cStream* OpenStream();

	// Copies share the stream.
	cSharedPtr<cStream> stream;
	// Absolute path of a file found in a folder; empty otherwise.
	std::string path;
	// Archiver method of a pack entry; empty: stored.
	std::string method;
};
