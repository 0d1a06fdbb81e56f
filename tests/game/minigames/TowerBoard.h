#pragma once
// The tower test board: twelve cells round a wheel, eight balls, and a search for the moves to the goal.

#include "PuzzleMinigameSupport.h"

#include "game/minigames/cMinigameTower.h"

#include <array>
#include <cmath>
#include <deque>
#include <functional>
#include <unordered_map>

namespace TowerBoard
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

inline float CellX(int cell) { return kCentreX + kStep * kCellPlaces[cell][0]; }
inline float CellY(int cell) { return kCentreY + kStep * kCellPlaces[cell][1]; }

// Key 0 rests ("reset"); key 20 (d + 1) to 20 (d + 1) + 10 goes to the
// neighbour in direction d, relative to the dummy's place.
inline std::string DummyMotion(int cell)
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
inline std::string RingMotion()
{
	cMotionWriter writer;
	for (int quarter = 0; quarter <= 4; ++quarter)
	{
		const float half = -0.25f * 3.14159265f * float(quarter);
		writer.AddKeyTime(10.0f * float(quarter)).AddPosition(0, 0, 0).AddRotation(cQuaternion(0, 0, std::sin(half), std::cos(half)));
	}
	return writer.GetBytes();
}

inline std::string TowerScene(cSceneContent& content, int dummies = cMinigameTower::kCells, int balls = cMinigameTower::kBalls)
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

inline void AddTowerArt(sPuzzleArt art)
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
inline tMoves SolveFrom(const cMinigameTower& game)
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
}
