#include "app/GameMain.h"

#include "engine/foundation/Random.h"
#include "engine/foundation/SettingsStartup.h"
#include "engine/foundation/cWin32Application.h"
#include "engine/input/cInputManager.h"
#include "game/play/cGameApplication.h"

namespace
{
// Where the window goes until the graphics device places it.
const int kWindowX = 0;
const int kWindowY = 0;
const int kWindowWidth = 1024;
const int kWindowHeight = 768;
}

int GameMain(const sStartupParams* params)
{
	StartSettingsAndLog("zv2");
	SeedRandom();

	cWin32Application* application = Singletone<cWin32Application>::GetInstance();
	// Refused when another copy runs: the run ends quietly.
	if (application->CreateMainWindow(*params, "Sample_2", "Loading..."))
	{
		application->SetWindowMode(kWindowX, kWindowY, kWindowWidth, kWindowHeight, false);
		Singletone<cInputManager>::GetInstance()->Init(false);
		cGameApplication game;
		application->Run(game);
	}

	FinishSettings();
	return 0;
}
