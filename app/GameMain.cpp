#include "app/GameMain.h"

#include "engine/foundation/Random.h"
#include "engine/foundation/SettingsStartup.h"
#include "engine/foundation/cWin32Application.h"
#include "engine/resources/cResourceManager.h"
#include "engine/resources/cTextManager.h"
#include "game/play/cGameApplication.h"

#include <cstring>

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
		Singletone<cTextManager>::GetInstance();
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
		cGameApplication game;
		application->Run(game);
	}

	FinishSettings();
	return 0;
}
