#include "engine/resources/cResourceIndex.h"

#include "engine/resources/cResource.h"

cResourceIndex::cResourceIndex() : m_next(s_first)
{
	s_first = this;
}

cResourceIndex::~cResourceIndex()
{
	s_gone = true;
}

cResourceIndex& cResourceIndex::All()
{
	static cResourceIndex index;
	return index;
}

void cResourceIndex::ClearAll()
{
	if (s_gone)
		return;
	for (cResourceIndex* index = s_first; index; index = index->m_next)
		index->m_entries.clear();
}

void cResourceIndex::Enter(cResource* resource)
{
	m_entries[resource->GetName()] = resource;
}

void cResourceIndex::Leave(cResource* resource)
{
	auto found = m_entries.find(resource->GetName());
	if (found != m_entries.end() && found->second == resource)
		m_entries.erase(found);
}

cResource* cResourceIndex::Find(const std::string& name) const
{
	auto found = m_entries.find(name);
	return found == m_entries.end() ? nullptr : found->second;
}
