#include "engine/foundation/StreamSerialization.h"

#include <cstring>
#include <vector>

void PutU32LE(uint8_t* bytes, uint32_t value)
{
	for (int i = 0; i < 4; ++i)
		bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetU32LE(const uint8_t* bytes)
{
	return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

void StreamWriteU32(cStream& stream, uint32_t value)
{
	uint8_t bytes[4];
	PutU32LE(bytes, value);
	stream.Write(bytes, 4);
}

bool StreamReadU32(cStream& stream, uint32_t& value)
{
	uint8_t bytes[4];
	if (stream.Read(bytes, 4) != 4)
	{
		value = 0;
		return false;
	}
	value = GetU32LE(bytes);
	return true;
}

bool StreamReadCount(cStream& stream, uint32_t& count, uint64_t unitSize)
{
	if (!StreamReadU32(stream, count))
		return false;
	if (count * unitSize > stream.GetRemaining())
	{
		count = 0;
		return false;
	}
	return true;
}

void StreamWriteMatrix(cStream& stream, const cMatrix& matrix)
{
	for (int row = 0; row < 4; ++row)
		stream.Write(matrix.m[row], 12);
}

bool StreamReadMatrix(cStream& stream, cMatrix& matrix)
{
	bool complete = true;
	for (int row = 0; row < 4; ++row)
	{
		complete = stream.Read(matrix.m[row], 12) == 12 && complete;
		matrix.m[row][3] = row == 3 ? 1.0f : 0.0f;
	}
	return complete;
}

namespace
{
// The smallest encoded size of one list or map element: its key's length.
constexpr uint64_t SmallestElement = 4;

template <class Value, class ReadValue>
bool ReadMap(cStream& stream, std::map<std::string, Value>& map, ReadValue readValue)
{
	map.clear();
	uint32_t count;
	if (!StreamReadCount(stream, count, SmallestElement))
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
}

void StreamWriteInt(cStream& stream, int value)
{
	StreamWriteU32(stream, static_cast<uint32_t>(value));
}

bool StreamReadInt(cStream& stream, int& value)
{
	uint32_t bits;
	bool ok = StreamReadU32(stream, bits);
	value = static_cast<int>(bits);
	return ok;
}

void StreamWriteBool(cStream& stream, bool value)
{
	uint8_t byte = value ? 1 : 0;
	stream.Write(&byte, 1);
}

bool StreamReadBool(cStream& stream, bool& value)
{
	uint8_t byte = 0;
	bool ok = stream.Read(&byte, 1) == 1;
	value = byte != 0;
	return ok;
}

void StreamWriteFloat(cStream& stream, float value)
{
	uint32_t bits;
	std::memcpy(&bits, &value, sizeof bits);
	StreamWriteU32(stream, bits);
}

bool StreamReadFloat(cStream& stream, float& value)
{
	uint32_t bits;
	bool ok = StreamReadU32(stream, bits);
	std::memcpy(&value, &bits, sizeof value);
	return ok;
}

void StreamWriteString(cStream& stream, const std::string& value)
{
	StreamWriteU32(stream, static_cast<uint32_t>(value.size()));
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
	StreamWriteU32(stream, static_cast<uint32_t>(value.size()));
	stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
}

void StreamWriteStringList(cStream& stream, const std::vector<std::string>& list)
{
	StreamWriteU32(stream, static_cast<uint32_t>(list.size()));
	for (const std::string& value : list)
		StreamWriteString(stream, value);
}

void StreamWriteStringIntMap(cStream& stream, const std::map<std::string, int>& map)
{
	StreamWriteU32(stream, static_cast<uint32_t>(map.size()));
	for (const auto& [key, value] : map)
	{
		StreamWriteString(stream, key);
		StreamWriteInt(stream, value);
	}
}

void StreamWriteStringBoolMap(cStream& stream, const std::map<std::string, bool>& map)
{
	StreamWriteU32(stream, static_cast<uint32_t>(map.size()));
	for (const auto& [key, value] : map)
	{
		StreamWriteString(stream, key);
		StreamWriteBool(stream, value);
	}
}

void StreamWriteStringWideMap(cStream& stream, const std::map<std::string, std::wstring>& map)
{
	StreamWriteU32(stream, static_cast<uint32_t>(map.size()));
	for (const auto& [key, value] : map)
	{
		StreamWriteString(stream, key);
		StreamWriteWideString(stream, value);
	}
}

bool StreamReadString(cStream& stream, std::string& value)
{
	uint32_t length;
	if (!StreamReadCount(stream, length, 1))
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
	if (!StreamReadCount(stream, length, 2))
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
	bool ok = StreamReadCount(stream, count, SmallestElement);
	list.resize(count);
	for (uint32_t i = 0; ok && i < count; ++i)
		ok = StreamReadString(stream, list[i]);
	return ok;
}

bool StreamReadStringIntMap(cStream& stream, std::map<std::string, int>& map)
{
	return ReadMap(stream, map, StreamReadInt);
}

bool StreamReadStringBoolMap(cStream& stream, std::map<std::string, bool>& map)
{
	return ReadMap(stream, map, StreamReadBool);
}

bool StreamReadStringWideMap(cStream& stream, std::map<std::string, std::wstring>& map)
{
	return ReadMap(stream, map, StreamReadWideString);
}
