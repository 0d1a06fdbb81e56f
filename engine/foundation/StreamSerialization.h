#pragma once
// The shared binary encodings of strings, string lists and string-keyed
// maps: u32 little-endian counts and lengths, strings without terminator,
// wide strings as UTF-16LE units (one unit per wchar_t element), bools as
// one byte, maps in key order.
//
// Readers never trust the data: a length or count larger than the bytes
// left in the stream, or a read that comes up short, reads as empty and
// makes the reader return false. No allocation is made from such a value.

#include "engine/foundation/cStream.h"

#include <map>
#include <string>
#include <vector>

void StreamWriteString(cStream& stream, const std::string& value);
void StreamWriteWideString(cStream& stream, const std::wstring& value);
void StreamWriteStringList(cStream& stream, const std::vector<std::string>& list);
void StreamWriteStringIntMap(cStream& stream, const std::map<std::string, int>& map);
void StreamWriteStringBoolMap(cStream& stream, const std::map<std::string, bool>& map);
void StreamWriteStringWideMap(cStream& stream, const std::map<std::string, std::wstring>& map);

bool StreamReadString(cStream& stream, std::string& value);
bool StreamReadWideString(cStream& stream, std::wstring& value);
bool StreamReadStringList(cStream& stream, std::vector<std::string>& list);
// Map readers clear the map first; a repeated key keeps its first value.
bool StreamReadStringIntMap(cStream& stream, std::map<std::string, int>& map);
bool StreamReadStringBoolMap(cStream& stream, std::map<std::string, bool>& map);
bool StreamReadStringWideMap(cStream& stream, std::map<std::string, std::wstring>& map);
