#include "engine/graphics/cDirectXGraphicsObject.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace
{
struct sDeviceObjectList
{
	// Recursive: an object's reaction to a reset may create or drop others.
	std::recursive_mutex lock;
	std::vector<cDirectXGraphicsObject*> objects;
};

// Never destroyed: objects may leave the list while the singletons are
// destroyed at process exit, after static objects are gone.
sDeviceObjectList& DeviceObjects()
{
	static sDeviceObjectList* list = new sDeviceObjectList;
	return *list;
}

void ForEachDeviceObject(void (cDirectXGraphicsObject::*operation)())
{
	sDeviceObjectList& list = DeviceObjects();
	std::lock_guard guard(list.lock);
	// By index: an object reacting to the reset may join the list.
	for (size_t index = 0; index < list.objects.size(); ++index)
		(list.objects[index]->*operation)();
}
}

cDirectXGraphicsObject::~cDirectXGraphicsObject()
{
	RemoveDeviceObject(this);
}

void cDirectXGraphicsObject::AddDeviceObject(cDirectXGraphicsObject* object)
{
	sDeviceObjectList& list = DeviceObjects();
	std::lock_guard guard(list.lock);
	if (std::find(list.objects.begin(), list.objects.end(), object) == list.objects.end())
		list.objects.push_back(object);
}

void cDirectXGraphicsObject::RemoveDeviceObject(cDirectXGraphicsObject* object)
{
	sDeviceObjectList& list = DeviceObjects();
	std::lock_guard guard(list.lock);
	auto found = std::find(list.objects.begin(), list.objects.end(), object);
	if (found != list.objects.end())
		list.objects.erase(found);
}

bool cDirectXGraphicsObject::IsDeviceObject(const cDirectXGraphicsObject* object)
{
	sDeviceObjectList& list = DeviceObjects();
	std::lock_guard guard(list.lock);
	return std::find(list.objects.begin(), list.objects.end(), object) != list.objects.end();
}

void cDirectXGraphicsObject::LoseDeviceObjects()
{
	ForEachDeviceObject(&cDirectXGraphicsObject::OnLostDevice);
}

void cDirectXGraphicsObject::ResetDeviceObjects()
{
	ForEachDeviceObject(&cDirectXGraphicsObject::OnResetDevice);
}
