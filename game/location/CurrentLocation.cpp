#include "game/location/CurrentLocation.h"

#include "engine/input/cCursorManager.h"
#include "engine/sound/cSoundRegistry.h"
#include "engine/windows/GlobalDialogs.h"
#include "game/location/cLocationForm.h"
#include "game/screens/ScreenPlacement.h"

cLocationForm* g_currentLocation = nullptr;
cLocationForm* g_previousLocation = nullptr;
std::string g_nextLocation;
bool g_scenarioChange = false;
bool g_ispyCollecting = false;

namespace
{
cGameWindow* s_effectWindow = nullptr;
cGameWindow* s_diaryWindow = nullptr;
cGameWindow* s_mainMenuWindow = nullptr;
}

void SetNextLocation(const std::string& name)
{
	g_nextLocation = name;
}

void SetEffectWindow(cGameWindow* window)
{
	s_effectWindow = window;
}

cGameWindow* GetEffectWindow()
{
	return s_effectWindow;
}

void SetDiaryWindow(cGameWindow* window)
{
	s_diaryWindow = window;
}

cGameWindow* GetDiaryWindow()
{
	return s_diaryWindow;
}

void SetMainMenuWindow(cGameWindow* window)
{
	s_mainMenuWindow = window;
}

cGameWindow* GetMainMenuWindow()
{
	return s_mainMenuWindow;
}

void ReturnToMainMenu(bool smooth)
{
	Singletone<cSoundRegistry>::GetInstance()->Clear();
	g_scenarioChange = !smooth;
	if (g_currentLocation)
		g_currentLocation->Hide();
	if (s_mainMenuWindow)
	{
		s_mainMenuWindow->Show();
		PlayClips(*s_mainMenuWindow, "working");
		PlayClips(*s_mainMenuWindow, "appear");
	}
	Singletone<cCursorManager>::GetInstance()->SetCursor("cursor");
}

void OpenMapFromLocation()
{
	Singletone<cSoundRegistry>::GetInstance()->Clear();
	if (g_currentLocation)
		g_currentLocation->Hide();
	HideGlobalDialogs();
}

void DeleteCurrentLocation()
{
	delete g_currentLocation;
}
