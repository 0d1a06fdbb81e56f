// Changing location from a small room to a large one (1,200 objects) while
// the main thread updates and draws a full-screen quad every frame. Two
// measures, each against the same change made on the main thread alone
// (the form built inside one frame, as it would be without the loader
// thread):
// - the time from asking for the location to the end of the first frame
//   drawn with the new form shown (the loader's hand-over costs at most
//   half again the build in the frame);
// - the longest frame while the large room loads in the background,
//   against the frame that builds it (at most a fifth of it: the main
//   thread keeps drawing while the loader builds).
// Both ways must build the same room. Each measure is the median of the
// repetitions.
//
// Run under a display, e.g. xvfb-run -a -s "-screen 0 1920x1200x24".

#include "benchmarks/cSummaryReporter.h"
#include "engine/graphics/TextureFiles.h"
#include "game/location/LocationSwitchSupport.h"

#include "engine/foundation/cWin32Application.h"
#include "engine/graphics/cGraphics.h"
#include "engine/scene/cCameraObject.h"
#include "engine/scene/cQuadVisual.h"
#include "platform/win32/Win32.h"

#include <chrono>
#include <cstdio>

namespace
{
typedef std::chrono::steady_clock tClock;

const int kThings = 400;
// Each thing carries two parts.
const int kObjects = kThings * 3;

std::string LargeRoomScene()
{
	std::string xml = R"(<object name="bg" background="true" ignore="true"/>)";
	for (int thing = 0; thing < kThings; ++thing)
	{
		const std::string name = "thing" + std::to_string(thing);
		xml += "<counted name=\"" + name + "\"" + (thing % 4 ? " tooltip=\"true\"" : " ispy=\"true\"") + "><counted name=\"" +
			name + "_a\"/><counted name=\"" + name + "_b\"/></counted>";
	}
	return xml;
}

double Seconds(tClock::time_point from, tClock::time_point to)
{
	return std::chrono::duration<double>(to - from).count();
}

class cBench
{
public:
	cBench()
	{
		cWin32Application* application = Singletone<cWin32Application>::GetInstance();
		sStartupParams params{nullptr, SW_SHOWDEFAULT, nullptr, "", false};
		if (!application->CreateMainWindow(params, "LocationSwitchBenchmark", "locations"))
			return;
		m_graphics = Singletone<cGraphics>::GetInstance();
		sDisplaySettings settings;
		settings.width = 1024;
		settings.height = 768;
		settings.windowed = true;
		if (!m_graphics->CreateDevice(settings))
			return;
		m_scene = Singletone<cSceneManager>::GetInstance();
		cCameraObject* screen = m_scene->GetDefaultCamera();
		cCamera& camera = screen->GetCamera();
		camera.SetOrtho(0, 0, 1024, 768, 1, 2000);
		cMatrix placement;
		placement.MakeTranslation(cVector3d(0, 0, -1800));
		placement.LookAt(cVector3d(0, 0, 0));
		camera.SetTransform(placement);
		camera.SetDepthTest(false);
		cModel model;
		AddQuad(model, 0, 0, 1024, 768);
		model.materials = {Material(0, 2, {"grey"})};
		m_world.resources.Add("model", "backdrop_quad", ModelBytes(model));
		m_world.resources.Add("texture", "grey", DdsFile(1, 1, {0xFF808080}));
		auto* backdrop = new cSceneObject("backdrop", screen);
		backdrop->SetVisual(new cQuadVisual(backdrop));
		backdrop->SetModel("backdrop_quad");

		AddSecondRoom(m_world);
		m_world.content.AddScene("large_room", LargeRoomScene());
		m_world.resources.Add("xml", "large_room", BytesOf(kSecondRoomScenario));
		new cLocationLoaderThread("location1", false);
		m_ready = cLocationSwitcher::WaitFor("location1", [this] { Frame(); });
	}

	bool IsReady() const { return m_ready; }

	// One frame as the game runs it; returns its length in seconds.
	double Frame()
	{
		const tClock::time_point start = tClock::now();
		m_switcher.Frame(0.016f);
		m_graphics->BeginScene();
		m_scene->Render();
		m_graphics->EndScene();
		return Seconds(start, tClock::now());
	}

	// Frames until the form is shown and drawn; the longest frame.
	double DrawUntilShown(const std::string& name)
	{
		double longest = 0;
		for (int frame = 0; frame < 100000; ++frame)
		{
			longest = std::max(longest, Frame());
			if (cLocationSwitcher::IsWorking(name))
				break;
		}
		return longest;
	}

	// The change made by the loader thread; its measures.
	void SwitchOnLoader(const std::string& name, double& toFirstFrame, double& longestFrame)
	{
		const tClock::time_point asked = tClock::now();
		SetNextLocation(name);
		longestFrame = DrawUntilShown(name);
		toFirstFrame = Seconds(asked, tClock::now());
	}

	// The same change with the form built inside a frame on this thread:
	// the form left hides and a new one is built, attached and shown.
	void SwitchHere(const std::string& name, double& toFirstFrame, double& longestFrame)
	{
		const tClock::time_point asked = tClock::now();
		cLocationForm* left = g_currentLocation;
		g_previousLocation = left;
		left->Hide();
		m_world.progress.currentLocation = name;
		auto* form = new cLocationForm(name, nullptr);
		form->GetChildList().SetParent(m_scene->GetRoot(), false);
		form->Show();
		longestFrame = Seconds(asked, tClock::now()) + DrawUntilShown(name);
		toFirstFrame = Seconds(asked, tClock::now());
	}

	// Back to the small room, the large one deleted.
	void Return()
	{
		m_switcher.SwitchTo("location1");
		for (int i = 0; i < 3; ++i)
			Frame();
	}

	// What both ways must build alike.
	std::string Describe() const
	{
		const cLocationForm* form = g_currentLocation;
		return form->GetName() + " " + std::to_string(cCountedObject::live) + " objects, " +
			std::to_string(form->GetPickableObjects().size()) + " pickable, " +
			std::to_string(form->GetISpyGroups().size()) + " hidden, state " + form->GetStateName();
	}

private:
	cLocationWorld m_world;
	cLocationSwitcher m_switcher;
	cGraphics* m_graphics = nullptr;
	cSceneManager* m_scene = nullptr;
	bool m_ready = false;
};

cBench* g_bench = nullptr;

bool SameRoomBothWays()
{
	double first = 0;
	double longest = 0;
	g_bench->SwitchOnLoader("large_room", first, longest);
	const std::string onLoader = g_bench->Describe();
	g_bench->Return();
	g_bench->SwitchHere("large_room", first, longest);
	const std::string here = g_bench->Describe();
	g_bench->Return();
	printf("loader: %s\nhere:   %s\n", onLoader.c_str(), here.c_str());
	return onLoader == here && cCountedObject::live == 0 && onLoader.find(std::to_string(kObjects)) != std::string::npos;
}

// Times one measure of a way of changing location, as manual time.
template <void (cBench::*Switch)(const std::string&, double&, double&), bool TimeToFirstFrame>
void Measure(benchmark::State& state)
{
	for (auto _ : state)
	{
		double first = 0;
		double longest = 0;
		(g_bench->*Switch)("large_room", first, longest);
		state.SetIterationTime(TimeToFirstFrame ? first : longest);
		g_bench->Return();
	}
}

void SwitchToFirstFrameOnLoader(benchmark::State& state)
{
	Measure<&cBench::SwitchOnLoader, true>(state);
}

void SwitchToFirstFrameHere(benchmark::State& state)
{
	Measure<&cBench::SwitchHere, true>(state);
}

void LongestFrameOnLoader(benchmark::State& state)
{
	Measure<&cBench::SwitchOnLoader, false>(state);
}

void LongestFrameHere(benchmark::State& state)
{
	Measure<&cBench::SwitchHere, false>(state);
}

BENCHMARK(SwitchToFirstFrameOnLoader)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(SwitchToFirstFrameHere)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(LongestFrameOnLoader)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(LongestFrameHere)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
}

int main(int argc, char** argv)
{
	cBench bench;
	if (!bench.IsReady())
	{
		printf("No window, device or first location: nothing measured.\n");
		return 1;
	}
	g_bench = &bench;
	if (!SameOutput(SameRoomBothWays(), "Location change"))
		return 1;
	cSummaryReporter reporter;
	if (!RunWithSummary(argc, argv, reporter))
		return 1;
	printf("\n");
	reporter.PrintTimeRatio("From the request to the first frame of the new location", "SwitchToFirstFrameOnLoader",
		"SwitchToFirstFrameHere", 1.5);
	reporter.PrintTimeRatio("The longest frame while the location loads", "LongestFrameOnLoader", "LongestFrameHere", 0.2);
#if !defined(__OPTIMIZE__)
	printf("This build is not optimised: build with CMAKE_BUILD_TYPE Release or RelWithDebInfo to measure.\n");
#endif
	DeleteCurrentLocation();
	benchmark::Shutdown();
	return 0;
}
