#pragma once
// Writes resources as a pack file (layout in sPackDirectory.h): the header
// of name lists packed with the default method, the entry table, then each
// resource's stored form packed on its own.

#include "engine/foundation/cMemoryStream.h"

#include <string>
#include <vector>

class cResource;
struct sPackEntry;

class cPackWriter
{
public:
	explicit cPackWriter(cStream& out);

	// Replaces the contents of the output with the pack of the resources, in
	// their order. choice is the archiver's compression choice for
	// compressible resources; the others are stored. False as soon as a
	// write, or the seek back to the table, fails.
	bool Write(const std::vector<cResource*>& resources, int choice);

private:
	bool Put(const void* bytes, uint32_t count);
	bool PutU32(uint32_t value);
	bool PutString(const std::string& text);
	bool PutTable(const std::vector<sPackEntry>& entries);
	// Packs bytes as the choice says and writes the record, filling the
	// entry's offset and size; used receives the method's name.
	bool PutRecord(cMemoryStream& bytes, int choice, std::string& used, sPackEntry& entry);

	cStream& m_out;
};
