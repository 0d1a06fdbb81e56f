#include "engine/resources/sPackDirectory.h"

#include "engine/foundation/StreamSerialization.h"
#include "engine/foundation/cLog.h"
#include "engine/resources/cArchiver.h"

namespace
{
bool Damaged(const std::string& packName, const char* what)
{
	LOG(2, "pack file %s: %s", packName.c_str(), what);
	return false;
}

// Reads the header record and unpacks it into header.
bool ReadHeader(cStream& pack, cMemoryStream& header)
{
	std::string method;
	uint32_t size = 0;
	if (!StreamReadString(pack, method) || !StreamReadU32(pack, size) || size > pack.GetRemaining())
		return false;
	cMemoryStream record;
	record.CopyFrom(pack, size);
	if (record.GetSize() != size)
		return false;
	record.Seek(0, cStream::FromStart);
	if (!Singletone<cArchiver>::GetInstance()->Decompress(record, header, method))
		return false;
	header.Seek(0, cStream::FromStart);
	return true;
}

bool ReadEntries(cStream& pack, std::vector<sPackEntry>& entries)
{
	uint32_t count = 0;
	if (!StreamReadU32(pack, count) || uint64_t(count) * sPackEntry::StoredSize > pack.GetRemaining())
		return false;
	std::vector<uint8_t> table(static_cast<size_t>(count) * sPackEntry::StoredSize);
	if (count > 0 && pack.Read(table.data(), static_cast<uint32_t>(table.size())) != table.size())
		return false;
	entries.resize(count);
	for (uint32_t i = 0; i < count; ++i)
	{
		const uint8_t* fields = table.data() + i * sPackEntry::StoredSize;
		entries[i] = sPackEntry{GetU32LE(fields), GetU32LE(fields + 4), GetU32LE(fields + 8), GetU32LE(fields + 12), GetU32LE(fields + 16)};
	}
	return true;
}
}

bool sPackDirectory::Read(cStream& pack, const std::string& packName)
{
	cMemoryStream header;
	if (!ReadHeader(pack, header))
		return Damaged(packName, "the header cannot be read");
	if (!StreamReadStringList(header, methods) || !StreamReadStringList(header, types) ||
		!StreamReadStringList(header, names))
		return Damaged(packName, "the header's name lists are damaged");
	if (!ReadEntries(pack, entries))
		return Damaged(packName, "the entry table is damaged");
	return true;
}

bool sPackDirectory::IsValid(const sPackEntry& entry, uint64_t fileSize) const
{
	return entry.typeIndex < types.size() && entry.nameIndex < names.size() && entry.methodIndex < methods.size() &&
		uint64_t(entry.offset) + entry.size <= fileSize;
}
