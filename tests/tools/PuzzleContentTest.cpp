// The demo's minigames (platens, tube, hammer, wire, statue, the code
// locks, keypads and computer): each scene is made
// by the factory from the generated content with every piece, clip, sound
// and description it needs, and drawn inside its frame (screenshots
// beside the test program).

#include "../engine/foundation/ChildProcess.h"
#include "../engine/foundation/TempFolder.h"
#include "../engine/graphics/ScreenshotSupport.h"

#include "engine/foundation/SettingsStartup.h"
#include "engine/foundation/cLog.h"
#include "engine/graphics/GraphicsResourceTypes.h"
#include "engine/resources/cResourceManager.h"
#include "engine/resources/cTextManager.h"
#include "engine/resources/cXmlResource.h"
#include "engine/scene/cCameraObject.h"
#include "engine/scene/cSceneManager.h"
#include "engine/sound/cSoundResource.h"
#include "game/minigames/MinigameEffect.h"
#include "game/minigames/cMinigame.h"
#include "game/minigames/cMinigameFactory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <sys/wait.h>

namespace
{
bool Generate(const std::string& folder)
{
	const std::string command = std::string("'") + ZV2_CONTENT_PROGRAM + "' '" + folder + "'";
	const int status = std::system(command.c_str());
	return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

sPixels Draw()
{
	cGraphics* graphics = cGraphics::GetInstance();
	graphics->BeginScene();
	cSceneManager::GetInstance()->Render();
	sPixels pixels = ReadBackBuffer();
	graphics->EndScene();
	return pixels;
}

// The pixel at (x, y) of the 1024 by 768 screen, y up, without alpha.
D3DCOLOR At(const sPixels& pixels, int x, int y)
{
	return pixels.At(UINT(x), pixels.height - 1 - UINT(y)) & 0xFFFFFF;
}

struct sPuzzle
{
	const char* name;
	// Pieces the minigame looks up, and a point where a piece is drawn.
	std::vector<const char*> pieces;
	int x, y;
	// Clips played on the whole minigame that must exist.
	std::vector<const char*> clips;
	// Pieces drawn over others, each with the one it covers: it lies
	// nearer, as the order of pieces at one depth is not defined.
	std::vector<std::pair<const char*, const char*>> covers = {};
};
}

TEST(PuzzleContent, EveryMinigameIsBuiltFromItsSceneAndDrawnInItsFrame)
{
	cTempFolder folder;
	ASSERT_TRUE(Generate(folder.Work()));
	RunInChild([] {
		StartSettingsAndLog("zv2");
		StartGraphics(1024, 768);
		cSceneManager* scene = cSceneManager::GetInstance();
		RegisterGraphicsResourceTypes();
		cSoundResource::RegisterType(*cResourceManager::GetInstance());
		cResourceManager::GetInstance()->AddSource("data");
		cResourceManager::GetInstance()->AddSource("localization");
		cTextManager::GetInstance()->LoadFromXml(
			cResourceHandle(cResourceManager::GetResourceByName<cXmlResource>("strings")));
		cCameraObject* screen = scene->GetDefaultCamera();
		SetScreenCamera(screen->GetCamera());
		screen->GetCamera().SetDepthTest(false);
		CreateMinigameEffect();
		const std::string strings = cTempFolder::ReadFile("localization/strings.xml");

		const sPuzzle puzzles[] = {
			{ "platens", { "walik_6", "lamp_green_5", "lamp_red_5" }, 254, 320, { "wal1", "fadeon" } },
			{ "tube", { "kapan_off_5", "kapan_on_5", "open_5" }, 295, 330, { "klapan_5_on_fadein", "open_5_on", "key" } },
			{ "hammer", { "bg", "strike", "molotok/emiter", "indicator_sign" }, 490, 250,
				{ "down", "hit1", "hit6", "break7", "shake", "strike" },
				{ { "cracks_1", "bg" }, { "cracks_7", "bg" }, { "dust", "cracks_7" }, { "molotok", "dust" },
					{ "needle", "scale" } } },
			{ "wire", { "strand_3", "pliers" }, 500, 362, { "hit3", "break3" } },
			{ "statue", { "body/1_pero", "body/head", "body/l_arm", "body/r_arm" }, 390, 300,
				{ "5_pero_hit1", "r_arm_hit1", "open_doors" } },
			{ "bag", { "code_1", "code_7", "code_7/digit_6", "lid", "clue" }, 297, 320, { "hit1", "hit6", "open" } },
			{ "code_enter1", { "square", "vall_3", "vall_3/digit_10" }, 200, 200, { "hit10" } },
			{ "code_enter2", { "okno", "vall_3", "clue" }, 200, 200, { "hit10" } },
			{ "l6_box", { "button_0", "button_9", "button_p", "button_on", "code4" }, 290, 530, {} },
			{ "terminal", { "button0", "button9", "code5" }, 290, 530, { "correct", "mistake" } },
			{ "l10_terminal", { "button_0", "button_9", "button_in", "button_number" }, 290, 530, {} },
			{ "computer", { "word21", "symbols3", "word_select3", "symbols_text3", "attempts_number" }, 200, 300,
				{ "success", "failure" } },
		};
		for (const sPuzzle& puzzle : puzzles)
		{
			std::unique_ptr<cMinigame> game(cMinigameFactory::GetInstance()->Create(puzzle.name, screen));
			ASSERT_NE(game, nullptr) << puzzle.name;
			game->GetTransform().SetLocalMatrix(cMatrix().MakeTranslation(cVector3d(0, 0, -500)));
			cChildList& children = game->GetChildList();
			ASSERT_NE(game->GetBorder(), nullptr) << puzzle.name;
			EXPECT_NE(strings.find(std::string("name=\"") + puzzle.name + "\""), std::string::npos) << "its description";
			for (const char* piece : puzzle.pieces)
				EXPECT_NE(children.FindByPath(piece), nullptr) << puzzle.name << " " << piece;
			for (const char* clip : puzzle.clips)
				EXPECT_GT(game->GetMotions().GetLengthByName(clip), 0.0f) << puzzle.name << " " << clip;
			game->Show();
			for (int i = 0; i < 10; ++i)
				scene->Update(0.1f);
			auto depthOf = [&](const char* piece) { return children.FindByPath(piece)->GetTransform().GetWorldMatrix()._43; };
			for (const auto& [front, back] : puzzle.covers)
				EXPECT_LT(depthOf(front), depthOf(back)) << puzzle.name << " " << front << " over " << back;
			const sPixels pixels = Draw();
			WriteScreenshot(std::string("demo_") + puzzle.name, pixels);
			EXPECT_NE(At(pixels, puzzle.x, puzzle.y), 0u) << puzzle.name;
			EXPECT_EQ(At(pixels, 100, 400), 0u) << "outside the frame";
			game->Hide();
			for (int i = 0; i < 10; ++i)
				scene->Update(0.1f);
		}

		const std::string log = cTempFolder::ReadFile(cLog::GetInstance()->GetFilePath());
		for (const char* missing : { "scene_resource[", "model[", "texture[", "motion[", "sound[", "has no", "valves", " of the " })
			EXPECT_EQ(log.find(missing), std::string::npos) << missing << "\n" << log;
	});
}
