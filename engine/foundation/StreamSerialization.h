#pragma once
// The shared binary encodings of strings, string lists and string-keyed
// maps: u32 little-endian counts and lengths, strings without terminator,
// wide strings as UTF-16LE units (one unit per wchar_t element), bools as
// one byte, maps in key order.
//
// Readers never trust the data: a length or count larger than the bytes
// left in the stream, or a read that comes up short, reads as empty and
// makes the reader return false. No allocation is made from such a value.

#include "engine/foundation/cMatrix.h"
#include "engine/foundation/cStream.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Little-endian 32-bit values in a byte buffer.
void PutU32LE(uint8_t* bytes, uint32_t value);
uint32_t GetU32LE(const uint8_t* bytes);

void StreamWriteU32(cStream& stream, uint32_t value);
// False (value 0) on a short read.
bool StreamReadU32(cStream& stream, uint32_t& value);
// Reads a count of elements of at least unitSize bytes each; a count the
// rest of the stream cannot hold reads as 0 and gives false.
bool StreamReadCount(cStream& stream, uint32_t& count, uint64_t unitSize);

// Signed 32-bit values, bools as one byte 0 or 1 (any non-zero byte reads
// as true) and floats as their raw IEEE bits. Readers give false (value 0)
// on a short read.
void StreamWriteInt(cStream& stream, int value);
bool StreamReadInt(cStream& stream, int& value);
void StreamWriteBool(cStream& stream, bool value);
bool StreamReadBool(cStream& stream, bool& value);
void StreamWriteFloat(cStream& stream, float value);
bool StreamReadFloat(cStream& stream, float& value);

void StreamWriteString(cStream& stream, const std::string& value);
void StreamWriteWideString(cStream& stream, const std::wstring& value);
void StreamWriteStringList(cStream& stream, const std::vector<std::string>& list);
void StreamWriteStringIntMap(cStream& stream, const std::map<std::string, int>& map);
void StreamWriteStringBoolMap(cStream& stream, const std::map<std::string, bool>& map);
void StreamWriteStringWideMap(cStream& stream, const std::map<std::string, std::wstring>& map);

// A matrix as four rows of three floats (row 0 first); column 3 reads as
// 0, 0, 0, 1. The reader gives false on a short read.
void StreamWriteMatrix(cStream& stream, const cMatrix& matrix);
bool StreamReadMatrix(cStream& stream, cMatrix& matrix);

bool StreamReadString(cStream& stream, std::string& value);
bool StreamReadWideString(cStream& stream, std::wstring& value);
bool StreamReadStringList(cStream& stream, std::vector<std::string>& list);
// Map readers clear the map first; a repeated key keeps its first value.
bool StreamReadStringIntMap(cStream& stream, std::map<std::string, int>& map);
bool StreamReadStringBoolMap(cStream& stream, std::map<std::string, bool>& map);
bool StreamReadStringWideMap(cStream& stream, std::map<std::string, std::wstring>& map);
