#include "engine/resources/cResourceMount.h"

#include "engine/foundation/Folders.h"
#include "engine/foundation/cDirectoryListing.h"
#include "engine/foundation/cFileStream.h"
#include "engine/foundation/cLog.h"
#include "engine/resources/ResourceUtils.h"
#include "engine/resources/cDataResource.h"
#include "engine/resources/cPackEntryStream.h"
#include "engine/resources/cPackWriter.h"
#include "engine/resources/cResourceManager.h"
#include "engine/resources/sPackDirectory.h"

#include <cstring>

namespace
{
bool IsAbsolute(const std::string& path)
{
	return !path.empty() && (path[0] == '\\' || path[0] == '/');
}

std::string Absolute(const std::string& path)
{
	return IsAbsolute(path) ? path : GetCurrentFolder() + "\\" + path;
}
}

cResourceMount::cResourceMount(cResourceManager& manager, const std::string& path) : m_manager(manager)
{
	Mount(path);
}

cResourceMount::~cResourceMount()
{
	for (cResource* resource : m_resources)
		resource->RemoveFromIndex();
	for (cResource* resource : m_resources)
		delete resource;
	delete m_packFile;
}

void cResourceMount::Add(cResource* resource)
{
	m_resources.push_back(resource);
	resource->AddToIndex();
}

bool cResourceMount::Write(cStream& out, int choice)
{
	return cPackWriter(out).Write(m_resources, choice);
}

void cResourceMount::Mount(const std::string& path)
{
	cDirectoryListing listing(path);
	if (!listing.GetFiles().empty())
		ReadPack(path);
	else if (!listing.GetFolders().empty())
		ScanFolder(Absolute(path));
}

void cResourceMount::ReadPack(const std::string& path)
{
	cFileStream* file = OpenForReading(path);
	char magic[sizeof(PackMagic)] = {};
	if (file->Read(magic, sizeof(magic)) != sizeof(magic) || memcmp(magic, PackMagic, sizeof(magic)) != 0)
	{
		delete file;
		return;
	}
	m_packFile = file;

	sPackDirectory directory;
	if (!directory.Read(*file, path))
		return;
	const uint64_t fileSize = file->GetSize();
	m_resources.reserve(directory.entries.size());
	size_t damaged = 0;
	size_t firstDamaged = 0;
	for (size_t i = 0; i < directory.entries.size(); ++i)
	{
		const sPackEntry& entry = directory.entries[i];
		if (!directory.IsValid(entry, fileSize))
		{
			if (damaged++ == 0)
				firstDamaged = i;
			continue;
		}
		sResourceSource source(new cPackEntryStream(file, entry.offset, entry.size, m_manager.GetLock()),
			directory.methods[entry.methodIndex]);
		Add(m_manager.CreateByType(directory.types[entry.typeIndex], directory.names[entry.nameIndex], source));
	}
	// One line for all: a hostile table may hold millions of entries.
	if (damaged > 0)
		LOG(2, "pack file %s: %zu damaged entries skipped, the first is entry %zu", path.c_str(), damaged, firstDamaged);
}

void cResourceMount::ScanFolder(const std::string& folder)
{
	cDirectoryListing listing(folder + "\\*.*");
	for (const std::string& child : listing.GetFolders())
		if (child != ".svn")
			ScanFolder(folder + "\\" + child);
	for (const sPathInfo& file : listing.GetFiles())
		AddFile(folder, file);
}

void cResourceMount::AddFile(const std::string& folder, const sPathInfo& file)
{
	const std::string path = folder + "\\" + file.fullPath;
	const std::string name = ToLowerCase(file.name);
	std::vector<cResource*> created;
	if (file.extension == "resource")
	{
		m_manager.LoadResourceList(path, created);
		if (created.empty())
			created.push_back(new cDataResource(name, sResourceSource(path)));
	}
	else
		created.push_back(m_manager.CreateByExtension(file.extension, name, sResourceSource(path)));
	for (cResource* resource : created)
		Add(resource);
}
