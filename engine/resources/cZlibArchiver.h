#pragma once
// The "Zlib" method: a record of the unpacked size (u32 little-endian)
// followed by the data packed by zlib at its default level.

#include "engine/resources/cArchiverMethod.h"

class cZlibArchiver : public cArchiverMethod
{
public:
	// zlib cannot expand data by more than about 1032:1, so a record whose
	// size prefix exceeds this bound for its packed length is corrupt.
	static constexpr uint64_t MaxExpansion = 1032;
	static constexpr uint64_t ExpansionSlack = 64;

	const char* GetName() const override { return "Zlib"; }
	bool Compress(cStream& in, cMemoryStream& out) override;
	// Fails (with a log line) on a record shorter than its prefix, a prefix
	// the packed data cannot produce, memory that cannot be had, or data
	// zlib rejects; an empty input fails silently. out holds exactly the
	// bytes zlib delivered.
	bool Uncompress(cStream& in, cMemoryStream& out) override;
};
