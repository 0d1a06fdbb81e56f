// The globe minigame played with the mouse: the globe's top dragged
// sideways turns the globe, the ruler dragged up or down slides it, and a
// click on the nail strikes. The test scene's globe turns once in 1 s,
// counter-clockwise; the ruler runs from y 584 down to y 184 in 1 s; the
// nail sits on the ruler above the globe's centre.

#include "PuzzleTestSupport.h"

#include "engine/scene/cCameraObject.h"
#include "game/minigames/cMinigameGlobe.h"

#include <cmath>
#include <string>

namespace
{
constexpr float kPi = 3.14159265f;
constexpr float kCentreX = 400, kCentreY = 384;
constexpr float kRulerTop = 584, kRulerTravel = 400;
// A press on the top where the top lies at every turn of the globe (which
// starts at a random turn): within the circle that its square covers.
constexpr float kGrabX = kCentreX - 120, kGrabRise = 90;
// Drag pixels per second of the globe's and the ruler's clips.
constexpr float kGlobePixels = 300, kRulerPixels = 200;

// The animals on the globe's top in the game's order: distance from the
// centre and angle in degrees.
const struct
{
	const char* name;
	float radius;
	float degrees;
} kAnimals[cMinigameGlobe::kAnimals] = {{"withe_house", 120, 0}, {"eagle", 60, 45}, {"octopus", 140, 100},
	{"alifant", 90, 160}, {"bear", 150, 210}, {"tiger", 70, 250}, {"camel", 130, 300}, {"shark", 100, 330}};
const int kOrder[cMinigameGlobe::kStages] = {0, 2, 3, 5, 7};
const char* const kSigns[4] = {"table_sprut", "table_alifant", "table_tiger", "table_shark"};

std::string Placed(const std::string& name, const std::string& model, float x, float y, float z,
	const std::string& rest = "")
{
	return "<geometry name=\"" + name + "\" model=\"" + model + "\" local=\"1 0 0 0 1 0 0 0 1 " + std::to_string(x) +
		" " + std::to_string(y) + " " + std::to_string(z) + "\" " + rest;
}

// A full turn in four quarters, counter-clockwise.
std::string TurnBytes()
{
	cMotionWriter writer;
	for (int quarter = 0; quarter <= 4; ++quarter)
	{
		const float half = float(quarter) * kPi / 4;
		writer.AddKeyTime(float(quarter * 10)).AddRotation(cQuaternion(0, 0, std::sin(half), std::cos(half)));
	}
	return writer.GetBytes();
}

std::string DropBytes()
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddPosition(0, 0, 0);
	writer.AddKeyTime(10).AddPosition(0, -kRulerTravel, 0);
	return writer.GetBytes();
}

std::string ClipRange(const std::string& name, int first, int last, const std::string& seconds)
{
	return "<add_motion name=\"" + name + "\" first=\"" + std::to_string(first) + "\" last=\"" +
		std::to_string(last) + "\" length=\"" + seconds + "\"/>";
}

// The globe with its top and animals, the ruler with its nail, the signs
// (transparent at the start) and the background. The top fades out as the
// globe opens.
std::string GlobeScene(const std::string& globeLength = "1")
{
	std::string animals;
	for (const auto& animal : kAnimals)
	{
		const float angle = animal.degrees * kPi / 180;
		animals += Placed(animal.name, "globe_animal_quad", animal.radius * std::cos(angle),
			animal.radius * std::sin(angle), -1, "/>");
	}
	std::string signs;
	for (int sign = 0; sign < 4; ++sign)
		signs += Placed(kSigns[sign], "globe_sign_quad", 810, 600 - 90 * float(sign), -1, R"(motion="fade">)") +
			ClipRange("start", 0, 0, "0") + Clip("fade_on", 0.3f) + Clip("fade_off", 0.3f, true) + "</geometry>";
	return Placed("background", "globe_background_quad", 0, 0, 10, "/>") + R"(<object name="glob_stoika">)" +
		Placed("south_bottom", "globe_base_quad", kCentreX, kCentreY, 0, R"(motion="turn">)") +
		ClipRange("globroot1", 0, 40, globeLength) +
		Placed("sever_top", "globe_top_quad", 0, 0, -1, R"(motion="fade">)") + ClipRange("start", 10, 10, "0") +
		ClipRange("globopen", 10, 20, "0.5") + animals + "</geometry></geometry>" +
		Placed("ruller", "globe_ruler_quad", kCentreX, kRulerTop, -5, R"(motion="drop" sort="2">)") +
		ClipRange("rule_on", 0, 10, "1") + Placed("nail", "globe_nail_quad", 0, 0, -1, R"(motion="still" sort="2">)") +
		Clip("nail_miss", 0.3f) + Clip("nail_hit", 0.3f) + "</geometry></geometry></object>" + signs;
}

float Degrees(float radians)
{
	const float degrees = std::fmod(radians * 180 / kPi, 360.0f);
	return degrees < 0 ? degrees + 360 : degrees;
}

cVector3d WorldPlace(cSceneObject* object)
{
	return object->GetTransform().GetWorldMatrix().GetTranslation();
}

class cMinigameGlobeTest : public PuzzleTest
{
protected:
	void SetUp() override
	{
		PuzzleTest::SetUp();
		if (HasFatalFailure())
			return;
		AddModels({{"globe_background", {40, 40, 984, 728}, "grey"}, {"globe_base", {-200, -200, 200, 200}, "yellow"},
			{"globe_top", {-180, -180, 180, 180}, "blue"}, {"globe_animal", {-18, -18, 18, 18}, "green"},
			{"globe_ruler", {-300, -8, 300, 8}, "red"}, {"globe_sign", {-40, -30, 40, 30}, "white"}});
		// The nail reaches into the globe: its box runs from in front of
		// the ruler to behind the globe's top.
		cModel nail;
		AddQuad(nail, -8, -8, 8, 8, -40);
		AddQuad(nail, -8, -8, 8, 8, 40);
		nail.materials = {Material(0, 4, {"white"})};
		resources.Add("model", "globe_nail_quad", ModelBytes(nail));
		content.AddMotion("turn", TurnBytes());
		content.AddMotion("drop", DropBytes());
		AddSound("button_click", 0.1f);
		AddSound("roll", 0.4f);
		AddSound("keys", 0.4f);
		AddSound("victory", 0.5f);
	}

	cMinigameGlobe* ShowGlobe(const std::string& scene = GlobeScene())
	{
		return ShowPuzzle<cMinigameGlobe>("globe", scene);
	}

	// Presses at the point of the minigame's screen, moves the cursor by
	// whole window pixels (right and down) and lets go.
	void Drag(float x, float y, int right, int down)
	{
		KeepActive();
		const int fromX = int(x / kScale), fromY = int(y / kScale);
		MoveTo(float(fromX), float(fromY));
		Hold();
		MoveTo(float(fromX + right), float(fromY - down));
		LetGo();
	}

	// The animal's angle around the globe's centre, in degrees.
	static float AngleOf(cMinigameGlobe* game, int animal)
	{
		const cVector3d at = WorldPlace(game->GetAnimal(animal)) - WorldPlace(game->GetGlobe());
		return Degrees(std::atan2(at.y, at.x));
	}

	// Turns the globe until the animal lies straight above its centre,
	// dragging the top on the side away from the ruler.
	void TurnToTop(cMinigameGlobe* game, int animal)
	{
		for (int attempt = 0; attempt < 3; ++attempt)
		{
			const float turn = Degrees((90 - AngleOf(game, animal)) * kPi / 180);
			const float missing = std::fmin(turn, 360 - turn);
			if (missing < 2)
				return;
			const int pixels = int(std::lround(turn / 360 * game->GetGlobeLength() * kGlobePixels));
			const float rulerY = WorldPlace(game->GetRuler()).y;
			Drag(kGrabX, rulerY > kCentreY ? kCentreY - kGrabRise : kCentreY + kGrabRise, pixels, 0);
			RunFor(0.1f);
		}
		ADD_FAILURE() << "the globe did not turn " << kAnimals[animal].name << " to the top";
	}

	// Slides the ruler until the nail lies at the height of the animal.
	void SlideTo(cMinigameGlobe* game, int animal)
	{
		const float nailY = WorldPlace(game->GetNail()).y;
		const float down = (nailY - WorldPlace(game->GetAnimal(animal)).y) / kRulerTravel * game->GetRulerLength();
		Drag(150, nailY, 0, int(std::lround(down * kRulerPixels)));
		RunFor(0.1f);
	}

	void Strike(cMinigameGlobe* game)
	{
		const cVector3d nail = WorldPlace(game->GetNail());
		Click(nail.x, nail.y);
	}

	// The nail over the animal, struck, and the motions waited out.
	void Pin(cMinigameGlobe* game, int animal)
	{
		TurnToTop(game, animal);
		SlideTo(game, animal);
		const cVector3d offset = WorldPlace(game->GetNail()) - WorldPlace(game->GetAnimal(animal));
		EXPECT_TRUE(std::fabs(offset.x) < 18 && std::fabs(offset.y) < 18)
			<< "the nail over " << kAnimals[animal].name << ": " << offset.x << ", " << offset.y;
		ForgetSounds();
		Strike(game);
	}

	static std::string NailClip(cMinigameGlobe* game) { return game->GetNail()->GetMotions().GetCurrentClipName(); }
	static std::string SignClip(cMinigameGlobe* game, int sign)
	{
		return game->GetChildList().FindChild(kSigns[sign])->GetMotions().GetCurrentClipName();
	}
};
}

TEST_F(cMinigameGlobeTest, PinningTheFiveAnimalsInOrderOpensTheGlobeAndWins)
{
	auto* game = ShowGlobe();
	ASSERT_NE(game->GetNail(), nullptr);
	EXPECT_EQ(game->GetStage(), 0);
	EXPECT_EQ(game->GetTarget(), 0);
	EXPECT_FLOAT_EQ(game->GetGlobeLength(), 1);
	EXPECT_FLOAT_EQ(game->GetRulerLength(), 1);
	EXPECT_EQ(game->GetAnimal(3)->GetSortKey(), 1);
	EXPECT_FLOAT_EQ(game->GetBorder()->GetTransform().GetLocalMatrix()._43, -1100) << "the frame in front";
	const cCamera& camera = game->GetCamera()->GetCamera();
	EXPECT_TRUE(camera.IsClipEnabled());
	EXPECT_FLOAT_EQ(camera.GetClipBox().min.x, 40);
	EXPECT_FLOAT_EQ(camera.GetClipBox().max.y, 728);
	const sPixels start = Screenshot("globe_start");
	EXPECT_EQ(ColorAt(start, 810, 600), ColorAt(start, 810, 680)) << "the signs are hidden at the start";
	EXPECT_EQ(ColorAt(start, 400, 584), 0xFFFFFFFF) << "the nail on the ruler";
	EXPECT_EQ(ColorAt(start, 300, 584), 0xFFFF0000) << "the ruler";
	// The centre of the top, which no animal covers at any turn.
	EXPECT_EQ(ColorAt(start, kCentreX, kCentreY), 0xFF0000FF) << "the globe's top";

	for (int stage = 0; stage < cMinigameGlobe::kStages; ++stage)
	{
		const int animal = kOrder[stage];
		ASSERT_EQ(game->GetTarget(), animal);
		Pin(game, animal);
		EXPECT_EQ(game->GetStage(), stage + 1) << kAnimals[animal].name;
		EXPECT_TRUE(game->IsSoundPlaying("button_click"));
		if (stage < 4)
		{
			EXPECT_TRUE(game->IsSoundPlaying("roll"));
			EXPECT_EQ(NailClip(game), "nail_miss") << "the nail plays its miss after a correct strike too";
			EXPECT_EQ(SignClip(game, stage), "fade_on");
			if (stage > 0)
			{
				EXPECT_EQ(SignClip(game, stage - 1), "fade_off");
			}
			ASSERT_TRUE(RunUntil([&] { return !game->IsBusy(); }, 2));
		}
	}
	EXPECT_TRUE(game->IsDone());
	EXPECT_FALSE(game->IsSoundPlaying("roll")) << "the last strike rolls nothing";
	EXPECT_EQ(NailClip(game), "nail_hit");
	EXPECT_EQ(SignClip(game, 3), "fade_off");
	EXPECT_FALSE(game->IsOpened()) << "the globe waits for the strike's motions";
	EXPECT_FALSE(game->IsSolved());

	ASSERT_TRUE(RunUntil([&] { return game->IsOpened(); }, 2));
	EXPECT_TRUE(game->IsSoundPlaying("keys"));
	EXPECT_EQ(game->GetGlobeTop()->GetMotions().GetCurrentClipName(), "globopen");
	EXPECT_FALSE(game->IsSolved()) << "the victory waits for the opening";
	ASSERT_TRUE(RunUntil([&] { return game->IsSolved(); }, 2));
	const sPixels solved = Screenshot("globe_solved");
	EXPECT_EQ(ColorAt(solved, 400, 250), 0xFFFFFF00) << "the top has lifted off the globe";
	CheckVictory(game);
}

TEST_F(cMinigameGlobeTest, StrikesOverAWrongAnimalOrOverNothingMissAndLeaveTheStage)
{
	auto* game = ShowGlobe();
	ForgetSounds();
	Strike(game);
	EXPECT_EQ(game->GetStage(), 0) << "over nothing";
	EXPECT_EQ(NailClip(game), "nail_miss");
	EXPECT_TRUE(game->IsSoundPlaying("button_click"));
	EXPECT_FALSE(game->IsSoundPlaying("roll"));
	RunFor(0.4f);

	// The eagle is not the first animal; the white house is, and striking
	// it a second time is wrong once the octopus is the target.
	Pin(game, 1);
	EXPECT_EQ(game->GetStage(), 0) << "the eagle";
	EXPECT_FALSE(game->IsSoundPlaying("roll"));
	RunFor(0.4f);
	Pin(game, 0);
	EXPECT_EQ(game->GetStage(), 1);
	RunFor(0.4f);
	ForgetSounds();
	Strike(game);
	EXPECT_EQ(game->GetStage(), 1) << "the white house again";
	EXPECT_EQ(game->GetTarget(), 2);
	EXPECT_FALSE(game->IsSoundPlaying("roll"));

	// Input waits while the nail moves.
	ASSERT_TRUE(game->IsBusy());
	const float turned = game->GetGlobeTime();
	Drag(kGrabX, kCentreY - kGrabRise, 40, 0);
	EXPECT_FLOAT_EQ(game->GetGlobeTime(), turned);
	EXPECT_EQ(game->GetDragged(), cMinigameGlobe::kNothing);
	EXPECT_FALSE(game->IsSolved());
	RunFor(0.4f);

	// A new showing starts the sequence again with the ruler at its start.
	game->Show();
	RunFor(0.5f);
	EXPECT_EQ(game->GetStage(), 0);
	EXPECT_EQ(game->GetTarget(), 0);
	EXPECT_FLOAT_EQ(game->GetRulerTime(), 0);
	EXPECT_NEAR(WorldPlace(game->GetNail()).y, kRulerTop, 0.01f);
	EXPECT_GE(game->GetGlobeTime(), 0);
	EXPECT_LE(game->GetGlobeTime(), 1);
	EXPECT_FALSE(game->IsDone());
	CheckSkipAndClose(game);
}

TEST_F(cMinigameGlobeTest, TheGlobeWrapsBothWaysAndTheRulerStopsAtItsEnds)
{
	auto* game = ShowGlobe();
	// Past the start: back by 0.1 s more than the globe time, pressed on
	// the top's right side.
	const float time = game->GetGlobeTime();
	Drag(kCentreX + 160, kCentreY - 60, -int(std::lround(time * kGlobePixels)) - 30, 0);
	EXPECT_NEAR(game->GetGlobeTime(), 0.9f, 0.01f);
	// Past the end: on by 0.2 s.
	Drag(kGrabX, kCentreY - kGrabRise, 60, 0);
	EXPECT_NEAR(game->GetGlobeTime(), 0.1f, 0.01f);
	EXPECT_EQ(game->GetGlobe()->GetMotions().GetCurrentClipName(), "globroot1");
	EXPECT_NEAR(game->GetGlobe()->GetMotions().GetTimeByName("globroot1"), 0.1f, 0.01f);

	Drag(150, kRulerTop, 0, -50);
	EXPECT_FLOAT_EQ(game->GetRulerTime(), 0) << "stops at the top";
	Drag(150, kRulerTop, 0, 100);
	EXPECT_NEAR(game->GetRulerTime(), 0.5f, 0.01f);
	EXPECT_NEAR(WorldPlace(game->GetRuler()).y, kRulerTop - kRulerTravel / 2, 2);
	Drag(150, WorldPlace(game->GetRuler()).y, 0, 150);
	EXPECT_FLOAT_EQ(game->GetRulerTime(), 1) << "stops at the bottom";
	EXPECT_EQ(game->GetDragged(), cMinigameGlobe::kNothing) << "let go";

	// A press on the nail over the ruler strikes and takes the ruler,
	// which the strike's motion lets go again.
	ForgetSounds();
	const cVector3d nail = WorldPlace(game->GetNail());
	MoveTo(nail.x / kScale, nail.y / kScale);
	Hold();
	EXPECT_EQ(game->GetDragged(), cMinigameGlobe::kRuler);
	EXPECT_TRUE(game->IsSoundPlaying("button_click"));
	EXPECT_EQ(NailClip(game), "nail_miss");
	MoveTo(nail.x / kScale, nail.y / kScale + 40);
	LetGo();
	EXPECT_FLOAT_EQ(game->GetRulerTime(), 1) << "nothing is dragged while the nail moves";
	EXPECT_FALSE(game->IsSolved());
}

TEST_F(cMinigameGlobeTest, MissingObjectsOrUnusableClipLengthsAreLoggedAndTheGameStillCloses)
{
	for (const char* length : {"0", "-2", "inf", "nan"})
	{
		testing::internal::CaptureStderr();
		auto* game = ShowGlobe(GlobeScene(length));
		const std::string logged = testing::internal::GetCapturedStderr();
		EXPECT_EQ(game->GetGlobeLength(), 0) << length;
		// A negative length reads as none; one that is not a number is refused.
		const bool unusable = std::string(length) == "inf" || std::string(length) == "nan";
		EXPECT_EQ(unusable, Logged(logged, "globe: the clip \"globroot1\" has no usable length")) << length << logged;
		Drag(kGrabX, kCentreY - kGrabRise, 80, 0);
		EXPECT_EQ(game->GetGlobeTime(), 0) << length;
		Click(kPuzzleClose);
		EXPECT_TRUE(IsClosing(game));
		EXPECT_EQ(game->GetResult(), "");
		RunFor(0.5f);
		delete game;
	}

	testing::internal::CaptureStderr();
	auto* game = ShowGlobe(R"(<object name="glob_stoika"/>)");
	const std::string logged = testing::internal::GetCapturedStderr();
	for (const char* path : {"glob_stoika/ruller", "glob_stoika/ruller/nail", "glob_stoika/south_bottom/sever_top",
			 "glob_stoika/south_bottom", "table_sprut", "table_shark", "glob_stoika/south_bottom/sever_top/camel",
			 "background"})
		EXPECT_TRUE(Logged(logged, std::string("globe: no \"") + path + "\" in the scene")) << path << logged;
	Click(400, 584);
	Drag(250, 284, 80, 80);
	EXPECT_EQ(game->GetStage(), 0);
	EXPECT_EQ(game->GetGlobeTime(), 0);
	EXPECT_FALSE(game->IsSolved());
	CheckSkipAndClose(game);
}
