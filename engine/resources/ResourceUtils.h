#pragma once
// Helpers of the resource manager, also used by the model code.

#include <map>
#include <string>

class cFileStream;

// A new stream over an existing file, with read access and read sharing.
// A file that cannot be opened gives a stream without a file (logged).
cFileStream* OpenForReading(const std::string& path);

// A copy in which the bytes A to Z become a to z; every other byte stays.
std::string ToLowerCase(const std::string& text);

// Deletes every value through its virtual destructor, then empties the map.
template <class T>
void DeleteMapValues(std::map<std::string, T*>& map)
{
	for (auto& entry : map)
		delete entry.second;
	map.clear();
}
