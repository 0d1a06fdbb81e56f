#include "game/location/CurrentLocation.h"

cLocationForm* g_currentLocation = nullptr;
cLocationForm* g_previousLocation = nullptr;
std::string g_nextLocation;
bool g_scenarioChange = false;
bool g_ispyCollecting = false;

namespace
{
cGameWindow* s_effectWindow = nullptr;
cGameWindow* s_diaryWindow = nullptr;
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
