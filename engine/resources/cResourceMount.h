#pragma once
// One mounted folder or pack file: every resource created for it, in
// creation order, and the open pack file. A path that names a file
// beginning with "RDFZ" is read as a pack; a folder is scanned (sub-folders
// first, then files, each in listing order; ".svn" folders are skipped);
// anything else gives an empty mount.

#include "engine/foundation/cStream.h"
#include "engine/foundation/sPathInfo.h"

#include <string>
#include <vector>

class cResource;
class cResourceManager;

class cResourceMount
{
public:
	// Mounts at once; path is absolute or relative to the current folder.
	cResourceMount(cResourceManager& manager, const std::string& path);
	// Deletes the resources without unloading them, then the pack file.
	virtual ~cResourceMount();
	cResourceMount(const cResourceMount&) = delete;
	cResourceMount& operator=(const cResourceMount&) = delete;

	// Appends the resource (the mount owns it) and enters it into the indexes.
	void Add(cResource* resource);
	// Writes the resources as a pack file; false when a write failed.
	bool Write(cStream& out, int choice);

	const std::vector<cResource*>& GetResources() const { return m_resources; }

private:
	void Mount(const std::string& path);
	void ReadPack(const std::string& path);
	// folder is absolute.
	void ScanFolder(const std::string& folder);
	void AddFile(const std::string& folder, const sPathInfo& file);

	cResourceManager& m_manager;
	std::vector<cResource*> m_resources;
	cStream* m_packFile = nullptr;
};
