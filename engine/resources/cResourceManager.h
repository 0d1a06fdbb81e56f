#pragma once
// The owner of every resource: the registry of resource types and file
// extensions, the mounted folders and pack files, the resource-list reader,
// the lock under which lookups, first loads, releases and pack reads run,
// and the lookup family (one class index per resource class).

#include "engine/foundation/Singletone.h"
#include "engine/foundation/cAutoLock.h"
#include "engine/resources/cResource.h"
#include "engine/resources/cResourceIndex.h"

#include <map>
#include <string>
#include <vector>

class cResourceMount;
class cXmlDispatcher;

class cResourceManager : public Singletone<cResourceManager>
{
public:
	// Allocates and constructs one resource.
	typedef cResource* (*Creator)(const std::string& name, const sResourceSource& source);

	// Registers the type "xml" with its extension.
	cResourceManager();
	// Deletes every mount with its resources, without unloading them, and
	// empties the name indexes.
	~cResourceManager() override;

	// True while the manager is being destroyed.
	static bool IsBeingDestroyed() { return s_beingDestroyed; }

	// Both replace an earlier registration; always true. Extensions are
	// lower case, without the dot.
	bool RegisterType(const std::string& type, Creator creator);
	bool RegisterExtension(const std::string& extension, const std::string& type);
	// A new, unindexed resource of the type; a "data" resource when the
	// type (or the extension) is not registered.
	cResource* CreateByType(const std::string& type, const std::string& name, const sResourceSource& source);
	cResource* CreateByExtension(const std::string& extension, const std::string& name, const sResourceSource& source);

	// Mounts a folder or a pack file once; a path already mounted is ignored.
	void AddSource(const std::string& path);
	// The mount of the path, or null.
	cResourceMount* GetMount(const std::string& path) const;
	// Writes the mount of the path as a pack file into out. False when
	// nothing is mounted there or a write failed.
	bool PackSource(const std::string& path, cStream& out, int choice);
	// Packs the mount of the path into the file (opened for reading and
	// writing, created when missing). On failure logs an error and deletes
	// the file, so that no truncated pack is left behind.
	bool PackSourceToFile(const std::string& path, const std::string& file, int choice);
	// Appends the resources described by the "resource" elements at the top
	// of the XML file to list.
	void LoadResourceList(const std::string& file, std::vector<cResource*>& list);

	// Logs "<type>[<name>] <text>" as information.
	static void LogResourceMessage(const std::string& type, const std::string& name, const std::string& text);
	// Gives back one reference under the lock (unloading on the last one).
	// -1 for null and while the index of all resources is empty or gone.
	static int ReleaseResource(cResource* resource);

	// Re-entrant on one thread. Taken after the scene manager's lock, never
	// before it.
	CRITICAL_SECTION* GetLock() { return &m_lock; }

	// The name index of the resource class T.
	template <class T>
	static cResourceIndex& GetTypeIndex()
	{
		static cResourceIndex index;
		return index;
	}

	// The resource of class T with the name, with one reference taken for
	// the caller (its first reference loads it), or null with a "not found"
	// line under T::LookupName. An empty name gives null and no line.
	template <class T>
	static T* GetResourceByName(const std::string& name)
	{
		if (name.empty())
			return nullptr;
		cAutoLock lock(GetInstance()->GetLock());
		if (cResourceIndex::IsGone())
			return nullptr;
		cResource* found = GetTypeIndex<T>().Find(name);
		if (!found)
		{
			LogResourceMessage(T::LookupName, name, "not found");
			return nullptr;
		}
		found->AddRef();
		return static_cast<T*>(found);
	}

	template <class T>
	static void AddToTypeIndex(cResource* resource)
	{
		GetTypeIndex<T>().Enter(resource);
	}

	template <class T>
	static void RemoveFromTypeIndex(cResource* resource)
	{
		if (!cResourceIndex::IsGone() && !IsBeingDestroyed())
			GetTypeIndex<T>().Leave(resource);
	}

private:
	// The handler of "resource" elements while a list is read.
	void OnResourceElement(cXmlNode* element);

	CRITICAL_SECTION m_lock;
	std::map<std::string, cResourceMount*> m_mounts;
	std::map<std::string, Creator> m_creators;
	std::map<std::string, std::string> m_extensions;
	cXmlDispatcher* m_dispatcher;
	std::vector<cResource*>* m_currentList = nullptr;

	static inline constinit bool s_beingDestroyed = false;
};
