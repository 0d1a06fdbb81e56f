#include "platform/win32/Win32Path.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

namespace
{
char LowerAscii(char c)
{
	return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool Exists(const std::string& hostPath)
{
	struct stat info;
	return lstat(hostPath.c_str(), &info) == 0;
}

// The entry of folder whose name equals name ignoring case, the first in
// case-insensitive order when several do; empty when none does.
std::string FindIgnoringCase(const std::string& folder, const std::string& name)
{
	DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
	if (!dir)
		return std::string();
	std::string best;
	while (dirent* entry = readdir(dir))
	{
		std::string candidate = entry->d_name;
		if (NameEqualsIgnoringCase(candidate, name) && (best.empty() || NameLessIgnoringCase(candidate, best)))
			best = candidate;
	}
	closedir(dir);
	return best;
}
}

bool NameEqualsIgnoringCase(const std::string& a, const std::string& b)
{
	return a.size() == b.size() &&
		std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool NameLessIgnoringCase(const std::string& a, const std::string& b)
{
	size_t count = std::min(a.size(), b.size());
	for (size_t i = 0; i < count; ++i)
	{
		unsigned char x = static_cast<unsigned char>(LowerAscii(a[i]));
		unsigned char y = static_cast<unsigned char>(LowerAscii(b[i]));
		if (x != y)
			return x < y;
	}
	if (a.size() != b.size())
		return a.size() < b.size();
	return a < b;
}

std::string ToHostPath(const std::string& path)
{
	std::string slashed = path;
	std::replace(slashed.begin(), slashed.end(), '\\', '/');
	if (slashed.empty() || Exists(slashed))
		return slashed;

	// Walk the components, fixing the case of each one that is missing.
	std::string result;
	size_t start = 0;
	if (slashed[0] == '/')
	{
		result = "/";
		start = 1;
	}
	bool resolving = true;
	while (start <= slashed.size())
	{
		size_t end = slashed.find('/', start);
		if (end == std::string::npos)
			end = slashed.size();
		std::string component = slashed.substr(start, end - start);
		if (!component.empty())
		{
			std::string folder = result;
			std::string candidate = result + component;
			if (resolving && component != "." && component != ".." && !Exists(candidate))
			{
				std::string match = FindIgnoringCase(folder, component);
				if (match.empty())
					resolving = false; // nothing below a missing folder can exist
				else
					candidate = result + match;
			}
			result = candidate;
		}
		if (end < slashed.size())
			result += '/';
		start = end + 1;
	}
	return result;
}

std::string ToEnginePath(const std::string& hostPath)
{
	std::string path = hostPath;
	std::replace(path.begin(), path.end(), '/', '\\');
	return path;
}
