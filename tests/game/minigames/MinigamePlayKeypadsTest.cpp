// The keypads played with the mouse: l6_box opens on its four digits, a
// fifth digit empties its entry, its keys look pressed while held; the
// terminal judges six digits, locks its keys while "mistake" plays and
// clears the entry after it, and ignores keys once solved; l10_terminal
// solves on its pair of pressed buttons in either order. Scenes short of
// keys or displays.

#include "PuzzleTestSupport.h"

#include "game/minigames/cMinigameL10Terminal.h"
#include "game/minigames/cMinigameL6Box.h"
#include "game/minigames/cMinigameTerminal.h"

#include <cstring>

namespace
{
// Key k of a pad of twelve, three wide; "button_p" and "button_on" are
// the last two.
sRect KeyRect(size_t key)
{
	const float left = 200 + float(key % 3) * 130;
	const float top = 600 - float(key / 3) * 110;
	return { left, top - 90, left + 110, top };
}

std::string Numbered(const char* stem, size_t index)
{
	return stem + std::to_string(index);
}

// The texts of the display objects, one after the other.
std::string DisplayText(cMinigame* game, const char* stem, int first, size_t count)
{
	std::string text;
	for (size_t i = 0; i < count; ++i)
		text += game->GetChildList().FindChild(Numbered(stem, first + i))->GetProperties().GetProperty("text");
	return text;
}

class KeypadsTest : public PuzzleTest
{
protected:
	void SetUp() override
	{
		PuzzleTest::SetUp();
		if (HasFatalFailure())
			return;
		for (size_t key = 0; key < 12; ++key)
			AddModels({ { Numbered("key", key).c_str(), KeyRect(key), "white" },
				{ Numbered("pressed", key).c_str(), KeyRect(key), "grey" } });
		AddModels({ { "screen", { 640, 420, 940, 600 }, "green" } });
		AddSound("button_click", 0.1f);
		AddSound("click", 0.1f);
		AddSound("victory", 0.5f);
	}

	// Keys of the names over their pressed looks, and the displays.
	static std::string Pad(const std::vector<std::string>& keys, const char* type, const char* display,
		int firstDisplay, size_t displays)
	{
		std::string elements;
		for (size_t key = 0; key < keys.size(); ++key)
		{
			elements += PieceElement({ Numbered("pressed", key).c_str(), {}, "" }, "", "", R"(local="1 0 0 0 1 0 0 0 1 0 0 1")");
			elements += std::string("<") + type + " name=\"" + keys[key] + "\" model=\"" + Numbered("key", key) +
				"_quad\"/>";
		}
		for (size_t i = 0; i < displays; ++i)
			elements += "<object name=\"" + Numbered(display, firstDisplay + int(i)) + "\"/>";
		return elements;
	}

	static std::vector<std::string> KeyNames(const char* stem, size_t digits, std::vector<std::string> more = {})
	{
		std::vector<std::string> names;
		for (size_t digit = 0; digit < digits; ++digit)
			names.push_back(Numbered(stem, digit));
		names.insert(names.end(), more.begin(), more.end());
		return names;
	}

	cMinigameL6Box* ShowBox(size_t digits = 10, size_t displays = 4)
	{
		return ShowPuzzle<cMinigameL6Box>("l6_box",
			Pad(KeyNames("button_", digits, { "button_p", "button_on" }), "geometry", "code", 1, displays));
	}

	// The terminal's "correct" and "mistake" light its screen for 0.6 s.
	cMinigameTerminal* ShowTerminal(size_t keys = 10, size_t displays = 6)
	{
		const std::string screenElement =
			PieceElement({ "screen", {}, "" }, "fade", Clip("correct", 0.6f) + Clip("mistake", 0.6f), R"(color="0 1 1 1")");
		return ShowPuzzle<cMinigameTerminal>("terminal",
			screenElement + Pad(KeyNames("button", keys), "button", "code", 0, displays));
	}

	void Type(const std::string& digits)
	{
		for (char digit : digits)
			Click(KeyRect(size_t(digit - '0')));
	}
};
}

TEST_F(KeypadsTest, TheBoxOpensOnItsCodeAndAFifthDigitEmptiesTheEntry)
{
	cMinigameL6Box* game = ShowBox();
	EXPECT_EQ(DisplayText(game, "code", 1, 4), "    ");
	const sPixels start = Screenshot("l6_box_start");
	EXPECT_TRUE(ColorNear(ColorAt(start, 255, 555), 0xFFFFFFFF)) << "a key at rest";

	// Held, a key shows its pressed look; let go, it comes back.
	MoveTo(255 / kScale, 555 / kScale);
	ForgetSounds();
	Hold();
	EXPECT_FALSE(game->GetButtons()[0]->IsVisible());
	EXPECT_TRUE(game->IsSoundPlaying("button"));
	EXPECT_TRUE(ColorNear(ColorAt(Screenshot("l6_box_held"), 255, 555), 0xFF808080)) << "pressed";
	LetGo();
	EXPECT_TRUE(game->GetButtons()[0]->IsVisible());
	EXPECT_EQ(DisplayText(game, "code", 1, 4), "0   ");

	// "button_p" and "button_on" click but type nothing.
	Click(KeyRect(10));
	Click(KeyRect(11));
	EXPECT_EQ(game->GetEntered(), "0");
	Type("123");
	EXPECT_EQ(DisplayText(game, "code", 1, 4), "0123");
	Type("5");
	EXPECT_EQ(DisplayText(game, "code", 1, 4), "    ") << "the fifth digit is lost with the entry";
	EXPECT_FALSE(game->IsSolved());

	Type(cMinigameL6Box::kCode);
	EXPECT_TRUE(game->IsSolved());
	EXPECT_EQ(DisplayText(game, "code", 1, 4), cMinigameL6Box::kCode);
	Screenshot("l6_box_solved");
	CheckQuietWin(game);
}

TEST_F(KeypadsTest, TheBoxSkipsAndCloses)
{
	CheckSkipAndClose(ShowBox());
}

TEST_F(KeypadsTest, ABoxShortOfKeysAndDisplaysIsLoggedAndStillTypes)
{
	testing::internal::CaptureStderr();
	// The extra keys come right after the five digits and type nothing.
	cMinigameL6Box* game = ShowBox(5, 2);
	EXPECT_TRUE(Logged(testing::internal::GetCapturedStderr(), "has 5 of the 10 keys"));
	Type("4");
	Click(KeyRect(5));
	Click(KeyRect(6));
	EXPECT_EQ(game->GetEntered(), "4");
	EXPECT_EQ(DisplayText(game, "code", 1, 2), "4 ");
	CheckSkipAndClose(game);
}

TEST_F(KeypadsTest, TheTerminalPlaysMistakeOnAWrongCodeAndClearsItAfterwards)
{
	cMinigameTerminal* game = ShowTerminal();
	EXPECT_EQ(DisplayText(game, "code", 0, 6), "000000");
	Type("12");
	EXPECT_EQ(DisplayText(game, "code", 0, 6), "120000");
	Type("3456");
	EXPECT_TRUE(game->GetMotions().IsPlayingByName("mistake"));
	EXPECT_EQ(DisplayText(game, "code", 0, 6), "123456") << "the wrong code stays while the mistake plays";
	// Keys are ignored meanwhile.
	Type("9");
	EXPECT_EQ(game->GetEntered(), "123456");
	RunFor(0.45f);
	EXPECT_EQ(game->GetEntered(), "123456");
	const sPixels mistake = Screenshot("terminal_mistake");
	EXPECT_TRUE(ColorNear(ColorAt(mistake, 790, 510), 0xFF00D000, 48)) << "the screen lights";
	ASSERT_TRUE(RunUntil([&] { return game->GetEntered().empty(); }, 2));
	EXPECT_EQ(DisplayText(game, "code", 0, 6), "000000");
	EXPECT_FALSE(game->IsSolved());
	game->Show();
	RunFor(0.5f);
	CheckSkipAndClose(game);
}

TEST_F(KeypadsTest, TheTerminalOpensOnItsCodeAndIgnoresKeysOnceSolved)
{
	cMinigameTerminal* game = ShowTerminal();
	Screenshot("terminal_start");
	Type(cMinigameTerminal::kCode);
	EXPECT_TRUE(game->IsSolved());
	EXPECT_TRUE(game->GetMotions().IsPlayingByName("correct"));
	EXPECT_NEAR(game->GetVictoryDelay(), 0.6f, 0.05f);
	// A key pressed before the window closes changes nothing.
	Type("3");
	EXPECT_FALSE(game->GetMotions().IsPlayingByName("mistake"));
	EXPECT_EQ(DisplayText(game, "code", 0, 6), cMinigameTerminal::kCode);
	Screenshot("terminal_solved");
	CheckQuietWin(game);
}

TEST_F(KeypadsTest, ATerminalShortOfKeysAndDisplaysIsLoggedAndStillJudges)
{
	testing::internal::CaptureStderr();
	cMinigameTerminal* game = ShowTerminal(4, 3);
	EXPECT_TRUE(Logged(testing::internal::GetCapturedStderr(), "has 4 of the 10 keys"));
	Type("0123");
	EXPECT_EQ(DisplayText(game, "code", 0, 3), "012");
	Type("01");
	EXPECT_TRUE(game->GetMotions().IsPlayingByName("mistake"));
	ASSERT_TRUE(RunUntil([&] { return game->GetEntered().empty(); }, 2));
	EXPECT_FALSE(game->IsSolved());
}

TEST_F(KeypadsTest, TheTwoButtonTerminalSolvesOnItsPairInEitherOrder)
{
	auto* game = ShowPuzzle<cMinigameL10Terminal>("l10_terminal",
		Pad(KeyNames("button_", 10, { "button_in", "button_number" }), "geometry", "display", 0, 0));
	const size_t first = cMinigameL10Terminal::kPair[0];
	const size_t second = cMinigameL10Terminal::kPair[1];
	ASSERT_LT(second, game->GetButtons().size());
	const sPixels start = Screenshot("l10_terminal_start");
	EXPECT_TRUE(ColorNear(ColorAt(start, 255, 555), 0xFFFFFFFF));

	// The same button twice: pressed, then released.
	ForgetSounds();
	Click(KeyRect(0));
	EXPECT_TRUE(game->IsSoundPlaying("click"));
	EXPECT_FALSE(game->GetButtons()[0]->IsVisible());
	Click(KeyRect(0));
	EXPECT_TRUE(game->GetButtons()[0]->IsVisible());
	EXPECT_EQ(game->GetNewer(), nullptr);
	// Three buttons: the first is released.
	Click(KeyRect(first));
	Click(KeyRect(1));
	Click(KeyRect(second));
	EXPECT_TRUE(game->GetButtons()[first]->IsVisible());
	EXPECT_FALSE(game->GetButtons()[1]->IsVisible());
	EXPECT_FALSE(game->IsSolved());
	// A click beside every button changes nothing.
	Click(120, 150);
	EXPECT_EQ(game->GetOlder(), game->GetButtons()[1]);
	// The pair, the later one first.
	Click(KeyRect(first));
	EXPECT_TRUE(game->IsSolved());
	const sPixels solved = Screenshot("l10_terminal_solved");
	for (size_t button : { first, second })
		EXPECT_TRUE(ColorNear(ColorAt(solved, KeyRect(button).left + 55, KeyRect(button).top - 45), 0xFF808080)) << button;
	CheckQuietWin(game);

	// Shown again the pair still looks pressed but is forgotten.
	game->Show();
	RunFor(0.5f);
	EXPECT_EQ(game->GetOlder(), nullptr);
	Click(KeyRect(first));
	EXPECT_FALSE(game->IsSolved());
	CheckSkipAndClose(game);
}

TEST_F(KeypadsTest, ATwoButtonTerminalTooSmallForItsPairIsLoggedAndOnlyCloses)
{
	testing::internal::CaptureStderr();
	auto* game = ShowPuzzle<cMinigameL10Terminal>("l10_terminal", Pad(KeyNames("button_", 4), "geometry", "d", 0, 0));
	EXPECT_TRUE(Logged(testing::internal::GetCapturedStderr(), "has 4 buttons"));
	for (size_t key = 0; key < 4; ++key)
		Click(KeyRect(key));
	EXPECT_FALSE(game->IsSolved());
	CheckSkipAndClose(game);
}
