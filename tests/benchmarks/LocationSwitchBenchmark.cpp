// Changing location from a small room to a large one (300 objects and a
// scenario of 20,000 commands to build) while the main thread updates and
// draws a full-screen quad every frame:
// - the time from asking for the location to the end of the first frame
//   drawn with the new form shown, against the same change made inside one
//   frame on the main thread (the form built, attached and shown at once):
//   the loader's hand-over costs at most a frame or two more;
// - the longest frame begun while the large room loads in the background,
//   against the longest of as many frames of the small room with nothing
//   loading: the main thread keeps drawing (at most half again as long);
//   the time the same build takes inside a frame is printed beside it.
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

const int kThings = 100;
// Each thing carries two parts.
const int kObjects = kThings * 3;
// The scenario's archive: chains of nested commands that are built with
// the form and never run, as a long scenario is.
const int kChains = 200;
const int kChainLength = 100;

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

// The second room's scenario and the archive.
std::string LargeRoomScenario()
{
	std::string xml = R"(<scenario>
	<state name="startup"><step><item name="arrive" goto="stay"/></step></state>
	<state name="stay"><step><item name="stay" wait="1000"/></step></state>
	<state name="archive">)";
	for (int chain = 0; chain < kChains; ++chain)
	{
		for (int level = 0; level < kChainLength; ++level)
			xml += "<step><item name=\"page\"/>";
		for (int level = 0; level < kChainLength; ++level)
			xml += "</step>";
	}
	return xml + "</state></scenario>";
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
		m_world.resources.Add("xml", "large_room", BytesOf(LargeRoomScenario()));
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

	// Frames until the form is shown and drawn; the longest frame begun
	// while the form was loading (the frame that builds it, without the
	// loader).
	double DrawUntilShown(const std::string& name)
	{
		double longest = 0;
		m_framesToShow = 0;
		for (; m_framesToShow < 100000; ++m_framesToShow)
		{
			const bool loading = g_locationLoading;
			const double length = Frame();
			if (loading)
				longest = std::max(longest, length);
			if (cLocationSwitcher::IsWorking(name))
				break;
		}
		return longest;
	}

	// As many frames as the last change on the loader took, nothing
	// loading; the longest.
	void DrawIdle(const std::string&, double& toLastFrame, double& longestFrame)
	{
		const tClock::time_point start = tClock::now();
		longestFrame = 0;
		for (int frame = 0; frame <= m_loadFrames; ++frame)
			longestFrame = std::max(longestFrame, Frame());
		toLastFrame = Seconds(start, tClock::now());
	}

	// The change made by the loader thread; its measures.
	void SwitchOnLoader(const std::string& name, double& toFirstFrame, double& longestFrame)
	{
		const tClock::time_point asked = tClock::now();
		SetNextLocation(name);
		longestFrame = DrawUntilShown(name);
		toFirstFrame = Seconds(asked, tClock::now());
		m_loadFrames = m_framesToShow;
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
		longestFrame = Seconds(asked, tClock::now());
		DrawUntilShown(name);
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
	int m_framesToShow = 0;
	// The frames of the last change on the loader.
	int m_loadFrames = 10;
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
		if (g_currentLocation->GetName() != "location1")
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

void LongestFrameIdle(benchmark::State& state)
{
	Measure<&cBench::DrawIdle, false>(state);
}

BENCHMARK(SwitchToFirstFrameOnLoader)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(SwitchToFirstFrameHere)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(LongestFrameOnLoader)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(LongestFrameHere)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(LongestFrameIdle)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
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
	// The form joins the scene at the update after its load and is shown
	// then: a frame or two more than building it in the frame.
	reporter.PrintTimeRatio("From the request to the first frame of the new location", "SwitchToFirstFrameOnLoader",
		"SwitchToFirstFrameHere", 2.0);
	reporter.PrintTimeRatio("The longest frame while the location loads", "LongestFrameOnLoader", "LongestFrameIdle", 1.5);
	printf("  building the room inside a frame instead takes %.1f ms in that frame\n", reporter.Median("LongestFrameHere") * 1e3);
#if !defined(__OPTIMIZE__)
	printf("This build is not optimised: build with CMAKE_BUILD_TYPE Release or RelWithDebInfo to measure.\n");
#endif
	DeleteCurrentLocation();
	benchmark::Shutdown();
	return 0;
}
