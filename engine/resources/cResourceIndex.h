#pragma once
// A name index of resources: name (compared exactly) to resource. A later
// resource entered under a name replaces the earlier one in the index.
//
// The indexes live in function-local statics (the index of all resources
// and one per resource class) and are destroyed at process exit, before
// the managers that hold references. Once any of them is gone, IsGone()
// answers true and every index operation must be skipped: references
// given back during exit then change nothing.

#include <string>
#include <unordered_map>

class cResource;

class cResourceIndex
{
public:
	// Links the index into the list of live indexes.
	cResourceIndex();
	~cResourceIndex();
	cResourceIndex(const cResourceIndex&) = delete;
	cResourceIndex& operator=(const cResourceIndex&) = delete;

	// The index of every resource, of whatever class.
	static cResourceIndex& All();
	// True once the indexes have been destroyed at process exit.
	static bool IsGone() { return s_gone; }

	// Empties every live index: a resource manager that is destroyed
	// before exit leaves no entry naming its deleted resources.
	static void ClearAll();

	void Enter(cResource* resource);
	// Erases the resource's name when the entry is this resource.
	void Leave(cResource* resource);
	// Null when the name is not entered.
	cResource* Find(const std::string& name) const;
	bool IsEmpty() const { return m_entries.empty(); }
	// Calls visit(resource) for every entry, in no particular order. visit
	// must not enter or leave resources.
	template <class Visit>
	void ForEach(Visit visit) const
	{
		for (const auto& entry : m_entries)
			visit(entry.second);
	}

private:
	static inline constinit bool s_gone = false;
	static inline constinit cResourceIndex* s_first = nullptr;
	cResourceIndex* m_next;
	std::unordered_map<std::string, cResource*> m_entries;
};
