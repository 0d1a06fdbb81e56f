// The game's application object at its construction: "game_config" gives
// the texts, fonts and model cursors, the menu music starts and the window
// takes the title; a missing or damaged configuration is logged and
// skipped. The model cursor is then drawn over the game's frame.

#include "../../engine/foundation/ChildProcess.h"
#include "../../engine/input/InputManagerFixture.h"
#include "GameContent.h"

#include "engine/graphics/cFontResource.h"
#include "engine/graphics/cGraphicsText.h"
#include "engine/input/cCursorManager.h"
#include "engine/resources/cTextManager.h"
#include "engine/sound/cSoundChannel.h"
#include "engine/sound/cSoundManager.h"
#include "game/play/cGameApplication.h"

namespace
{
std::string ModelName(const cModelController* cursor)
{
	return cursor ? cursor->GetModelHandle().GetResource().Get()->GetName() : "none";
}

std::string FontName(int id)
{
	cFontResource* font = cGraphicsText::GetInstance()->GetFont(id);
	return font ? font->GetName() : "none";
}

std::string WindowTitle(HWND window)
{
	char title[100];
	GetWindowTextA(window, title, sizeof title);
	return title;
}

// Each test runs in a program of its own (RunInChild): the application
// object takes the managers as a game starting fresh has them, and the
// mount stays with the child.
class cGameApplicationTest : public cInputManagerFixture
{
protected:
	void SetUp() override
	{
		cInputManagerFixture::SetUp();
		if (HasFatalFailure())
			return;
		StartGraphics(kWidth, kHeight);
		Singletone<cSoundManager>::GetInstance();
		Singletone<cTextManager>::GetInstance();
		m_cursors = Singletone<cCursorManager>::GetInstance();
	}

	// Mounts the folder and builds the application object, capturing what
	// the construction logs.
	std::unique_ptr<cGameApplication> Start(const std::string& folder, std::string& log)
	{
		cResourceManager::GetInstance()->AddSource(folder);
		testing::internal::CaptureStderr();
		auto game = std::make_unique<cGameApplication>();
		log = testing::internal::GetCapturedStderr();
		return game;
	}

	cTempFolder m_folder;
	cCursorManager* m_cursors = nullptr;
};
}

TEST_F(cGameApplicationTest, TheConfigurationGivesTextsFontsCursorsMusicAndTitle)
{
	RunInChild([&] {
		WriteGameContent(m_folder.Work() + "/data");
		std::string log;
		auto game = Start("data", log);
		EXPECT_EQ(log.find("not found"), std::string::npos) << log;

		EXPECT_EQ(WindowTitle(m_window), kGameTitle);
		EXPECT_EQ(FontName(3), "arial");
		EXPECT_EQ(FontName(0), "arial_small") << "a font without an id is font 0";
		ASSERT_EQ(cSoundManager::GetInstance()->GetMusicChannels().size(), 1u);
		EXPECT_TRUE(cSoundManager::GetInstance()->GetMusicChannels().front()->IsBufferPlaying());

		m_cursors->SetCursor("dialog");
		EXPECT_EQ(ModelName(m_cursors->GetCurrentModel()), "dialog_model");
		m_cursors->SetCursor("cursor");
		EXPECT_EQ(ModelName(m_cursors->GetCurrentModel()), "cursor_model");
		const cVector3d& offset = m_cursors->GetCurrentOffset();
		EXPECT_EQ(std::vector<float>({ offset.x, offset.y, offset.z }), std::vector<float>({ 20, -10, 0 }));
	});
}

TEST_F(cGameApplicationTest, TheModelCursorIsDrawnOverTheFrame)
{
	RunInChild([&] {
		WriteGameContent(m_folder.Work() + "/data");
		std::string log;
		auto game = Start("data", log);
		m_cursors->SetCursor("cursor");
		m_cursors->ShowCursor(true);
		m_cursors->InitCamera();
		StartInput();

		PlaceCursor(100, 50);
		game->Update(0.016f);
		game->Render();
		const sPixels pixels = ReadBackBuffer();
		// The quad hangs below and right of the mouse, moved by the offset.
		EXPECT_TRUE(ColorNear(pixels.At(121, 61), 0xFFFF0000));
		EXPECT_TRUE(ColorNear(pixels.At(134, 74), 0xFFFF0000));
		EXPECT_TRUE(ColorNear(pixels.At(108, 58), 0xFF000000)) << "the offset moved it";
		EXPECT_TRUE(ColorNear(pixels.At(140, 68), 0xFF000000));
	});
}

// Each row starts afresh in a child process, as each start of the game does.
TEST(cGameApplication, AMissingOrDamagedConfigurationIsLoggedAndSkipped)
{
	const struct
	{
		const char* name;
		const char* config; // null: no "game_config"
		std::vector<std::string> logged;
	} cases[] = {
		{ "missing", nullptr, { "xml[game_config] not found" } },
		{ "damaged", "<game_config><texts><text name=\"strings\"/></fonts></game_config>", { "xml[game_config] is not well-formed" } },
		{ "names nothing",
			"<game_config><texts><text name=\"absent\"/><text/></texts>"
			"<fonts><font name=\"no_font\" id=\"2\"/><font id=\"x\"/></fonts>"
			"<cursors><cursor/><cursor name=\"lens\" offset=\"1\"/></cursors></game_config>",
			{ "xml[absent] not found", "font[no_font] not found" } },
	};
	for (const auto& entry : cases)
	{
		RunInChild([&] {
			cTempFolder folder;
			WriteGameContent(folder.Work() + "/data");
			std::filesystem::remove(folder.Work() + "/data/game_config.xml");
			if (entry.config)
				cTempFolder::WriteFile(folder.Work() + "/data/game_config.xml", entry.config);
			StartGraphics(64, 48);
			Singletone<cSoundManager>::GetInstance();
			cResourceManager::GetInstance()->AddSource("data");
			testing::internal::CaptureStderr();
			cGameApplication game;
			const std::string log = testing::internal::GetCapturedStderr();
			for (const std::string& line : entry.logged)
				EXPECT_NE(log.find(line), std::string::npos) << entry.name << ": " << log;
			EXPECT_EQ(WindowTitle(cWin32Application::GetInstance()->GetWindowHandle()), "graphics test") << entry.name;
			for (int id : { 0, 2, 3 })
				EXPECT_EQ(FontName(id), "none") << entry.name;
			// The game runs its frames all the same, with the menu music.
			EXPECT_TRUE(game.Update(0.016f));
			game.Render();
			EXPECT_EQ(cSoundManager::GetInstance()->GetMusicChannels().size(), 1u) << entry.name;
		});
	}
}
