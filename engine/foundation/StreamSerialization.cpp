#include "engine/foundation/StreamSerialization.h"

#include <vector>

namespace
{
// The smallest encoded size of one list or map element: its key's length.
constexpr uint64_t SmallestElement = 4;

void WriteU32(cStream& stream, uint32_t value)
{
	uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value >> 16),
		static_cast<uint8_t>(value >> 24)};
	stream.Write(bytes, 4);
}

bool ReadU32(cStream& stream, uint32_t& value)
{
	uint8_t bytes[4];
	if (stream.Read(bytes, 4) != 4)
	{
		value = 0;
		return false;
	}
	value = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
	return true;
}

// Reads a count of elements of at least unit bytes each; a count the
// stream cannot hold reads as 0.
bool ReadCount(cStream& stream, uint32_t& count, uint64_t unit)
{
	if (!ReadU32(stream, count))
		return false;
	if (count * unit > stream.GetRemaining())
	{
		count = 0;
		return false;
	}
	return true;
}

template <class Value, class ReadValue>
bool ReadMap(cStream& stream, std::map<std::string, Value>& map, ReadValue readValue)
{
	map.clear();
	uint32_t count;
	if (!ReadCount(stream, count, SmallestElement))
		return false;
	for (uint32_t i = 0; i < count; ++i)
	{
		std::string key;
		Value value{};
		if (!StreamReadString(stream, key) || !readValue(stream, value))
			return false;
		map.emplace(key, value);
	}
	return true;
}

bool ReadInt(cStream& stream, int& value)
{
	uint32_t bits;
	bool ok = ReadU32(stream, bits);
	value = static_cast<int>(bits);
	return ok;
}

bool ReadBool(cStream& stream, bool& value)
{
	uint8_t byte = 0;
	bool ok = stream.Read(&byte, 1) == 1;
	value = byte != 0;
	return ok;
}
}

void StreamWriteString(cStream& stream, const std::string& value)
{
	WriteU32(stream, static_cast<uint32_t>(value.size()));
	stream.Write(value.data(), static_cast<uint32_t>(value.size()));
}

void StreamWriteWideString(cStream& stream, const std::wstring& value)
{
	std::vector<uint8_t> bytes;
	bytes.reserve(value.size() * 2);
	for (wchar_t unit : value)
	{
		bytes.push_back(static_cast<uint8_t>(unit));
		bytes.push_back(static_cast<uint8_t>(unit >> 8));
	}
	WriteU32(stream, static_cast<uint32_t>(value.size()));
	stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
}

void StreamWriteStringList(cStream& stream, const std::vector<std::string>& list)
{
	WriteU32(stream, static_cast<uint32_t>(list.size()));
	for (const std::string& value : list)
		StreamWriteString(stream, value);
}

void StreamWriteStringIntMap(cStream& stream, const std::map<std::string, int>& map)
{
	WriteU32(stream, static_cast<uint32_t>(map.size()));
	for (const auto& [key, value] : map)
	{
		StreamWriteString(stream, key);
		WriteU32(stream, static_cast<uint32_t>(value));
	}
}

void StreamWriteStringBoolMap(cStream& stream, const std::map<std::string, bool>& map)
{
	WriteU32(stream, static_cast<uint32_t>(map.size()));
	for (const auto& [key, value] : map)
	{
		StreamWriteString(stream, key);
		uint8_t byte = value ? 1 : 0;
		stream.Write(&byte, 1);
	}
}

void StreamWriteStringWideMap(cStream& stream, const std::map<std::string, std::wstring>& map)
{
	WriteU32(stream, static_cast<uint32_t>(map.size()));
	for (const auto& [key, value] : map)
	{
		StreamWriteString(stream, key);
		StreamWriteWideString(stream, value);
	}
}

bool StreamReadString(cStream& stream, std::string& value)
{
	uint32_t length;
	if (!ReadCount(stream, length, 1))
	{
		value.clear();
		return false;
	}
	value.resize(length);
	if (length > 0 && stream.Read(value.data(), length) != length)
	{
		value.clear();
		return false;
	}
	return true;
}

bool StreamReadWideString(cStream& stream, std::wstring& value)
{
	uint32_t length;
	value.clear();
	if (!ReadCount(stream, length, 2))
		return false;
	std::vector<uint8_t> bytes(static_cast<size_t>(length) * 2);
	if (length > 0 && stream.Read(bytes.data(), length * 2) != length * 2)
		return false;
	value.resize(length);
	for (uint32_t i = 0; i < length; ++i)
		value[i] = static_cast<wchar_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
	return true;
}

bool StreamReadStringList(cStream& stream, std::vector<std::string>& list)
{
	uint32_t count;
	bool ok = ReadCount(stream, count, SmallestElement);
	list.resize(count);
	for (uint32_t i = 0; ok && i < count; ++i)
		ok = StreamReadString(stream, list[i]);
	return ok;
}

bool StreamReadStringIntMap(cStream& stream, std::map<std::string, int>& map)
{
	return ReadMap(stream, map, ReadInt);
}

bool StreamReadStringBoolMap(cStream& stream, std::map<std::string, bool>& map)
{
	return ReadMap(stream, map, ReadBool);
}

bool StreamReadStringWideMap(cStream& stream, std::map<std::string, std::wstring>& map)
{
	return ReadMap(stream, map, StreamReadWideString);
}
