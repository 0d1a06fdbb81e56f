#pragma once
// The base of a resource class with its own name index, searched by
// cResourceManager::GetResourceByName<Indexed>. Indexed names the class
// whose index the resource enters (a derived class may share its base's
// index) and declares LookupName, the type name of its "not found" line.

#include "engine/resources/cResourceManager.h"

template <class Indexed>
class cIndexedResource : public cResource
{
public:
	using cResource::cResource;

	void AddToIndex() override
	{
		cResource::AddToIndex();
		cResourceManager::AddToTypeIndex<Indexed>(this);
	}

	void RemoveFromIndex() override
	{
		cResource::RemoveFromIndex();
		cResourceManager::RemoveFromTypeIndex<Indexed>(this);
	}
};
