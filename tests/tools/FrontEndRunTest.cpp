// The game's front end run on the generated demo content with real mouse
// and key events on an X server of the test's own: the two logos, the
// loading window, the first-name prompt (blanks keep OK disabled), the
// main menu, Start opening the location "startup.txt" names behind the
// diary, and the close box that asks first and quits only on Yes; the
// options menu, whose music slider turns the captured music down in
// proportion, whose low-quality box resizes the game to 800 by 600 and
// back, and whose full-screen box covers the screen and gives the window
// back. A screenshot of each screen is written for review.

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
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
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

// The logical screen the game lays everything out on.
const int kLogicalWidth = 1024;
const int kLogicalHeight = 768;

// The options' controls in logical pixels: the music slider's thumb at its
// right end (full volume) and the middle of its track, the two boxes.
const int kMusicFullX = 818, kMusicMiddleX = 668, kMusicY = 304;
const int kFullScreenX = 540, kFullScreenY = 368;
const int kLowQualityX = 540, kLowQualityY = 428;

// The mix SDL's disk driver writes: 16-bit stereo at 44100 Hz. The menu
// music loops every 12 seconds; a whole loop has the same loudness
// wherever it starts.
const size_t kFrameBytes = 4;
const size_t kMusicLoopBytes = 12 * 44100 * kFrameBytes;

// The root mean square of the samples of the file's byte range.
double Rms(const std::string& sound, size_t offset, size_t length)
{
	double sum = 0;
	size_t count = 0;
	for (size_t at = offset; at + 2 <= offset + length && at + 2 <= sound.size(); at += 2)
	{
		const double sample = int16_t(uint16_t(uint8_t(sound[at]) | uint8_t(sound[at + 1]) << 8));
		sum += sample * sample;
		++count;
	}
	return count ? std::sqrt(sum / double(count)) : 0;
}

// The gain the sound layer gives a music volume from 0 to 1: the volume's
// whole hundredths attenuate by up to 50 dB, and below 0.03 it is silence.
double MusicGain(double volume)
{
	const double attenuation = 1 - std::round(volume * 100) / 100;
	return attenuation > 0.97 ? 0 : std::pow(10.0, -attenuation * 50 / 20);
}

class FrontEndRun : public testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_TRUE(GenerateContent(m_folder.Work()));
		setenv("XDG_RUNTIME_DIR", m_folder.Root().c_str(), 1);
		WriteSettings("<item id=\"video.window\" value=\"true\"/>");
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

	// The pixel at the logical point (x, y) from the top-left corner,
	// wherever the window stands now and whatever its size.
	unsigned long Pixel(int x, int y)
	{
		m_place = m_probe->Geometry(m_window);
		return m_probe->ScreenPixel(m_place.x + x * m_place.width / kLogicalWidth,
			m_place.y + y * m_place.height / kLogicalHeight);
	}

	// A left click at the logical point of the window as it is now.
	void ClickAt(int x, int y)
	{
		m_place = m_probe->Geometry(m_window);
		m_probe->Click(m_window, x * m_place.width / kLogicalWidth, y * m_place.height / kLogicalHeight);
	}

	// Clicks the logical point and waits for the window to take the size,
	// then for the game to settle in it.
	bool ClickForSize(int x, int y, const char* what, int width, int height)
	{
		ClickAt(x, y);
		const bool sized = Eventually([&] {
			m_place = m_probe->Geometry(m_window);
			return m_place.width == width && m_place.height == height;
		});
		EXPECT_TRUE(sized) << what << ": " << m_place.width << "x" << m_place.height;
		std::this_thread::sleep_for(std::chrono::milliseconds(800));
		return sized;
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
	bool FindWindow(int width = kLogicalWidth, int height = kLogicalHeight)
	{
		return Eventually([&] {
			m_window = m_probe->FindMappedWindowOf(getpid());
			m_place = m_window ? m_probe->Geometry(m_window) : cXWindowProbe::sRect{};
			return m_place.width == width && m_place.height == height;
		});
	}

	// Writes the settings file the next run reads.
	void WriteSettings(const std::string& items)
	{
		cTempFolder::WriteFile(m_folder.Root() + "/appdata/Druvel's games/zv2/zv2.xml",
			"<config><config>" + items + "</config></config>");
	}

	// The mix written so far.
	std::string Sound() const { return cTempFolder::ReadFile(m_folder.Root() + "/sound.raw"); }
	size_t SoundBytes() const
	{
		std::error_code error;
		const auto size = std::filesystem::file_size(m_folder.Root() + "/sound.raw", error);
		return error ? 0 : size_t(size) / kFrameBytes * kFrameBytes;
	}
	// The loudness of one whole loop of the music from now on; 0 when the
	// mix does not grow by as much.
	double MusicLoopRms()
	{
		const size_t start = SoundBytes();
		if (!Eventually([&] { return SoundBytes() >= start + kMusicLoopBytes; }, std::chrono::seconds(30)))
			return 0;
		return Rms(Sound(), start, kMusicLoopBytes);
	}

	// Runs the game and plays through its front end.
	void PlayThrough();
	// Runs the game in a window of the size, names the first player, opens
	// the options, takes the steps there and quits by the close box,
	// answered by Enter.
	void ChangeOptions(const std::function<void()>& steps, int width = kLogicalWidth, int height = kLogicalHeight);

	// Names the first player at the prompt and waits for the main menu.
	bool NamePlayer(const std::string& name)
	{
		if (!WaitFor("name prompt", [this] { return IsBoxShown() && Near(Pixel(330, 446), kDisabledFace); }))
			return false;
		m_probe->TypeText(name);
		WaitFor("OK enabled", [this] { return !Near(Pixel(330, 446), kDisabledFace); });
		ClickAt(402, 461);
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
	// The music's loudness before and after the slider moved.
	double m_musicBefore = 0;
	double m_musicAfter = 0;
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

TEST_F(FrontEndRun, OptionsMusicSliderTurnsTheMusicDownInProportionAndTheNextRunReadsIt)
{
	// SDL's disk driver writes the mix into a file as it plays it.
	setenv("SDL_AUDIODRIVER", "disk", 1);
	setenv("SDL_DISKAUDIOFILE", (m_folder.Root() + "/sound.raw").c_str(), 1);
	RunInChild([this] {
		// The music plays at full volume, then with the slider's thumb
		// dragged from the right end to the middle.
		ChangeOptions([this] {
			m_musicBefore = MusicLoopRms();
			m_probe->Drag(m_window, kMusicFullX, kMusicY, kMusicMiddleX, kMusicY);
			std::this_thread::sleep_for(std::chrono::milliseconds(300));
			m_musicAfter = MusicLoopRms();
		});
		// The music sounds as loud as the stored volume makes it, in
		// proportion to full volume before.
		const double volume = std::atof(cConfig::GetInstance()->GetValue("music_volume").c_str());
		EXPECT_GT(volume, 0.3);
		EXPECT_LT(volume, 0.7);
		ASSERT_GT(m_musicBefore, 500) << "the music was silent at full volume";
		EXPECT_NEAR(m_musicAfter / m_musicBefore, MusicGain(volume), MusicGain(volume) * 0.1)
			<< "music at full volume " << m_musicBefore << ", at " << volume << " " << m_musicAfter;
	});
	// A new process reads the volume the run saved.
	RunInChild([] {
		StartSettingsAndLog("zv2");
		const std::string music = cConfig::GetInstance()->GetValue("music_volume");
		EXPECT_LT(std::atof(music.c_str()), 0.7) << music;
		EXPECT_EQ(music.size(), 8u) << "written with six decimals: " << music;
	});
}

void FrontEndRun::ChangeOptions(const std::function<void()>& steps, int width, int height)
{
	m_probe = std::make_unique<cXWindowProbe>();
	std::thread player([&] {
		if (!FindWindow(width, height))
		{
			ADD_FAILURE() << "no game window of " << width << " by " << height;
			return;
		}
		m_probe->MovePointer(m_window, width - 124, height - 68);
		if (!NamePlayer("bob"))
			return;
		ClickAt(512, 403);
		if (!WaitFor("options", [this] { return Near(Pixel(521, 370), kGold, 30); }))
			return;
		Screenshot("front_end_8_options");
		steps();
		m_probe->RequestClose(m_window);
		std::this_thread::sleep_for(std::chrono::milliseconds(1500));
		m_probe->PressKey(XK_Return);
	});
	RunGame(player);
}

TEST_F(FrontEndRun, OptionsSwitchLowQualityAndFullScreenByClicksAndTheNextRunReadsThem)
{
	RunInChild([this] {
		ChangeOptions([this] {
			// Low quality: the window shrinks to 800 by 600.
			const int screenWidth = m_probe->ScreenWidth(), screenHeight = m_probe->ScreenHeight();
			if (!ClickForSize(kLowQualityX, kLowQualityY, "low quality", 800, 600))
				return;
			Screenshot("front_end_9_low_quality");
			// Full screen covers the whole screen.
			if (!ClickForSize(kFullScreenX, kFullScreenY, "full screen", screenWidth, screenHeight))
				return;
			Screenshot("front_end_10_full_screen");
			// Its box, clicked where it shows on the whole screen, gives the
			// window back at its size before; a click in that window lands on
			// the box again.
			if (!ClickForSize(kFullScreenX, kFullScreenY, "windowed again", 800, 600))
				return;
			Screenshot("front_end_11_windowed_again");
			if (ClickForSize(kFullScreenX, kFullScreenY, "full screen again", screenWidth, screenHeight))
				ClickForSize(kFullScreenX, kFullScreenY, "windowed at last", 800, 600);
		});
	});
	// A new process reads what the run saved: low quality in a window.
	RunInChild([] {
		StartSettingsAndLog("zv2");
		cConfig* config = cConfig::GetInstance();
		EXPECT_EQ(config->GetValue("video.width"), "800");
		EXPECT_EQ(config->GetValue("video.height"), "600");
		EXPECT_EQ(config->GetValue("video.window"), "true");
	});
}

TEST_F(FrontEndRun, LowQualityIsSwitchedOffByItsBox)
{
	WriteSettings("<item id=\"video.window\" value=\"true\"/><item id=\"video.width\" value=\"800\"/>"
				  "<item id=\"video.height\" value=\"600\"/>");
	RunInChild([this] {
		// The box shows low quality ticked; clearing it gives 1024 by 768.
		ChangeOptions([this] {
			if (ClickForSize(kLowQualityX, kLowQualityY, "high quality", kLogicalWidth, kLogicalHeight))
				Screenshot("front_end_12_high_quality");
		}, 800, 600);
	});
	// A new process reads the size the run saved.
	RunInChild([] {
		StartSettingsAndLog("zv2");
		EXPECT_EQ(cConfig::GetInstance()->GetValue("video.width"), "1024");
		EXPECT_EQ(cConfig::GetInstance()->GetValue("video.height"), "768");
	});
}
