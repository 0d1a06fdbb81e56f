// The fan magnet dragged with the mouse: a route worked out around the
// obstacles reaches the key; an obstacle sends the magnet gliding back with
// "error"; leaving the field puts it back at once; the vents loop while the
// window is open.

#include "PuzzleTestSupport.h"

#include "game/minigames/cMinigameFactory.h"
#include "game/minigames/cMinigameFan.h"

#include <map>
#include <queue>

namespace
{
constexpr sRect kBack { 60, 60, 860, 708 };
constexpr float kMagnetX = 150, kMagnetY = 400, kHalf = 25;
// The grid the route is searched on, and the room kept from the obstacles.
constexpr float kCell = 10, kRoom = 4;

bool Overlaps(const cBoundingBox& a, float x, float y, float half)
{
	return a.min.x <= x + half && x - half <= a.max.x && a.min.y <= y + half && y - half <= a.max.y;
}

cBoundingBox WorldBox(cSceneObject* object)
{
	object->GetTransform().UpdateWorldBox();
	return object->GetTransform().GetWorldBox();
}

class FanTest : public PuzzleTest
{
protected:
	void SetUp() override
	{
		PuzzleTest::SetUp();
		if (HasFatalFailure())
			return;
		AddModels({ { "back", kBack, "grey" }, { "magnit", { -kHalf, -kHalf, kHalf, kHalf }, "red" },
			{ "col_1", { 300, 60, 340, 500 }, "blue" }, { "col_2", { 500, 260, 540, 708 }, "blue" },
			{ "col_4", { 650, 60, 690, 450 }, "blue" }, { "key_parent", { 760, 560, 820, 620 }, "yellow" } });
		AddSound("error", 0.2f);
		AddSound("vents", 0.5f);
		AddSound("victory", 0.5f);
	}

	// Two obstacles under a child of the window, one of the window's own.
	static std::string Scene()
	{
		char magnet[96];
		std::snprintf(magnet, sizeof magnet, R"(local="1 0 0 0 1 0 0 0 1 %g %g 0")", kMagnetX, kMagnetY);
		return PieceElement({ "back", {}, "" }, "", "") + "<object name=\"walls\">" +
			PieceElement({ "col_1", {}, "" }, "", "") + PieceElement({ "col_2", {}, "" }, "", "") + "</object>" +
			PieceElement({ "col_4", {}, "" }, "", "") + PieceElement({ "key_parent", {}, "" }, "", "") +
			PieceElement({ "magnit", {}, "" }, "", "", magnet);
	}

	cMinigameFan* ShowFan() { return ShowPuzzle<cMinigameFan>("fan", Scene()); }

	cVector3d MagnetAt(cMinigameFan* game)
	{
		return game->GetChildList().FindChild("magnit")->GetTransform().GetWorldMatrix().GetTranslation();
	}

	// The cells of a route from the magnet to the key that keeps the
	// magnet off every obstacle, found on a grid inside the field.
	std::vector<std::pair<float, float>> Route(cMinigameFan* game)
	{
		std::vector<cBoundingBox> obstacles;
		for (cSceneObject* obstacle : game->GetObstacles())
			obstacles.push_back(WorldBox(obstacle));
		const cBoundingBox key = WorldBox(game->GetChildList().FindChild("key_parent"));
		const cBoundingBox& field = game->GetFieldBox();
		auto free = [&](float x, float y) {
			if (x - kHalf < field.min.x || x + kHalf > field.max.x || y - kHalf < field.min.y || y + kHalf > field.max.y)
				return false;
			for (const cBoundingBox& box : obstacles)
				if (Overlaps(box, x, y, kHalf + kRoom))
					return false;
			return true;
		};
		using tCell = std::pair<int, int>;
		std::map<tCell, tCell> from;
		std::queue<tCell> open;
		open.push({ 0, 0 });
		from[{ 0, 0 }] = { 0, 0 };
		while (!open.empty())
		{
			const tCell cell = open.front();
			open.pop();
			const float x = kMagnetX + float(cell.first) * kCell, y = kMagnetY + float(cell.second) * kCell;
			if (Overlaps(key, x, y, kHalf - kRoom))
			{
				std::vector<std::pair<float, float>> route;
				for (tCell at = cell; at != tCell { 0, 0 }; at = from[at])
					route.insert(route.begin(), { kMagnetX + float(at.first) * kCell, kMagnetY + float(at.second) * kCell });
				return route;
			}
			for (const tCell& step : { tCell { 1, 0 }, tCell { -1, 0 }, tCell { 0, 1 }, tCell { 0, -1 } })
			{
				const tCell next { cell.first + step.first, cell.second + step.second };
				if (!from.count(next) && free(kMagnetX + float(next.first) * kCell, kMagnetY + float(next.second) * kCell))
				{
					from[next] = cell;
					open.push(next);
				}
			}
		}
		return {};
	}

	void GrabMagnet()
	{
		MoveTo(kMagnetX / kScale, kMagnetY / kScale);
		Hold();
	}
	void DragTo(float x, float y) { MoveTo(x / kScale, y / kScale); }
};
}

TEST_F(FanTest, ARouteAroundTheObstaclesReachesTheKeyAndWins)
{
	cMinigameFan* game = ShowFan();
	EXPECT_EQ(game->GetObstacles().size(), 3u);
	EXPECT_TRUE(game->IsSoundPlaying("vents")) << "the vents loop while open";
	EXPECT_TRUE(game->GetCamera()->GetCamera().IsClipEnabled());
	const sPixels start = Screenshot("fan_start");
	EXPECT_TRUE(ColorNear(ColorAt(start, kMagnetX, kMagnetY), 0xFFFF0000)) << "the magnet";
	EXPECT_TRUE(ColorNear(ColorAt(start, 790, 590), 0xFFFFFF00)) << "the key";
	EXPECT_TRUE(ColorNear(ColorAt(start, 320, 300), 0xFF0000FF)) << "an obstacle";

	const auto route = Route(game);
	ASSERT_FALSE(route.empty());
	ForgetSounds();
	GrabMagnet();
	EXPECT_TRUE(game->IsDragging());
	for (const auto& [x, y] : route)
	{
		DragTo(x, y);
		ASSERT_FALSE(game->IsReturning()) << "an obstacle at " << x << ", " << y;
		if (game->IsSolved())
			break;
	}
	ASSERT_TRUE(game->IsSolved());
	EXPECT_FALSE(game->IsSoundPlaying("error"));
	const sPixels solved = Screenshot("fan_solved");
	const cVector3d magnet = MagnetAt(game);
	EXPECT_TRUE(ColorNear(ColorAt(solved, magnet.x, magnet.y), 0xFFFF0000)) << "the magnet at the key";
	EXPECT_TRUE(ColorNear(ColorAt(solved, kMagnetX, kMagnetY), 0xFF808080)) << "its start is empty";
	LetGo();
	EXPECT_FALSE(game->IsReturning()) << "a solved puzzle keeps the magnet at the key";
	CheckVictory(game);
	cSoundRegistry::GetInstance()->Update();
	EXPECT_FALSE(game->IsSoundPlaying("vents")) << "closing stops the vents";
	EXPECT_NEAR(MagnetAt(game).x, kMagnetX, 0.01f) << "and puts the magnet back";
}

TEST_F(FanTest, AnObstacleOrALetGoSendsTheMagnetGlidingBackAndLeavingTheFieldPutsItBackAtOnce)
{
	cMinigameFan* game = ShowFan();
	// A press beside the magnet starts nothing.
	MoveTo(kMagnetX / kScale, (kMagnetY + 60) / kScale);
	Hold();
	DragTo(kMagnetX + 40, kMagnetY + 60);
	EXPECT_FALSE(game->IsDragging());
	LetGo();

	// Straight into the first wall.
	ForgetSounds();
	GrabMagnet();
	for (float x = kMagnetX; x < 300 && !game->IsReturning(); x += kCell)
		DragTo(x, kMagnetY);
	EXPECT_TRUE(game->IsReturning());
	EXPECT_FALSE(game->IsDragging());
	EXPECT_TRUE(game->IsSoundPlaying("error"));
	const float hitX = MagnetAt(game).x;
	EXPECT_GT(hitX, 250);
	Step(0.15f);
	EXPECT_GT(MagnetAt(game).x, kMagnetX + 10) << "on its way back";
	EXPECT_LT(MagnetAt(game).x, hitX - 10);
	Step(0.16f);
	EXPECT_FALSE(game->IsReturning());
	EXPECT_NEAR(MagnetAt(game).x, kMagnetX, 0.01f);
	LetGo();

	// Let go in the open: a glide back without a sound.
	ForgetSounds();
	GrabMagnet();
	DragTo(kMagnetX, kMagnetY + 100);
	LetGo();
	EXPECT_TRUE(game->IsReturning());
	EXPECT_FALSE(game->IsSoundPlaying("error"));
	RunFor(0.35f);
	EXPECT_NEAR(MagnetAt(game).y, kMagnetY, 0.01f);

	// Out of the field (still inside the frame): back at once.
	GrabMagnet();
	DragTo(kMagnetX, 200);
	DragTo(kMagnetX - 100, 200);
	EXPECT_FALSE(game->IsDragging());
	EXPECT_FALSE(game->IsReturning());
	EXPECT_NEAR(MagnetAt(game).x, kMagnetX, 0.01f);
	LetGo();
	EXPECT_FALSE(game->IsSolved());
}

TEST_F(FanTest, SkipsOnceTheBarIsFullAndClosesWithoutAWin)
{
	cMinigameFan* game = ShowFan();
	CheckSkipAndClose(game);
	// Stopped instances go at the registry's next update.
	cSoundRegistry::GetInstance()->Update();
	EXPECT_FALSE(game->IsSoundPlaying("vents"));
}

TEST_F(FanTest, EachOfTheseMinigamesFromAnEmptySceneLogsItsMissingPiecesAndStillCloses)
{
	for (const char* name : { "fan", "fingers", "glass", "key" })
	{
		testing::internal::CaptureStderr();
		cMinigame* game = cMinigameFactory::GetInstance()->Create(name, screen);
		const std::string logged = testing::internal::GetCapturedStderr();
		ASSERT_NE(game, nullptr) << name;
		if (std::string(name) != "fingers")
		{
			EXPECT_TRUE(Logged(logged, "Minigame '" + std::string(name) + "' has no")) << name << ": " << logged;
		}
		game->Show();
		RunFor(0.5f);
		MoveTo(kMagnetX / kScale, kMagnetY / kScale);
		Hold();
		DragTo(kMagnetX + 50, kMagnetY);
		LetGo();
		RunFor(0.5f);
		game->Hide();
		EXPECT_TRUE(IsClosing(game)) << name;
		RunFor(0.5f);
	}
}
