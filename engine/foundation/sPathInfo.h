#pragma once
// A path split into its parts. Paths use "\" as the separator.

#include <string>

struct sPathInfo
{
	explicit sPathInfo(const std::string& path);

	std::string fullPath;
	// After the file name's last ".", lower-cased, without the dot; empty without a dot.
	std::string extension;
	// Before the last "\"; empty without one.
	std::string folder;
	// The file name without folder, dot and extension.
	std::string name;
	// folder + "\" + name ("\" + name with an empty folder).
	std::string pathWithoutExtension;
};
