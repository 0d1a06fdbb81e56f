#include "app/GameMain.h"
#include "app/cFrameTimingHandler.h"

#include "engine/foundation/Random.h"
#include "engine/foundation/SettingsStartup.h"
#include "engine/foundation/cConfig.h"
#include "engine/foundation/cFileStream.h"
#include "engine/foundation/cLog.h"
#include "engine/foundation/cWin32Application.h"
#include "engine/graphics/cGraphics.h"
#include "engine/graphics/cGraphicsText.h"
#include "engine/input/cCursorManager.h"
#include "engine/input/cInputManager.h"
#include "engine/resources/cResourceManager.h"
#include "engine/resources/ResourceUtils.h"
#include "engine/resources/cTextManager.h"
#include "engine/scene/cCameraObject.h"
#include "engine/scene/cSceneManager.h"
#include "engine/sound/cSoundManager.h"
#include "game/location/CurrentLocation.h"
#include "game/location/cLocationLoaderThread.h"
#include "game/play/GameObjectTypes.h"
#include "game/play/LocationGlobals.h"
#include "game/play/cGameApplication.h"
#include "game/play/cPlayerProgress.h"
#include "game/play/cProfileManager.h"
#include "game/screens/cGameLoading.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace
{
// Below this much texture memory every texture is DXT3 compressed.
const unsigned kTextureMemoryThreshold = 113246208;

// The logical screen everything is laid out on.
const int kScreenWidth = 1024;
const int kScreenHeight = 768;

// The version "profiles.data" must carry; any other deletes the stored profiles.
const uint32_t kProfileVersion = 18;

// The system cursors of the program's resources, in the order they load.
const struct
{
	const char* name;
	unsigned short id;
} kHardwareCursors[] = {{"cursor", 102}, {"dialog", 103}, {"hours", 105}, {"lens", 104}};

// The scene's camera: an orthographic view of the logical screen, from
// (0, 0, -1800) towards the origin.
void SetSceneCamera(cCamera& camera)
{
	camera.SetOrtho(0, 0, float(kScreenWidth), float(kScreenHeight), 1, 2000);
	cMatrix placement;
	placement.MakeTranslation(cVector3d(0, 0, -1800));
	placement.LookAt(cVector3d(0, 0, 0));
	camera.SetTransform(placement);
}

int SettingAsInt(const char* key)
{
	return int(strtol(Singletone<cConfig>::GetInstance()->GetValue(key).c_str(), nullptr, 10));
}

// The loading window until it is deleted (its "on_delete" forgets it).
cGameLoading* g_loadingWindow = nullptr;

void ForgetLoadingWindow(cSceneObject*)
{
	g_loadingWindow = nullptr;
}

// The loading window's loader builds the game's windows, or a location
// loads: frames may be long then.
bool IsLoading()
{
	return g_locationLoading || (g_loadingWindow && g_loadingWindow->IsRunning());
}
}

std::string StartupLocationName()
{
	std::unique_ptr<cFileStream> file(OpenForReading("startup.txt"));
	std::string text(file->GetSize(), '\0');
	text.resize(file->Read(text.data(), uint32_t(text.size())));
	text.resize(strnlen(text.c_str(), text.size()));
	return text.empty() ? "location1" : text;
}

void StartGame(cSceneObject*)
{
	std::string name;
	if (g_currentProgress)
	{
		if (g_currentProgress->restartPending)
			g_currentProgress->Restart();
		name = g_currentProgress->currentLocation;
	}
	if (name.empty())
		name = StartupLocationName();
	new cLocationLoaderThread(name, true);
	if (cGameWindow* menu = GetMainMenuWindow())
		menu->Hide();
}

int GameMain(const sStartupParams* params)
{
	StartSettingsAndLog("zv2");
	SeedRandom();

	cWin32Application* application = Singletone<cWin32Application>::GetInstance();
	// Refused when another copy runs: the run ends quietly.
	if (application->CreateMainWindow(*params, "Sample_2", "Loading..."))
	{
		cGraphics* graphics = Singletone<cGraphics>::GetInstance();
		graphics->SetTextureMemoryThreshold(kTextureMemoryThreshold);
		graphics->SetScreenRect(0, 0, kScreenWidth, kScreenHeight);
		graphics->CreateDevice(graphics->GetRequestedSettings());
		Singletone<cInputManager>::GetInstance()->Init(false);
		// Reads "profiles.data" and loads the current player's progress.
		Singletone<cProfileManager>::GetInstance()->Init(CreatePlayerProgress, nullptr, kProfileVersion);
		Singletone<cSceneManager>::GetInstance();
		Singletone<cTextManager>::GetInstance();
		RegisterGameObjectTypes();
		Singletone<cSoundManager>::GetInstance();
		cResourceManager* resources = Singletone<cResourceManager>::GetInstance();
		for (const char* folder : {"data", "localization", "splash"})
			resources->AddSource(folder);
		// "-pack" anywhere on the command line: write the pack files and end
		// at once, without saving anything.
		if (params->commandLine && strstr(params->commandLine, "-pack"))
		{
			resources->PackSourceToFile("data", "my_data", 0);
			resources->PackSourceToFile("localization", "my_localization", 0);
			return 0;
		}
		// 800 by 600 is the low-quality choice of the options menu.
		const bool lowQuality = SettingAsInt("video.width") == 800 && SettingAsInt("video.height") == 600;
		graphics->SetTextureQuality(!lowQuality);
		// Low quality uses the system cursor, otherwise the cursor is a model.
		cCursorManager* cursors = Singletone<cCursorManager>::GetInstance();
		cursors->SetHardwareCursor(lowQuality);
		for (const auto& cursor : kHardwareCursors)
			cursors->LoadHardwareCursor(cursor.name, cursor.id);
		{
			cGameApplication game;
			Singletone<cGraphicsText>::GetInstance()->GetTextRect() = graphics->GetScreenRect();
			SetSceneCamera(Singletone<cSceneManager>::GetInstance()->GetDefaultCamera()->GetCamera());
			cursors->SetCursor("cursor");
			cursors->ShowCursor(true);
			cursors->InitCamera();
			// The logos, then the loading window; the scene owns it.
			g_loadingWindow = new cGameLoading();
			g_loadingWindow->BindEvent("on_game", cSceneObject::tEvent(MakeFunctionDelegate(&StartGame)));
			g_loadingWindow->BindEvent("on_delete", cSceneObject::tEvent(MakeFunctionDelegate(&ForgetLoadingWindow)));
			cFrameTimingHandler timed(game, [application] { return application->GetTime(); }, &IsLoading);
			application->Run(timed);
			LOG(0, "Longest frame: %d ms", int(timed.GetLongest() * 1000 + 0.5));
		}
		// The loop's end has waited for every worker thread, a location
		// loader that was still building its form included. The form it
		// posted joins the tree now, so that the teardown never deletes a
		// form under its constructor, nor one that is still queued.
		Singletone<cSceneManager>::GetInstance()->ApplyRequests();
	}
	// Stores the player's progress and writes the profile file while every
	// manager still exists.
	DeleteCurrentLocation();

	FinishSettings();
	// 0 for a normal end; a failure code when the system ended the loop (the
	// window was taken away by another program).
	return application->GetQuitCode();
}
