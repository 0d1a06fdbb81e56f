#pragma once
// The base of every piece of content: a typed, named, reference-counted
// object owned by the resource manager. The first reference loads the
// content, the last release unloads it. Counting and the load and unload
// it triggers run under the resource manager's lock, so loader threads and
// the main thread may take and give back references at the same time.

#include "engine/resources/sResourceSource.h"

#include <string>

class cXmlNode;

class cResource
{
public:
	cResource(const std::string& name, const sResourceSource& source);

	// Brings the content into memory; called on the first reference.
	virtual bool Load() = 0;
	// Frees the content; called when the last reference is given back.
	virtual bool Unload() = 0;
	// Enters the index of all resources; classes with their own index
	// enter it too (see cIndexedResource).
	virtual void AddToIndex();
	virtual void RemoveFromIndex();
	// Writes the stored form for the pack writer: by default the source's
	// bytes, nothing when they cannot be read.
	virtual void Save(cStream& out);
	// Applies the resource's element of a resource list; by default nothing.
	virtual void ReadDescription(const cXmlNode& element);
	// Whether the pack writer may compress this resource.
	virtual bool IsCompressible();
	virtual const char* GetTypeName() = 0;
	// Does not unload: a class that holds content frees it itself.
	virtual ~cResource() = default;

	cResource(const cResource&) = delete;
	cResource& operator=(const cResource&) = delete;

	// Takes one reference, loading the content first when there was none;
	// returns the new count.
	int AddRef();
	// Gives one reference back; only the resource manager calls it. A count
	// below 1 stays as it is; reaching 0 unloads. Returns the count.
	int DecRef();
	// Gives one reference back through the resource manager, the way every
	// holder does it (cResourceManager::ReleaseResource).
	int Release();

	int GetLoadCount() const { return m_loadCount; }
	const std::string& GetName() const { return m_name; }
	sResourceSource& GetSource() { return m_source; }

private:
	int m_loadCount = 0;
	std::string m_name;
	sResourceSource m_source;
};
