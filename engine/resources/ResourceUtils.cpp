#include "engine/resources/ResourceUtils.h"

#include "engine/foundation/cFileStream.h"

cFileStream* OpenForReading(const std::string& path)
{
	const int openExisting = 3;
	const int readAccess = 2;
	const int readSharing = 2;
	return new cFileStream(path, openExisting, readAccess, readSharing);
}

std::string ToLowerCase(const std::string& text)
{
	std::string lower = text;
	for (char& c : lower)
		if (c >= 'A' && c <= 'Z')
			c = static_cast<char>(c - 'A' + 'a');
	return lower;
}
