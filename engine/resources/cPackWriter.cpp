#include "engine/resources/cPackWriter.h"

#include "engine/foundation/StreamSerialization.h"
#include "engine/resources/cArchiver.h"
#include "engine/resources/cResource.h"
#include "engine/resources/sPackEntry.h"

#include <unordered_map>

namespace
{
// A list of distinct names in the order of first use.
class cNameList
{
public:
	uint32_t Add(const std::string& name)
	{
		auto [found, added] = m_positions.emplace(name, static_cast<uint32_t>(m_names.size()));
		if (added)
			m_names.push_back(name);
		return found->second;
	}

	uint32_t Find(const std::string& name) const { return m_positions.at(name); }
	const std::vector<std::string>& GetNames() const { return m_names; }

private:
	std::vector<std::string> m_names;
	std::unordered_map<std::string, uint32_t> m_positions;
};

cArchiver* Archiver()
{
	return Singletone<cArchiver>::GetInstance();
}
}

cPackWriter::cPackWriter(cStream& out) : m_out(out)
{
}

bool cPackWriter::Write(const std::vector<cResource*>& resources, int choice)
{
	if (!m_out.SetSize(0))
		return false;

	cNameList methods;
	std::vector<std::string> methodNames;
	Archiver()->GetMethodNames(methodNames);
	for (const std::string& name : methodNames)
		methods.Add(name);
	cNameList types;
	cNameList names;
	std::vector<sPackEntry> entries(resources.size());
	for (size_t i = 0; i < resources.size(); ++i)
	{
		entries[i].nameIndex = names.Add(resources[i]->GetName());
		entries[i].typeIndex = types.Add(resources[i]->GetTypeName());
	}

	cMemoryStream header;
	StreamWriteStringList(header, methods.GetNames());
	StreamWriteStringList(header, types.GetNames());
	StreamWriteStringList(header, names.GetNames());
	cMemoryStream packedHeader;
	std::string used;
	Archiver()->Compress(header, packedHeader, cArchiver::UseDefault, used);
	if (!Put(PackMagic, sizeof(PackMagic)) || !PutString(used) || !PutU32(packedHeader.GetSize()) ||
		!Put(packedHeader.GetData(), packedHeader.GetSize()))
		return false;

	const uint32_t tablePosition = m_out.Seek(0, cStream::FromCurrent);
	if (!PutTable(entries))
		return false;
	for (size_t i = 0; i < resources.size(); ++i)
	{
		cMemoryStream bytes;
		resources[i]->Save(bytes);
		int resourceChoice = resources[i]->IsCompressible() ? choice : cArchiver::Store;
		if (!PutRecord(bytes, resourceChoice, used, entries[i]))
			return false;
		entries[i].methodIndex = methods.Find(used);
	}
	return m_out.Seek(static_cast<int32_t>(tablePosition), cStream::FromStart) == tablePosition && PutTable(entries);
}

bool cPackWriter::Put(const void* bytes, uint32_t count)
{
	return count == 0 || m_out.Write(bytes, count) == count;
}

bool cPackWriter::PutU32(uint32_t value)
{
	uint8_t bytes[4];
	PutU32LE(bytes, value);
	return Put(bytes, 4);
}

bool cPackWriter::PutString(const std::string& text)
{
	return PutU32(static_cast<uint32_t>(text.size())) && Put(text.data(), static_cast<uint32_t>(text.size()));
}

bool cPackWriter::PutTable(const std::vector<sPackEntry>& entries)
{
	if (!PutU32(static_cast<uint32_t>(entries.size())))
		return false;
	for (const sPackEntry& entry : entries)
		if (!PutU32(entry.offset) || !PutU32(entry.size) || !PutU32(entry.typeIndex) || !PutU32(entry.nameIndex) ||
			!PutU32(entry.methodIndex))
			return false;
	return true;
}

bool cPackWriter::PutRecord(cMemoryStream& bytes, int choice, std::string& used, sPackEntry& entry)
{
	cMemoryStream packed;
	Archiver()->Compress(bytes, packed, choice, used);
	entry.offset = m_out.Seek(0, cStream::FromCurrent);
	entry.size = packed.GetSize();
	// Offsets are 32-bit: a pack cannot grow past 4 GiB.
	if (uint64_t(entry.offset) + entry.size > 0xFFFFFFFFu)
		return false;
	return Put(packed.GetData(), entry.size);
}
