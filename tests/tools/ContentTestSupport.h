#pragma once
// The content tests' common steps: running the demo-content generator into
// a folder, and reading back the drawn scene.

#include "../engine/graphics/GraphicsTestSupport.h"

#include "../engine/foundation/TempFolder.h"

#include "engine/foundation/SettingsStartup.h"
#include "engine/foundation/cLog.h"
#include "engine/graphics/GraphicsResourceTypes.h"
#include "engine/resources/cResourceManager.h"
#include "engine/scene/cCameraObject.h"
#include "engine/scene/cSceneManager.h"
#include "engine/sound/cSoundResource.h"
#include "game/minigames/cMinigame.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <sys/wait.h>

// Runs the generator into the folder; true when it succeeded.
inline bool GenerateContent(const std::string& folder)
{
	const std::string command = std::string("'") + ZV2_CONTENT_PROGRAM + "' '" + folder + "'";
	const int status = std::system(command.c_str());
	return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// In a child process run in the generated folder: the settings and the
// log, the device at 1024 by 768, the resources of "data", and the
// default camera as the screen camera without a depth test.
inline cCameraObject* StartContentScreen()
{
	StartSettingsAndLog("zv2");
	StartGraphics(1024, 768);
	// The scene manager registers the scene and motion resource types.
	cCameraObject* screen = cSceneManager::GetInstance()->GetDefaultCamera();
	RegisterGraphicsResourceTypes();
	cSoundResource::RegisterType(*cResourceManager::GetInstance());
	cResourceManager::GetInstance()->AddSource("data");
	SetScreenCamera(screen->GetCamera());
	screen->GetCamera().SetDepthTest(false);
	return screen;
}

// The pixel at (x, y) with y growing upward, without alpha.
inline D3DCOLOR PixelAt(const sPixels& pixels, int x, int y)
{
	return pixels.At(UINT(x), pixels.height - 1 - UINT(y)) & 0xFFFFFF;
}

// The scene drawn and read back.
inline sPixels DrawScene()
{
	cGraphics* graphics = cGraphics::GetInstance();
	graphics->BeginScene();
	cSceneManager::GetInstance()->Render();
	sPixels pixels = ReadBackBuffer();
	graphics->EndScene();
	return pixels;
}

// Places the minigame as the scenario does and shows it for a second.
inline void ShowForASecond(cMinigame* game)
{
	game->GetTransform().SetLocalMatrix(cMatrix().MakeTranslation(cVector3d(0, 0, -500)));
	game->Show();
	for (int i = 0; i < 10; ++i)
		cSceneManager::GetInstance()->Update(0.1f);
}

// The log names none of the texts.
inline void ExpectNothingMissing(std::initializer_list<const char*> texts)
{
	const std::string log = cTempFolder::ReadFile(cLog::GetInstance()->GetFilePath());
	for (const char* text : texts)
		EXPECT_EQ(log.find(text), std::string::npos) << text << "\n" << log;
}
