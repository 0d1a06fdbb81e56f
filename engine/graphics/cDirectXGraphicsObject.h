#pragma once
// Base of every object that holds device resources. Objects in Direct3D's
// default pool join the process-wide device-object list so that they can
// release those resources before a device reset and re-create them after.
//
// The list is guarded by one lock: loader threads add and remove objects
// while the main thread walks the list around a reset.

class cDirectXGraphicsObject
{
public:
	cDirectXGraphicsObject() = default;
	// Leaves the device-object list. Classes that join the list leave it
	// in their own destructor already, before their members go.
	virtual ~cDirectXGraphicsObject();

	// Releases default-pool resources before a device reset.
	virtual void OnLostDevice() {}
	// Re-creates them after the reset.
	virtual void OnResetDevice() {}

	// Adds the object unless it is already listed.
	static void AddDeviceObject(cDirectXGraphicsObject* object);
	// Removes the first equal pointer, if any.
	static void RemoveDeviceObject(cDirectXGraphicsObject* object);
	static bool IsDeviceObject(const cDirectXGraphicsObject* object);

	// OnLostDevice, then (after the reset) OnResetDevice on every listed
	// object in order of joining, under the list's lock.
	static void LoseDeviceObjects();
	static void ResetDeviceObjects();
};
