#include "engine/foundation/Singletone.h"

#include <list>

namespace
{
// The list lives in a function-local static built before the first
// singleton, so it is destroyed after every static that created one.
struct cSingletoneList
{
	std::list<SingletoneBase*> items;
	~cSingletoneList() { DestroyAllSingletons(); }
};

cSingletoneList& List()
{
	static cSingletoneList list;
	return list;
}
}

SingletoneBase::SingletoneBase()
{
	List().items.push_front(this);
}

SingletoneBase::~SingletoneBase()
{
	List().items.remove(this);
}

void DestroyAllSingletons()
{
	auto& items = List().items;
	while (!items.empty())
	{
		// Unlinked before deletion: a destructor that creates another
		// manager must not lose it from the list.
		SingletoneBase* first = items.front();
		items.pop_front();
		delete first;
	}
}

void ForgetAllSingletons()
{
	auto& items = List().items;
	for (SingletoneBase* item : items)
		item->Forget();
	items.clear();
}
