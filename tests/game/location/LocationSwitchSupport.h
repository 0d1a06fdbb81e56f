#pragma once
// Moving between locations on the loader thread, for the switch tests, the
// stress test and the switch benchmark: "location1" of the location tests
// and a second room "location2" whose objects count themselves while alive
// and carry a motion and an animation; frames that show a loaded form as
// the diary does once it has joined the scene; and waiting for a change.

#include "LocationTestSupport.h"

#include "../../engine/scene/SceneDescTestSupport.h"

#include "engine/input/cCursorManager.h"
#include "game/location/cLocationLoaderThread.h"

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

// A probe visual whose only animation is "glow": the window states'
// animations ("appear", "working") are not its own.
class cGlowVisual : public cProbeVisual
{
public:
	using cProbeVisual::cProbeVisual;
	void PlayAnimation(const std::string& name) override
	{
		if (name == "glow")
			cProbeVisual::PlayAnimation(name);
	}
};

// Type "counted": an object with a glow visual that counts the objects of
// its type alive.
class cCountedObject : public cSceneObject
{
public:
	cCountedObject(const std::string& name, cSceneObject* parent) : cSceneObject(name, parent)
	{
		SetVisual(new cGlowVisual(this));
		++live;
	}
	~cCountedObject() override { --live; }
	static cSceneObject* Create(const std::string& name, cSceneObject* parent) { return new cCountedObject(name, parent); }

	static inline std::atomic<int> live{0};
};

// "lamp" can swing (a motion) and glow (an animation of its visual);
// "drawer" is revealed by the scenario in the game; "coin" is hidden.
inline const char* kSecondRoomScene = R"(
	<object name="bg" background="true" ignore="true"/>
	<counted name="lamp" tooltip="true" motion="slide"><add_motion name="swing" first="0" last="30" length="100"/>
		<counted name="flame"/></counted>
	<counted name="drawer"/>
	<counted name="coin" ispy="true"/>)";

// "startup" runs "arrive", which moves on to "stay"; "stay" waits long.
inline const char* kSecondRoomScenario = R"(<scenario>
	<state name="startup"><step><item name="arrive" goto="stay"/></step></state>
	<state name="stay"><step><item name="stay" wait="1000"/></step></state>
</scenario>)";

// The second room's content and its object type.
inline void AddSecondRoom(cLocationWorld& world)
{
	Singletone<cSceneManager>::GetInstance()->RegisterObjectType("counted", &cCountedObject::Create);
	world.content.AddMotion("slide", SlideBytes());
	world.content.AddScene("location2", kSecondRoomScene);
	world.resources.Add("xml", "location2", BytesOf(kSecondRoomScenario));
}

// The main thread's side of a change of location, frame by frame.
class cLocationSwitcher
{
public:
	// The cursor manager belongs to the thread that makes it: this one.
	cLocationSwitcher() : m_scene(Singletone<cSceneManager>::GetInstance())
	{
		Singletone<cCursorManager>::GetInstance();
	}

	// One frame: the scene's update (where a working main form leaves when
	// a next location is set and none is loading), showing a loaded form
	// as the diary does when the player closes it, and the cursor's update.
	void Frame(float dt)
	{
		m_scene->Update(dt);
		{
			cAutoLock lock(m_scene->GetLock());
			ShowWhenAttached();
			if (g_currentLocation != m_lastCurrent && g_currentLocation)
				entered.push_back(g_currentLocation->GetName());
			m_lastCurrent = g_currentLocation;
		}
		Singletone<cCursorManager>::GetInstance()->Update(dt);
	}

	// Frames until the named form is the current location, shown and
	// working, and the form it replaced is gone; false after about ten
	// seconds. frame runs each frame (the scene's update among others).
	template <class FrameStep>
	static bool WaitFor(const std::string& name, FrameStep frame)
	{
		for (int attempt = 0; attempt < 10000; ++attempt)
		{
			frame();
			if (IsWorking(name) && !g_previousLocation && g_nextLocation.empty())
				return true;
			std::this_thread::sleep_for(std::chrono::milliseconds(1));
		}
		return false;
	}

	// The location globals are read under the scene lock, as the game's
	// passes read them.
	static bool IsWorking(const std::string& name)
	{
		cAutoLock lock(Singletone<cSceneManager>::GetInstance()->GetLock());
		return !g_locationLoading && g_currentLocation && g_currentLocation->GetName() == name &&
			g_currentLocation->GetState() == cGameWindow::kWorking;
	}

	static bool IsAttached()
	{
		cAutoLock lock(Singletone<cSceneManager>::GetInstance()->GetLock());
		return !g_locationLoading && g_currentLocation && g_currentLocation->GetParent();
	}

	// Asks for the location and frames until it works.
	bool SwitchTo(const std::string& name)
	{
		SetNextLocation(name);
		return WaitFor(name, [this] { Frame(0.02f); });
	}

	// The names of the forms that became the current location, one per
	// load, in order.
	std::vector<std::string> entered;

private:
	void ShowWhenAttached()
	{
		cLocationForm* form = g_currentLocation;
		if (form && form->GetParent() && form->GetState() == cGameWindow::kHidden && !g_locationLoading &&
			g_locationToShow.load() == static_cast<cGameWindow*>(form))
			form->Show();
	}

	cSceneManager* m_scene;
	cLocationForm* m_lastCurrent = nullptr;
};
