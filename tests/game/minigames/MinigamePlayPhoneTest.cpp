// The phone played with the mouse: a held key is hidden and shows the
// pushed-in art behind it until the button comes up; no key ever solves,
// only the skip wins; a scene without its named keys.

#include "PuzzleTestSupport.h"

#include "game/minigames/cMinigamePhone.h"

namespace
{
const char* const kNamed[] = { "button_lt", "button_t", "button_rt", "button_b", "button_talk", "button_end",
	"button_lb", "button_rb" };

sRect KeyRect(int index)
{
	const float left = 120 + float(index % 6) * 130;
	const float bottom = 480 - float(index / 6) * 130;
	return { left, bottom, left + 100, bottom + 100 };
}

class PhoneTest : public PuzzleTest
{
protected:
	// Digits 0 to 9 and, with named, the eight named keys; each over a
	// grey pushed-in look.
	cMinigamePhone* ShowPhone(bool named)
	{
		std::string scene;
		const int count = named ? 18 : 10;
		for (int index = 0; index < count; ++index)
		{
			const std::string name = index < 10 ? "button_" + std::to_string(index) : kNamed[index - 10];
			AddModels({ { name.c_str(), KeyRect(index), "white" }, { (name + "_in").c_str(), KeyRect(index), "grey" } });
			scene += "<geometry name=\"" + name + R"(" model=")" + name + R"(_quad" local="1 0 0 0 1 0 0 0 1 0 0 -10"/>)" +
				"<geometry name=\"" + name + "_in\" model=\"" + name + "_in_quad\"/>";
		}
		return ShowPuzzle<cMinigamePhone>("phone", scene);
	}

	static float MidX(const sRect& rect) { return (rect.left + rect.right) / 2; }
	static float MidY(const sRect& rect) { return (rect.bottom + rect.top) / 2; }
};
}

TEST_F(PhoneTest, AHeldKeyLooksPushedInUntilLetGoAndOnlySkipEndsIt)
{
	cMinigamePhone* game = ShowPhone(true);
	ASSERT_EQ(game->GetKeys().size(), 18u);
	EXPECT_EQ(game->GetKeys()[10]->GetName(), "button_lt");
	const sRect key = KeyRect(5);
	EXPECT_TRUE(ColorNear(ColorAt(Screenshot("phone_start"), MidX(key), MidY(key)), 0xFFFFFFFF));

	MoveTo(MidX(key) / kScale, MidY(key) / kScale);
	Hold();
	RunFor(0.3f);
	EXPECT_EQ(game->GetPressed(), game->GetKeys()[5]);
	EXPECT_FALSE(game->GetKeys()[5]->IsVisible());
	EXPECT_TRUE(ColorNear(ColorAt(Screenshot("phone_pressed"), MidX(key), MidY(key)), 0xFF808080)) << "pushed in";
	LetGo();
	EXPECT_EQ(game->GetPressed(), nullptr);
	EXPECT_TRUE(game->GetKeys()[5]->IsVisible());

	// Every key pressed: nothing solves.
	for (int index = 0; index < 18; ++index)
		Click(KeyRect(index));
	RunFor(0.5f);
	EXPECT_FALSE(game->IsSolved());
	CheckSkipAndClose(game);
}

TEST_F(PhoneTest, MissingNamedKeysAreLoggedAndTheDigitsStillWork)
{
	testing::internal::CaptureStderr();
	cMinigamePhone* game = ShowPhone(false);
	EXPECT_TRUE(Logged(testing::internal::GetCapturedStderr(), "button_rb"));
	EXPECT_EQ(game->GetKeys().size(), 10u);
	Click(KeyRect(3));
	EXPECT_TRUE(game->GetKeys()[3]->IsVisible());
	CheckSkipAndClose(game);
}
