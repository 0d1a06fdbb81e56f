#pragma once
// The pack format as the tests write and read it, independently of the
// engine: u32 little-endian numbers, strings with a u32 length, string
// lists with a u32 count, Zlib records with a u32 size prefix.

#include <gtest/gtest.h>

#include <string>
#include <vector>
#include <zlib.h>

namespace PackFormat
{
inline std::string U32(uint32_t value)
{
	return std::string{char(value), char(value >> 8), char(value >> 16), char(value >> 24)};
}

inline std::string Str(const std::string& text)
{
	return U32(static_cast<uint32_t>(text.size())) + text;
}

inline std::string List(const std::vector<std::string>& list)
{
	std::string bytes = U32(static_cast<uint32_t>(list.size()));
	for (const std::string& text : list)
		bytes += Str(text);
	return bytes;
}

// Reads the format back independently of the engine.
class cPackParser
{
public:
	explicit cPackParser(const std::string& bytes) : m_bytes(bytes) {}

	std::string Take(size_t count)
	{
		EXPECT_LE(m_position + count, m_bytes.size());
		std::string part = m_bytes.substr(m_position, count);
		m_position += count;
		return part;
	}
	uint32_t U32()
	{
		std::string b = Take(4);
		return uint8_t(b[0]) | uint8_t(b[1]) << 8 | uint8_t(b[2]) << 16 | uint32_t(uint8_t(b[3])) << 24;
	}
	std::string String() { return Take(U32()); }
	std::vector<std::string> List()
	{
		std::vector<std::string> list(U32());
		for (std::string& text : list)
			text = String();
		return list;
	}
	size_t Position() const { return m_position; }

	static std::string Unpack(const std::string& record)
	{
		cPackParser prefix(record);
		uLongf size = prefix.U32();
		std::string bytes(size, '\0');
		EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(bytes.data()), &size,
					  reinterpret_cast<const Bytef*>(record.data() + 4), record.size() - 4),
			Z_OK);
		return bytes.substr(0, size);
	}

private:
	std::string m_bytes;
	size_t m_position = 0;
};

struct sParsedEntry
{
	std::string type;
	std::string name;
	std::string method;
	// The record unpacked by its method.
	std::string bytes;
};

struct sParsedPack
{
	std::string headerMethod;
	std::vector<std::string> methods;
	std::vector<std::string> types;
	std::vector<std::string> names;
	std::vector<sParsedEntry> entries;
};

// Reads a whole pack file, checking the layout on the way: the magic, the
// first record at 16 + L + H + 20 N, each record right after the one
// before, in entry order, and the last one ending the file.
inline sParsedPack ParsePack(const std::string& bytes)
{
	sParsedPack parsed;
	cPackParser pack(bytes);
	EXPECT_EQ(pack.Take(4), "RDFZ");
	parsed.headerMethod = pack.String();
	const std::string headerRecord = pack.String();
	cPackParser header(parsed.headerMethod.empty() ? headerRecord : cPackParser::Unpack(headerRecord));
	parsed.methods = header.List();
	parsed.types = header.List();
	parsed.names = header.List();
	const uint32_t count = pack.U32();
	size_t next = 16 + parsed.headerMethod.size() + headerRecord.size() + 20 * size_t(count);
	for (uint32_t i = 0; i < count; ++i)
	{
		const uint32_t offset = pack.U32();
		const uint32_t size = pack.U32();
		sParsedEntry entry;
		entry.type = parsed.types.at(pack.U32());
		entry.name = parsed.names.at(pack.U32());
		entry.method = parsed.methods.at(pack.U32());
		EXPECT_EQ(offset, next) << "entry " << i;
		next = size_t(offset) + size;
		const std::string record = bytes.substr(offset, size);
		entry.bytes = entry.method.empty() ? record : cPackParser::Unpack(record);
		parsed.entries.push_back(entry);
	}
	EXPECT_EQ(next, bytes.size());
	return parsed;
}
}
