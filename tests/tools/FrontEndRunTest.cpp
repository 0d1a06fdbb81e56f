// The game's front end run on the generated demo content with real mouse
// and key events on an X server of the test's own: the two logos, the
// loading window, the first-name prompt (blanks keep OK disabled), the
// main menu, Start opening the location "startup.txt" names behind the
// diary, and the close box that asks first and quits only on Yes. A
// screenshot of each screen is written for review.

#include "../engine/graphics/ScreenshotSupport.h"
#include "../engine/foundation/ChildProcess.h"
#include "../engine/foundation/TempFolder.h"
#include "ContentTestSupport.h"
#include "GameProcess.h"

#include "app/GameMain.h"
#include "engine/foundation/SettingsStartup.h"
#include "engine/foundation/cConfig.h"
#include "engine/foundation/cWin32Application.h"
#include "game/play/cPlayerProgress.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <thread>

#include "XWindowProbe.h"

namespace
{
// Colours of the generated content.
const unsigned long kGold = 0xEBBE46;
const unsigned long kButtonFace = 0x28466E;
const unsigned long kDisabledFace = 0x464646;
const unsigned long kParchment = 0xECDEBA;

bool Near(unsigned long pixel, unsigned long color, int tolerance = 12)
{
	for (int shift : {0, 8, 16})
		if (std::abs(int((pixel >> shift) & 0xFF) - int((color >> shift) & 0xFF)) > tolerance)
			return false;
	return true;
}

int Channel(unsigned long pixel, int shift)
{
	return int((pixel >> shift) & 0xFF);
}

class FrontEndRun : public testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_TRUE(GenerateContent(m_folder.Work()));
		setenv("XDG_RUNTIME_DIR", m_folder.Root().c_str(), 1);
		cTempFolder::WriteFile(m_folder.Root() + "/appdata/Druvel's games/zv2/zv2.xml",
			"<config><config><item id=\"video.window\" value=\"true\"/></config></config>");
		for (int attempt = 0; attempt < 3 && !(m_probe && m_probe->IsOpen()); ++attempt)
		{
			m_probe.reset();
			m_display = std::make_unique<cPrivateDisplay>(2000 + int(getpid() % 8000) * 3 + attempt);
			if (m_display->Name().empty())
				continue;
			setenv("DISPLAY", m_display->Name().c_str(), 1);
			m_probe = std::make_unique<cXWindowProbe>();
		}
		ASSERT_TRUE(m_probe && m_probe->IsOpen()) << "no X server of the test's own";
		// The game runs in a child process that ends before the server does.
		m_probe.reset();
	}

	// The client pixel at (x, y) from the top-left corner, wherever the
	// window stands now.
	unsigned long Pixel(int x, int y)
	{
		m_place = m_probe->Geometry(m_window);
		return m_probe->ScreenPixel(m_place.x + x, m_place.y + y);
	}

	bool WaitFor(const char* what, const std::function<bool()>& condition)
	{
		const bool seen = Eventually(condition);
		EXPECT_TRUE(seen) << what << ": " << std::hex << Pixel(20, 20);
		return seen;
	}

	void Screenshot(const std::string& name)
	{
		m_place = m_probe->Geometry(m_window);
		const std::vector<unsigned long> pixels = m_probe->Capture(m_place);
		sPixels shot{UINT(m_place.width), UINT(m_place.height), {}};
		for (unsigned long pixel : pixels)
			shot.data.push_back(D3DCOLOR(0xFF000000 | pixel));
		EXPECT_TRUE(!pixels.empty() && WriteScreenshot(name, shot)) << name;
	}

	// The window of this process once it has its windowed size.
	bool FindWindow()
	{
		return Eventually([this] {
			m_window = m_probe->FindMappedWindowOf(getpid());
			m_place = m_window ? m_probe->Geometry(m_window) : cXWindowProbe::sRect{};
			return m_place.width == 1024 && m_place.height == 768;
		});
	}

	// Runs the game and plays through its front end.
	void PlayThrough();
	// Runs the game, changes the options and quits from the menu.
	void ChangeOptions();

	// Names the first player at the prompt and waits for the main menu.
	bool NamePlayer(const std::string& name)
	{
		if (!WaitFor("name prompt", [this] { return IsBoxShown() && Near(Pixel(330, 446), kDisabledFace); }))
			return false;
		m_probe->TypeText(name);
		WaitFor("OK enabled", [this] { return !Near(Pixel(330, 446), kDisabledFace); });
		m_probe->Click(m_window, 402, 461);
		return WaitFor("main menu", [this] { return !IsBoxShown() && Near(Pixel(330, 256), kButtonFace, 30); });
	}

	// Asks the game to end once the player thread is done, when it failed.
	void RunGame(std::thread& player)
	{
		std::thread ender([this, &player] {
			player.join();
			if (HasFailure())
				cWin32Application::GetInstance()->Quit();
		});
		sStartupParams params{nullptr, SW_SHOWDEFAULT, nullptr, "", true};
		EXPECT_EQ(GameMain(&params), 0);
		ender.join();
	}

	// A box panel stands where the boxes open.
	bool IsBoxShown()
	{
		const unsigned long panel = Pixel(270, 300);
		return Channel(panel, 0) > Channel(panel, 16) + 25 && Near(Pixel(254, 400), kGold, 30);
	}

	cTempFolder m_folder;
	std::unique_ptr<cPrivateDisplay> m_display;
	std::unique_ptr<cXWindowProbe> m_probe;
	Window m_window = 0;
	cXWindowProbe::sRect m_place;
};
}

TEST_F(FrontEndRun, LogosLoadingNamePromptStartAndTheQuestionOnClose)
{
	RunInChild([this] { PlayThrough(); });
}

void FrontEndRun::PlayThrough()
{
	m_probe = std::make_unique<cXWindowProbe>();
	std::thread player([this] {
		if (!FindWindow())
		{
			ADD_FAILURE() << "no game window";
			return;
		}
		// The pointer rests on the window, where the keys go too.
		m_probe->MovePointer(m_window, 900, 700);
		// First the red "gorsim_logo", then the blue "druvels_logo", then
		// the loading window with its bar's golden frame. A machine slow
		// enough to draw them in a frame or two may pass them unseen (the
		// chain itself is tested on its own); each one seen is kept.
		if (Eventually([this] {
				const unsigned long p = Pixel(20, 20);
				return Channel(p, 16) > Channel(p, 0) + 40;
			}, std::chrono::seconds(5)))
			Screenshot("front_end_1_gorsim_logo");
		if (Eventually([this] {
				const unsigned long p = Pixel(20, 20);
				return Channel(p, 0) > Channel(p, 16) + 40 && Channel(p, 8) < 60;
			}, std::chrono::seconds(5)))
			Screenshot("front_end_2_druvels_logo");
		if (Eventually([this] { return Near(Pixel(400, 540), kGold, 30); }, std::chrono::seconds(5)))
			Screenshot("front_end_3_loading");
		// The main menu with the first-name prompt; OK stays disabled for
		// blanks only.
		if (!WaitFor("name prompt", [this] { return IsBoxShown() && Near(Pixel(330, 446), kDisabledFace); }))
			return;
		Screenshot("front_end_4_name_prompt");
		// The box takes keys once it has finished appearing, which a slow
		// (sanitized) game may take a while to do.
		std::this_thread::sleep_for(std::chrono::seconds(1));
		m_probe->TypeText("   ");
		std::this_thread::sleep_for(std::chrono::milliseconds(300));
		EXPECT_TRUE(Near(Pixel(330, 446), kDisabledFace)) << std::hex << Pixel(330, 446);
		m_probe->TypeText("ann");
		WaitFor("OK enabled", [this] { return !Near(Pixel(330, 446), kDisabledFace); });
		m_probe->Click(m_window, 402, 461);
		if (WaitFor("main menu", [this] { return !IsBoxShown() && Near(Pixel(330, 256), kButtonFace, 30); }))
			Screenshot("front_end_5_main_menu");
		// Start: the menu goes and the diary shows while the location loads.
		m_probe->Click(m_window, 512, 271);
		if (WaitFor("diary", [this] { return Near(Pixel(130, 200), kParchment, 20); }))
			Screenshot("front_end_6_diary");
		// The close box asks; No keeps the game, Yes ends it. The location's
		// arrival closes any box: the question is asked again then.
		bool answeredNo = false;
		for (int attempt = 0; attempt < 10; ++attempt)
		{
			m_probe->RequestClose(m_window);
			if (!Eventually([this] { return IsBoxShown(); }, std::chrono::seconds(3)))
				continue;
			std::this_thread::sleep_for(std::chrono::milliseconds(500));
			if (!answeredNo)
			{
				Screenshot("front_end_7_quit_question");
				m_probe->Click(m_window, 622, 461);
				answeredNo = Eventually([this] { return !IsBoxShown(); }, std::chrono::seconds(3));
				continue;
			}
			m_probe->Click(m_window, 402, 461);
			break;
		}
		EXPECT_TRUE(answeredNo);
	});
	RunGame(player);

	ASSERT_NE(g_currentProgress, nullptr);
	EXPECT_EQ(g_currentProgress->GetName(), L"ann");
	EXPECT_EQ(g_currentProgress->currentLocation, "location1");
	const std::string log = cTempFolder::ReadFile(m_folder.Work() + "/zv2.txt");
	EXPECT_EQ(log.find("not found"), std::string::npos) << log;
}

TEST_F(FrontEndRun, OptionsChangeTheVolumeAndFullScreenAndTheNextRunReadsThem)
{
	RunInChild([this] { ChangeOptions(); });
	// A new process reads what the run saved.
	RunInChild([] {
		StartSettingsAndLog("zv2");
		// The slider left its full-volume end; the game ended full screen.
		const std::string sound = cConfig::GetInstance()->GetValue("sound_volume");
		EXPECT_LT(std::atof(sound.c_str()), 0.95) << sound;
		EXPECT_EQ(sound.size(), 8u) << "written with six decimals: " << sound;
		EXPECT_EQ(cConfig::GetInstance()->GetValue("video.window"), "false");
	});
}

void FrontEndRun::ChangeOptions()
{
	m_probe = std::make_unique<cXWindowProbe>();
	std::thread player([this] {
		if (!FindWindow())
		{
			ADD_FAILURE() << "no game window";
			return;
		}
		m_probe->MovePointer(m_window, 900, 700);
		if (!NamePlayer("bob"))
			return;
		// Options: the full-screen box is clear in a window.
		m_probe->Click(m_window, 512, 403);
		if (!WaitFor("options", [this] { return Near(Pixel(521, 370), kGold, 30); }))
			return;
		Screenshot("front_end_8_options");
		// The sound slider's thumb stands at the right end (full volume):
		// dragged towards the middle.
		m_probe->Drag(m_window, 818, 244, 668, 244);
		// Full screen covers the whole screen.
		m_probe->Click(m_window, 540, 368);
		const int screenWidth = m_probe->ScreenWidth();
		EXPECT_TRUE(Eventually([&] { return m_probe->Geometry(m_window).width == screenWidth; }, std::chrono::seconds(10)))
			<< m_probe->Geometry(m_window).width;
		std::this_thread::sleep_for(std::chrono::milliseconds(800));
		Screenshot("front_end_9_full_screen");
		// The close box asks; Enter answers Yes.
		m_probe->RequestClose(m_window);
		std::this_thread::sleep_for(std::chrono::milliseconds(1500));
		m_probe->PressKey(XK_Return);
	});
	RunGame(player);
}
