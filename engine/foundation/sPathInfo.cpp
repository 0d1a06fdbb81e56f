#include "engine/foundation/sPathInfo.h"

#include <cctype>

sPathInfo::sPathInfo(const std::string& path) : fullPath(path), name(path)
{
	size_t slash = name.rfind('\\');
	if (slash != std::string::npos)
	{
		folder = name.substr(0, slash);
		name.erase(0, slash + 1);
	}
	size_t dot = name.rfind('.');
	if (dot != std::string::npos)
	{
		extension = name.substr(dot + 1);
		for (char& c : extension)
			c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
		name.erase(dot);
	}
	pathWithoutExtension = folder + "\\" + name;
}
