// The game program itself started on freshly generated demo content, from
// its folders and from the packs its "-pack" run writes: the window carries
// the generated title, the arrow cursor follows the mouse over the frame,
// and the log names nothing that was not found.

#include "../engine/foundation/TempFolder.h"

#include "GameProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "XWindowProbe.h"

namespace fs = std::filesystem;

namespace
{
// The paper white inside the arrow cursor.
const unsigned long kArrowPaper = 0xFAFAF4;
// The face of the first-name prompt's OK button while it is disabled, and
// of the quit question's Yes button.
const unsigned long kDisabledOk = 0x464646;
const unsigned long kYesButton = 0x28466E;

bool Generate(const std::string& folder)
{
	return RunProgram(ZV2_CONTENT_PROGRAM, folder);
}

// Starts the game program in the folder with the arguments; its pid.
pid_t StartGame(const std::string& folder, const char* arguments)
{
	return StartProgram(ZV2_GAME_PROGRAM, folder, {arguments});
}

bool Near(unsigned long pixel, unsigned long color)
{
	for (int shift : {0, 8, 16})
		if (std::abs(int((pixel >> shift) & 0xFF) - int((color >> shift) & 0xFF)) > 8)
			return false;
	return true;
}

// The text of the phrase "game_title" as the generator wrote it.
std::string GeneratedTitle(const std::string& folder)
{
	const std::string strings = cTempFolder::ReadFile(folder + "/localization/strings.xml");
	const std::string marker = "name=\"game_title\" text=\"";
	const size_t start = strings.find(marker);
	if (start == std::string::npos)
		return "";
	const size_t end = strings.find('"', start + marker.size());
	return strings.substr(start + marker.size(), end - start - marker.size());
}
}

class DemoGameRun : public testing::TestWithParam<bool>
{
};

TEST_P(DemoGameRun, ShowsTheTitleAndTheCursorOverTheFrameAndFindsEverything)
{
	const bool packed = GetParam();
	cTempFolder folder;
	const std::string work = folder.Work();
	ASSERT_TRUE(Generate(work));
	// The game in a window of the logical screen's size, with its lock and
	// settings in this test's folder.
	setenv("XDG_RUNTIME_DIR", folder.Root().c_str(), 1);
	cTempFolder::WriteFile(folder.Root() + "/appdata/Druvel's games/zv2/zv2.xml",
		"<config><config><item id=\"video.window\" value=\"true\"/></config></config>");
	const std::string title = GeneratedTitle(work);
	ASSERT_FALSE(title.empty());
	if (packed)
	{
		ASSERT_TRUE(EndedWithZero(WaitForExit(StartGame(work, "-pack"), std::chrono::seconds(60))));
		for (const std::string name : {"data", "localization"})
		{
			fs::remove_all(work + "/" + name);
			fs::rename(work + "/my_" + name, work + "/" + name);
		}
	}

	// The game and the probe share a display no other test moves the pointer
	// on. A server that dies while it starts (a busy machine, or a number
	// taken) is started again; the game starts only once the probe is
	// connected, so that no early end of the test leaves it running.
	std::unique_ptr<cPrivateDisplay> display;
	std::unique_ptr<cXWindowProbe> connection;
	for (int attempt = 0; attempt < 3 && !(connection && connection->IsOpen()); ++attempt)
	{
		connection.reset();
		// A number of this process's own; the next attempt takes the next.
		display = std::make_unique<cPrivateDisplay>(1000 + int(getpid() % 8000) * 3 + attempt);
		if (display->Name().empty())
			continue;
		setenv("DISPLAY", display->Name().c_str(), 1);
		connection = std::make_unique<cXWindowProbe>();
	}
	ASSERT_TRUE(connection && connection->IsOpen()) << "no X server of the test's own";
	cXWindowProbe& probe = *connection;
	const pid_t game = StartGame(work, "");
	ASSERT_GT(game, 0);
	Window window = 0;
	EXPECT_TRUE(Eventually([&] { return (window = probe.FindMappedWindowOf(game)) != 0; })) << "no window";
	if (window)
	{
		EXPECT_TRUE(Eventually([&] { return probe.Title(window) == title; })) << probe.Title(window);
		const cXWindowProbe::sRect place = probe.Geometry(window);
		EXPECT_EQ(place.width, 1024);
		EXPECT_EQ(place.height, 768);
		// The logos and the loading window give way to the main menu, which
		// asks for a first player name: a still frame.
		EXPECT_TRUE(Eventually([&] { return Near(probe.ScreenPixel(place.x + 330, place.y + 446), kDisabledOk); }))
			<< std::hex << probe.ScreenPixel(place.x + 330, place.y + 446);
		// The arrow's point lies under the mouse; its white body a little
		// below and right of it. Where it was, the frame shows again.
		auto paperAt = [&](int x, int y) { return probe.ScreenPixel(place.x + x + 3, place.y + y + 13); };
		probe.MovePointer(window, 300, 200);
		EXPECT_TRUE(Eventually([&] { return Near(paperAt(300, 200), kArrowPaper); }))
			<< std::hex << paperAt(300, 200);
		const unsigned long frame = paperAt(600, 200);
		EXPECT_FALSE(Near(frame, kArrowPaper)) << std::hex << frame;
		probe.MovePointer(window, 600, 500);
		EXPECT_TRUE(Eventually([&] { return Near(paperAt(600, 500), kArrowPaper) && paperAt(300, 200) == frame; }))
			<< std::hex << paperAt(600, 500) << " " << paperAt(300, 200);
		// The close box asks first; Yes ends the game.
		probe.RequestClose(window);
		EXPECT_TRUE(Eventually([&] { return Near(probe.ScreenPixel(place.x + 410, place.y + 446), kYesButton); }))
			<< std::hex << probe.ScreenPixel(place.x + 410, place.y + 446);
		probe.Click(window, 402, 461);
	}
	EXPECT_TRUE(EndedWithZero(WaitForExit(game, std::chrono::seconds(10))));

	const std::string log = cTempFolder::ReadFile(work + "/zv2.txt");
	EXPECT_NE(log.find(" Log end: "), std::string::npos) << log;
	EXPECT_EQ(log.find("not found"), std::string::npos) << log;
}

INSTANTIATE_TEST_SUITE_P(FoldersAndPacks, DemoGameRun, testing::Values(false, true),
	[](const testing::TestParamInfo<bool>& info) { return info.param ? "Packs" : "Folders"; });
