#pragma once
// The sub-folders and files that match a search mask (a path that may end
// in a wildcard such as "*.*"), in the order the system reports them,
// without "." and "..". A mask that is a plain path tests its existence.

#include "engine/foundation/sPathInfo.h"

#include <list>
#include <string>

class cDirectoryListing
{
public:
	explicit cDirectoryListing(const std::string& mask);

	// Empties both lists and scans the mask again.
	void Refresh();

	const std::string& GetMask() const { return m_mask; }
	const std::list<std::string>& GetFolders() const { return m_folders; }
	// Each built from the bare file name.
	const std::list<sPathInfo>& GetFiles() const { return m_files; }

private:
	std::string m_mask;
	std::list<std::string> m_folders;
	std::list<sPathInfo> m_files;
};
