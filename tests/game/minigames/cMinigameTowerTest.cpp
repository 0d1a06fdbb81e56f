// The tower minigame played with the mouse: balls rolled into free open
// cells and carried round by the ring, until the goal cells hold their
// colours; the moves are found by a search over the board the minigame
// builds.

#include "PuzzleMinigameSupport.h"

#include "game/minigames/cMinigameTower.h"

#include <cmath>
#include <deque>
#include <unordered_map>

namespace
{
// Each cell's place in steps of 60 around the board's centre: a ring of
// gates (top 0, right 11, bottom 8, left 5) around two crossing rows.
const float kCellPlaces[cMinigameTower::kCells][2] = { { 0, 3 }, { 0, 2 }, { -2, 0 }, { 2, 0 }, { 0, 1 }, { -3, 0 },
	{ -1, 0 }, { 0, -2 }, { 0, -3 }, { 0, -1 }, { 1, 0 }, { 3, 0 } };
// The cell each dummy marks, and the cell each ball starts in.
const int kDummyCells[cMinigameTower::kCells] = { 2, 3, 7, 1, 6, 10, 9, 4, 5, 0, 11, 8 };
const char* const kBallNames[cMinigameTower::kBalls] = { "ball_white_1", "ball_white_2", "ball_red_1", "ball_red_2",
	"ball_green_1", "ball_green_2", "ball_yellow_1", "ball_yellow_2" };
const int kBallCells[cMinigameTower::kBalls] = { 1, 7, 3, 4, 6, 10, 2, 9 };
// The neighbours of the cells up, down, left and right.
const int kNeighbours[cMinigameTower::kCells][4] = { { -1, 1, -1, -1 }, { 0, 4, 2, 3 }, { 1, 7, 5, 6 },
	{ 1, 7, 10, 11 }, { 1, -1, 6, 10 }, { -1, -1, -1, 2 }, { 4, 9, 2, -1 }, { 9, 8, 2, 3 }, { 7, -1, -1, -1 },
	{ -1, 7, 6, 10 }, { 4, 9, -1, 3 }, { -1, -1, 3, -1 } };
// The goal: cell and colour (1 white, 2 red, 3 green, 4 yellow).
const int kGoal[cMinigameTower::kBalls][2] = { { 1, 3 }, { 4, 3 }, { 2, 1 }, { 6, 1 }, { 7, 2 }, { 9, 2 }, { 3, 4 },
	{ 10, 4 } };
const int kRingGates[4] = { 0, 11, 8, 5 };
constexpr float kCentreX = 512, kCentreY = 380, kStep = 60;
// The ring's wheel lies under the whole board; a press on it beside the
// cells turns it.
constexpr float kWheel = 200;
constexpr float kHandleX = kCentreX + 150, kHandleY = kCentreY + 150;
const char* const kDirections[4] = { "up", "down", "left", "right" };

float CellX(int cell) { return kCentreX + kStep * kCellPlaces[cell][0]; }
float CellY(int cell) { return kCentreY + kStep * kCellPlaces[cell][1]; }

// Key 0 rests ("reset"); key 20 (d + 1) to 20 (d + 1) + 10 goes to the
// neighbour in direction d, relative to the dummy's place.
std::string DummyMotion(int cell)
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddPosition(0, 0, 0);
	for (int direction = 0; direction < 4; ++direction)
	{
		const int to = kNeighbours[cell][direction] < 0 ? cell : kNeighbours[cell][direction];
		writer.AddKeyTime(20.0f * float(direction + 1)).AddPosition(0, 0, 0);
		writer.AddKeyTime(20.0f * float(direction + 1) + 10).AddPosition(CellX(to) - CellX(cell), CellY(to) - CellY(cell), 0);
	}
	return writer.GetBytes();
}

// A quarter turn clockwise per clip "ring<n>".
std::string RingMotion()
{
	cMotionWriter writer;
	for (int quarter = 0; quarter <= 4; ++quarter)
	{
		const float half = -0.25f * 3.14159265f * float(quarter);
		writer.AddKeyTime(10.0f * float(quarter)).AddPosition(0, 0, 0).AddRotation(cQuaternion(0, 0, std::sin(half), std::cos(half)));
	}
	return writer.GetBytes();
}

std::string TowerScene(cSceneContent& content, int dummies = cMinigameTower::kCells, int balls = cMinigameTower::kBalls)
{
	std::string scene;
	content.AddMotion("tower_ring", RingMotion());
	scene += "<geometry name=\"ring\" model=\"ring_handle\" motion=\"tower_ring\" local=\"" + At(kCentreX, kCentreY, 5) + "\">";
	for (int quarter = 0; quarter < 4; ++quarter)
		scene += "<add_motion name=\"ring" + std::to_string(quarter) + "\" first=\"" + std::to_string(10 * quarter) +
			"\" last=\"" + std::to_string(10 * quarter + 10) + "\" length=\"0.4\"/>";
	scene += "</geometry>";
	for (int dummy = 0; dummy < dummies; ++dummy)
	{
		const int cell = kDummyCells[dummy];
		const std::string name = "dummy_" + std::to_string(dummy);
		content.AddMotion("tower_" + name, DummyMotion(cell));
		scene += "<object name=\"" + name + "\" motion=\"tower_" + name + "\" local=\"" + At(CellX(cell), CellY(cell)) +
			"\"><add_motion name=\"reset\" first=\"0\" last=\"0\" length=\"0\"/>";
		for (int direction = 0; direction < 4; ++direction)
			scene += std::string("<add_motion name=\"") + kDirections[direction] + "\" first=\"" +
				std::to_string(20 * (direction + 1)) + "\" last=\"" + std::to_string(20 * (direction + 1) + 10) +
				"\" length=\"0.3\"/>";
		scene += "</object>";
	}
	for (int ball = 0; ball < balls; ++ball)
		scene += std::string("<geometry name=\"") + kBallNames[ball] + "\" model=\"ball_" + std::to_string(ball / 2) +
			"\" local=\"" + At(CellX(kBallCells[ball]), CellY(kBallCells[ball])) + "\"/>";
	return scene + StripBorder();
}

void AddTowerArt(sPuzzleArt art)
{
	const uint32_t colours[4] = { 0xFFFFFFFF, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00 };
	for (int colour = 0; colour < 4; ++colour)
	{
		const std::string name = "ball_" + std::to_string(colour);
		art.Texture(name, 1, { colours[colour] });
		art.Quad(name, { -22, -22, 22, 22 }, name);
	}
	art.Quad("ring_handle", { -kWheel, -kWheel, kWheel, kWheel }, "blue");
}

// One move: the ball in the cell (0 to 11) or the ring (12).
typedef std::vector<int> tMoves;

// The shortest moves from the board as the minigame holds it to the goal.
tMoves SolveFrom(const cMinigameTower& game)
{
	struct sState
	{
		std::array<int, cMinigameTower::kCells> colours {};
		std::array<bool, cMinigameTower::kCells> open {};
		int ring = 0;
		uint64_t Key() const
		{
			uint64_t key = uint64_t(ring);
			for (int cell = 0; cell < cMinigameTower::kCells; ++cell)
				key = key * 10 + uint64_t(colours[cell]) * 2 + (open[cell] ? 1 : 0);
			return key;
		}
	};
	sState start;
	for (int cell = 0; cell < cMinigameTower::kCells; ++cell)
	{
		start.colours[cell] = game.GetCell(cell).colour;
		start.open[cell] = game.GetCell(cell).open;
	}
	start.ring = game.GetRingPosition();
	std::unordered_map<uint64_t, std::pair<uint64_t, int>> from { { start.Key(), { 0, -1 } } };
	std::deque<sState> queue { start };
	while (!queue.empty())
	{
		const sState state = queue.front();
		queue.pop_front();
		bool reached = true;
		for (const auto& goal : kGoal)
			reached = reached && state.colours[goal[0]] == goal[1];
		if (reached)
		{
			tMoves moves;
			for (uint64_t key = state.Key(); from[key].second >= 0; key = from[key].first)
				moves.insert(moves.begin(), from[key].second);
			return moves;
		}
		for (int move = 0; move <= cMinigameTower::kCells; ++move)
		{
			sState next = state;
			bool moved = false;
			if (move == cMinigameTower::kCells)
			{
				const int gate = kRingGates[next.ring];
				const int nextGate = kRingGates[(next.ring + 1) % 4];
				std::swap(next.colours[gate], next.colours[nextGate]);
				std::swap(next.open[gate], next.open[nextGate]);
				next.ring = (next.ring + 1) % 4;
				moved = true;
			}
			else if (next.colours[move] != 0)
				for (int to : game.GetCell(move).neighbours)
					if (!moved && to >= 0 && next.colours[to] == 0 && next.open[to])
					{
						std::swap(next.colours[move], next.colours[to]);
						moved = true;
					}
			if (moved && from.emplace(next.Key(), std::make_pair(state.Key(), move)).second)
				queue.push_back(next);
		}
	}
	return tMoves();
}

class cMinigameTowerTest : public PuzzleMinigameTest
{
protected:
	void SetUp() override
	{
		PuzzleMinigameTest::SetUp();
		if (HasFatalFailure())
			return;
		AddTowerArt({ resources, false });
		content.AddScene("tower", TowerScene(content));
	}

	// A click on the cell's ball or on the ring's handle once nothing
	// moves (the skip bar's end plays for 2 s), then frames until nothing
	// moves any more.
	void Play(cMinigameTower* game, int move)
	{
		WaitUntilStill(game);
		if (move == cMinigameTower::kCells)
			ClickOnGame(kHandleX, kHandleY);
		else if (cSceneObject* ball = game->GetCell(move).ball)
			ClickOnGame(Where(ball).x, Where(ball).y);
		else
			ADD_FAILURE() << "no ball in cell " << move;
		WaitUntilStill(game);
	}
	void WaitUntilStill(cMinigameTower* game)
	{
		for (int frame = 0; frame < 100 && (game->GetMovingBall() || game->IsBusy()); ++frame)
			Step(0.05f);
	}
	static cVector3d Where(cSceneObject* ball) { return ball->GetTransform().GetWorldMatrix().GetTranslation(); }
};
}

TEST_F(cMinigameTowerTest, TheSearchedMovesPlayedWithTheMouseBringEveryColourHome)
{
	auto* game = ShowGame<cMinigameTower>("tower");
	ASSERT_NE(game, nullptr);
	ASSERT_EQ(game->GetBalls().size(), size_t(cMinigameTower::kBalls));
	EXPECT_NEAR(Where(game->GetBalls()[0]).z, -900.0f, 1e-3f) << "400 in front of the minigame";
	const tMoves moves = SolveFrom(*game);
	ASSERT_FALSE(moves.empty());
	for (int move : moves)
	{
		EXPECT_FALSE(game->IsSolved());
		Play(game, move);

	}
	EXPECT_TRUE(game->IsSolved());
	EXPECT_EQ(game->GetResult(), "win");
	EXPECT_TRUE(GetMinigameEffect()->IsVisible());
	// Every ball stands on its cell's place, back under the minigame.
	for (int cell = 0; cell < cMinigameTower::kCells; ++cell)
		if (cSceneObject* ball = game->GetCell(cell).ball)
		{
			EXPECT_EQ(ball->GetParent(), game);
			EXPECT_NEAR(Where(ball).x, CellX(cell), 0.01f);
			EXPECT_NEAR(Where(ball).y, CellY(cell), 0.01f);
		}
	Run(1.5f);
	EXPECT_FALSE(game->IsVisible());
	EXPECT_EQ(game->GetResult(), "win");

	// Shown again, the board starts over.
	game->Show();
	Run(0.1f);
	EXPECT_EQ(game->GetRingPosition(), 0);
	EXPECT_EQ(game->GetCell(2).colour, 4);
	EXPECT_NEAR(Where(game->GetCell(2).ball).x, CellX(2), 0.01f);
}

TEST_F(cMinigameTowerTest, BallsTakeTheFirstFreeOpenNeighbourAndTheRingCarriesGatesWithTheirFlags)
{
	auto* game = ShowGame<cMinigameTower>("tower");
	ASSERT_NE(game, nullptr);
	// Nothing free around the green ball of cell 6: the press does nothing.
	const cVector3d blocked = Where(game->GetCell(6).ball);
	Play(game, 6);
	EXPECT_NEAR(Where(game->GetCell(6).ball).x, blocked.x, 0.01f);
	EXPECT_EQ(game->GetCell(6).colour, 3);

	// Cell 1's white ball: up to cell 0 is the first free, open neighbour.
	cSceneObject* white = game->GetCell(1).ball;
	Play(game, 1);
	EXPECT_EQ(game->GetCell(0).ball, white);
	EXPECT_EQ(game->GetCell(1).colour, 0);
	EXPECT_NEAR(Where(white).y, CellY(0), 0.01f);
	// Closed cell 5 never takes the yellow ball of cell 2: it goes up to 1.
	Play(game, 2);
	EXPECT_EQ(game->GetCell(1).colour, 4);
	EXPECT_EQ(game->GetCell(5).colour, 0);

	// The ring carries cell 0's ball and open flag to cell 11.
	Play(game, cMinigameTower::kCells);
	EXPECT_EQ(game->GetRingPosition(), 1);
	EXPECT_EQ(game->GetCell(11).ball, white);
	EXPECT_TRUE(game->GetCell(11).open);
	EXPECT_FALSE(game->GetCell(0).open);
	EXPECT_NEAR(Where(white).x, CellX(11), 0.01f);
	EXPECT_NEAR(Where(white).y, CellY(11), 0.01f);
	EXPECT_EQ(white->GetParent(), game);
	// Three turns more bring the ring round with empty gates.
	for (int turn = 0; turn < 3; ++turn)
		Play(game, cMinigameTower::kCells);
	EXPECT_EQ(game->GetRingPosition(), 0);
	EXPECT_TRUE(game->GetCell(0).open);
	EXPECT_EQ(game->GetCell(0).ball, white);
	EXPECT_FALSE(game->IsSolved());
	ExpectCloseAndSkip(game);
}

TEST_F(cMinigameTowerTest, AnIncompleteBoardIsLoggedAndTheWindowStillCloses)
{
	content.AddScene("tower", TowerScene(content, 5, 3));
	testing::internal::CaptureStderr();
	auto* game = ShowGame<cMinigameTower>("tower");
	const std::string logged = testing::internal::GetCapturedStderr();
	ASSERT_NE(game, nullptr);
	EXPECT_NE(logged.find("tower: 5 cells of 12 and 3 balls of 8"), std::string::npos) << logged;
	for (int cell = 0; cell < cMinigameTower::kCells; ++cell)
		if (game->GetCell(cell).ball)
			Play(game, cell);
	for (int turn = 0; turn < 5; ++turn)
		Play(game, cMinigameTower::kCells);
	EXPECT_FALSE(game->IsSolved());
	ExpectCloseAndSkip(game);
}

namespace
{
class cMinigameTowerDrawTest : public PuzzleMinigameDrawTest
{
protected:
	void SetUp() override
	{
		PuzzleMinigameDrawTest::SetUp();
		AddTowerArt({ resources, true });
		content.AddScene("tower", TowerScene(content));
	}
};
}

TEST_F(cMinigameTowerDrawTest, TheBallsStandOnTheirCells)
{
	auto* game = MakeGame<cMinigameTower>("tower", screen);
	ASSERT_NE(game, nullptr);
	game->Show();
	Frame(0.1f);
	const sPixels pixels = Shot("tower_start");
	EXPECT_TRUE(ColorNear(At(pixels, int(CellX(1)), int(CellY(1))), 0xFFFFFFFF)) << "white";
	EXPECT_TRUE(ColorNear(At(pixels, int(CellX(3)), int(CellY(3))), 0xFFFF0000)) << "red";
	EXPECT_TRUE(ColorNear(At(pixels, int(CellX(6)), int(CellY(6))), 0xFF00FF00)) << "green";
	EXPECT_TRUE(ColorNear(At(pixels, int(CellX(9)), int(CellY(9))), 0xFFFFFF00)) << "yellow";
	EXPECT_TRUE(ColorNear(At(pixels, int(CellX(0)), int(CellY(0))), 0xFF0000FF)) << "an empty gate on the wheel";
}
