#include "game/location/LocationGlobals.h"

cLocationForm* g_currentLocation = nullptr;
cLocationForm* g_previousLocation = nullptr;
cLocationForm* g_locationToShow = nullptr;
std::string g_nextLocation;
bool g_scenarioChange = false;
std::atomic<bool> g_locationLoading{false};
bool g_ispyMode = false;
bool g_ispyCollecting = false;

namespace
{
cGameWindow* s_effectWindow = nullptr;
cGameWindow* s_diaryWindow = nullptr;
cGameWindow* s_helpWindow = nullptr;
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

void SetHelpWindow(cGameWindow* window)
{
	s_helpWindow = window;
}

cGameWindow* GetHelpWindow()
{
	return s_helpWindow;
}
