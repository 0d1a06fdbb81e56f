// The device-object list: add once, remove the first equal pointer, walks in
// order of joining, and loader threads joining and leaving while the main
// thread walks the list.

#include "engine/graphics/cDirectXGraphicsObject.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace
{
class cRecordingObject : public cDirectXGraphicsObject
{
public:
	explicit cRecordingObject(std::string* log = nullptr, char name = '?') : m_log(log), m_name(name) {}
	// Leaves the list before its members go, as every joining class must:
	// a walk must not reach an object that is half destroyed.
	~cRecordingObject() override { RemoveDeviceObject(this); }

	void OnLostDevice() override
	{
		++lost;
		if (m_log)
			*m_log += std::string("-") + m_name;
	}
	void OnResetDevice() override
	{
		++reset;
		if (m_log)
			*m_log += std::string("+") + m_name;
	}

	std::atomic<int> lost { 0 };
	std::atomic<int> reset { 0 };

private:
	std::string* m_log;
	char m_name;
};
}

TEST(cDirectXGraphicsObject, ListsObjectsOnceInOrderOfJoining)
{
	std::string log;
	cRecordingObject a(&log, 'a');
	cRecordingObject b(&log, 'b');
	cRecordingObject c(&log, 'c');
	cDirectXGraphicsObject::AddDeviceObject(&b);
	cDirectXGraphicsObject::AddDeviceObject(&a);
	cDirectXGraphicsObject::AddDeviceObject(&b);
	cDirectXGraphicsObject::AddDeviceObject(&c);
	cDirectXGraphicsObject::RemoveDeviceObject(&c);
	cDirectXGraphicsObject::LoseDeviceObjects();
	cDirectXGraphicsObject::ResetDeviceObjects();
	EXPECT_EQ(log, "-b-a+b+a");
	{
		cRecordingObject leaving;
		cDirectXGraphicsObject::AddDeviceObject(&leaving);
	} // its destructor leaves the list
	log.clear();
	cDirectXGraphicsObject::LoseDeviceObjects();
	EXPECT_EQ(log, "-b-a");
	cDirectXGraphicsObject::RemoveDeviceObject(&a);
	cDirectXGraphicsObject::RemoveDeviceObject(&b);
	EXPECT_FALSE(cDirectXGraphicsObject::IsDeviceObject(&a));
}

TEST(cDirectXGraphicsObject, LoaderThreadsJoinAndLeaveWhileTheListIsWalked)
{
	cRecordingObject resident;
	cDirectXGraphicsObject::AddDeviceObject(&resident);
	std::atomic<bool> stop { false };
	std::vector<std::thread> loaders;
	for (int thread = 0; thread < 4; ++thread)
		loaders.emplace_back([&stop] {
			while (!stop)
			{
				// Objects made and dropped in bursts, as a location loader does.
				std::vector<cRecordingObject*> batch;
				for (int i = 0; i < 16; ++i)
				{
					batch.push_back(new cRecordingObject);
					cDirectXGraphicsObject::AddDeviceObject(batch.back());
				}
				for (cRecordingObject* object : batch)
					delete object;
			}
		});
	constexpr int kWalks = 2000;
	for (int walk = 0; walk < kWalks; ++walk)
	{
		cDirectXGraphicsObject::LoseDeviceObjects();
		cDirectXGraphicsObject::ResetDeviceObjects();
	}
	stop = true;
	for (std::thread& loader : loaders)
		loader.join();
	EXPECT_EQ(resident.lost, kWalks);
	EXPECT_EQ(resident.reset, kWalks);
	cDirectXGraphicsObject::RemoveDeviceObject(&resident);
}
