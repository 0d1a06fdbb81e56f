// The demo's mechanism minigames from freshly generated content: the lock,
// the safe, the phone and the periscope find every object and sound they
// look up, and each is drawn at its start and in play, the pictures
// written beside the content program for a look. The safe's handle points
// at the letters where its sectors lie, and the periscope's cross stands
// on the chart's buoys along the whole route.

#include "../engine/foundation/ChildProcess.h"
#include "../engine/foundation/TempFolder.h"
#include "../engine/graphics/ScreenshotSupport.h"
#include "ContentTestSupport.h"

#include "game/minigames/MinigameEffect.h"
#include "game/minigames/SafeCombination.h"
#include "game/minigames/SafeDial.h"
#include "game/minigames/cMinigameLock.h"
#include "game/minigames/cMinigamePeriscope.h"
#include "game/minigames/cMinigamePhone.h"
#include "game/minigames/cMinigameSafe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{
const float kPi = 3.14159265f;

sPixels Shot(const std::string& name)
{
	sPixels pixels = DrawScene();
	EXPECT_TRUE(WriteScreenshot(name, pixels)) << name;
	return pixels;
}

void RunFor(float seconds)
{
	for (float done = 0; done < seconds; done += 0.1f)
		cSceneManager::GetInstance()->Update(0.1f);
}

template <class Minigame>
Minigame* ShowGame(cCameraObject* screen)
{
	auto* game = new Minigame(screen);
	ShowForASecond(game);
	return game;
}

int Red(D3DCOLOR colour) { return int((colour >> 16) & 0xFF); }
int Green(D3DCOLOR colour) { return int((colour >> 8) & 0xFF); }
int Blue(D3DCOLOR colour) { return int(colour & 0xFF); }

void ExpectNothingMissingOfTheMechanisms()
{
	ExpectNothingMissing({ "lock:", "safe:", "phone:", "has no object", "not found" });
}
}

TEST(MechanismContent, TheLockAndTheSafeAreDrawnWithTheirPartsAndTheSafesDialMatchesItsSectors)
{
	cTempFolder folder;
	ASSERT_TRUE(GenerateContent(folder.Work()));
	const std::string strings = cTempFolder::ReadFile("localization/strings.xml");
	for (const char* name : { "lock", "safe", "phone", "periscope" })
		EXPECT_NE(strings.find(std::string("name=\"") + name + "\""), std::string::npos) << name;
	RunInChild([] {
		cCameraObject* screen = StartContentScreen();
		CreateMinigameEffect();
		auto* lock = ShowGame<cMinigameLock>(screen);
		ASSERT_NE(lock->GetPin(), nullptr);
		ASSERT_NE(lock->GetLock(), nullptr);
		EXPECT_NE(lock->GetChildList().FindByPath("border/description"), nullptr);
		const sPixels lockStart = Shot("lock_demo_start");
		const D3DCOLOR brass = PixelAt(lockStart, 640 + 50, 400);
		EXPECT_GT(Red(brass), Blue(brass) + 60) << std::hex << brass << " the brass cylinder";
		// The lock turned a quarter, as an opening try leaves it.
		lock->GetMotions().PlayByName("rotate_lock");
		lock->GetMotions().SeekByName("rotate_lock", lock->GetMotions().GetLengthByName("rotate_lock") / 4);
		lock->GetMotions().StopByName("rotate_lock");
		RunFor(0.1f);
		Shot("lock_demo_turned");
		lock->Hide();
		RunFor(1);

		auto* safe = ShowGame<cMinigameSafe>(screen);
		ASSERT_NE(safe->GetChildList().FindChild("handle"), nullptr);
		Shot("safe_demo_start");
		// The handle turned to the middle of each symbol's sector points at
		// that symbol's letter, which lights when set.
		for (int symbol : kSafeCombination)
		{
			float middle = 0;
			for (const sSafeSector& sector : kSafeSectors)
				if (sector.symbol == symbol)
					middle = (sector.from + sector.to) / 2;
			safe->GetMotions().SeekByName("rotate", middle * safe->GetMotions().GetLengthByName("rotate"));
			safe->GetChildList().FindChild("symbol_" + std::to_string(symbol + 1) + "_active")->GetMotions().PlayByName("light");
			RunFor(0.5f);
			const sPixels pixels = Shot("safe_demo_symbol_" + std::to_string(symbol));
			const float angle = 2 * kPi * middle;
			const D3DCOLOR pointer = PixelAt(pixels, int(420 + 80 * std::sin(angle)), int(378 + 80 * std::cos(angle)));
			EXPECT_GT(std::max(Red(pointer), Blue(pointer)), 190) << std::hex << pointer << " the handle points at " << symbol;
			const D3DCOLOR lit = PixelAt(pixels, int(420 + 140 * std::sin(angle)) + 14, int(378 + 140 * std::cos(angle)));
			EXPECT_GT(Red(lit), 220) << std::hex << lit << " symbol " << symbol << " lit";
			EXPECT_LT(Blue(lit), 120) << std::hex << lit << " symbol " << symbol << " lit";
		}
		ExpectNothingMissingOfTheMechanisms();
	});
}

TEST(MechanismContent, ThePhoneKeysPushInAndThePeriscopesCrossFollowsTheBuoysToTheEnd)
{
	cTempFolder folder;
	ASSERT_TRUE(GenerateContent(folder.Work()));
	RunInChild([] {
		cCameraObject* screen = StartContentScreen();
		CreateMinigameEffect();
		auto* phone = ShowGame<cMinigamePhone>(screen);
		ASSERT_EQ(phone->GetKeys().size(), 18u);
		const D3DCOLOR up = PixelAt(Shot("phone_demo_start"), 600 - 20, 432 + 16);
		phone->GetKeys()[1]->SetVisible(false);
		RunFor(0.1f);
		const D3DCOLOR in = PixelAt(Shot("phone_demo_pushed"), 600 - 20, 432 + 16);
		EXPECT_GT(Green(up), Green(in) + 60) << std::hex << up << " " << in << " key 1 pushed in";
		phone->Hide();
		RunFor(1);

		auto* periscope = ShowGame<cMinigamePeriscope>(screen);
		EXPECT_TRUE(periscope->GetCamera()->GetCamera().IsClipEnabled());
		const auto buoyUnderCross = [](const sPixels& pixels) {
			const D3DCOLOR centre = PixelAt(pixels, 380, 378);
			return Red(centre) > Blue(centre) + 60;
		};
		EXPECT_TRUE(buoyUnderCross(Shot("periscope_demo_start")));
		const auto& route = cMinigamePeriscope::Route();
		const char* const buttons[] = { "button_left", "button_right", "button_up", "button_down" };
		for (size_t point = 1; point < route.size(); ++point)
		{
			const int du = route[point].u - route[point - 1].u;
			const int dr = route[point].r - route[point - 1].r;
			const char* button = buttons[dr < 0 ? 0 : dr > 0 ? 1 : du > 0 ? 2 : 3];
			periscope->OnDirection(periscope->GetChildList().FindChild(button));
			for (int frame = 0; frame < 20 && periscope->IsMoving(); ++frame)
				cSceneManager::GetInstance()->Update(0.1f);
			ASSERT_EQ(periscope->GetStep(), int(point));
			if (point == 9)
			{
				EXPECT_TRUE(buoyUnderCross(Shot("periscope_demo_on_course"))) << point;
			}
		}
		EXPECT_TRUE(periscope->IsSolved());
		RunFor(0.1f);
		const sPixels solved = Shot("periscope_demo_solved");
		EXPECT_TRUE(buoyUnderCross(solved));
		EXPECT_FALSE(periscope->GetGlass()->IsVisible());
		ExpectNothingMissingOfTheMechanisms();
	});
}
