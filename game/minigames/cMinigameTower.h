#pragma once
// "tower": eight balls of four colours on twelve cells. A clicked ball
// rolls into the first free, open neighbouring cell (up, down, left, right);
// a click on the ring turns it a quarter and carries the content and the
// open flag of one gate cell to the next gate (three gates start closed).
// Each of eight goal cells holding a ball of its colour solves the puzzle.
//
// Scene: the cell markers "dummy_0" to "dummy_11" with the motions "up",
// "down", "left" and "right" (to the neighbouring cell) and "reset"; the
// balls "ball_white_1", "ball_white_2", then the red, green and yellow
// ones; and "ring" with the motions "ring0" to "ring3".

#include "engine/foundation/cMatrix.h"
#include "game/minigames/cMinigame.h"

#include <array>
#include <vector>

// One cell of the board.
struct sTowerCell
{
	// 0 empty, 1 white, 2 red, 3 green, 4 yellow.
	int colour = 0;
	cSceneObject* dummy = nullptr;
	cSceneObject* ball = nullptr;
	// Neighbouring cells up, down, left and right; -1 for none.
	std::array<int, 4> neighbours {};
	bool open = true;
};

class cMinigameTower : public cMinigame
{
public:
	static constexpr int kCells = 12;
	static constexpr int kBalls = 8;

	explicit cMinigameTower(cSceneObject* parent);
	// The factory's form; the name is always "tower".
	cMinigameTower(const std::string&, cSceneObject* parent) : cMinigameTower(parent) {}

	// The board as it starts: every ball back, the ring at position 0.
	void Show() override;
	bool HandleInput() override;
	// Sets a moved ball down once everything has stopped moving.
	void Update(float dt) override;

	// Every ball at its place from the scene, in front of the board.
	void PlaceBalls();
	// Solves the puzzle when the eight goal cells hold their colours.
	void CheckSolved();

	const sTowerCell& GetCell(int cell) const { return m_cells[cell]; }
	int GetRingPosition() const { return m_ringPosition; }
	const std::vector<cSceneObject*>& GetBalls() const { return m_balls; }
	cSceneObject* GetMovingBall() const { return m_moving; }

private:
	void BuildCells();
	// The ball rolls toward a free neighbour; false when it has none.
	bool Roll(int cell);
	void TurnRing();
	void SetDown();
	// The z of the balls: in front of the board.
	float BallDepth() const;

	std::vector<cSceneObject*> m_dummies;
	std::vector<cSceneObject*> m_balls;
	std::vector<cMatrix> m_starts;
	cSceneObject* m_ring = nullptr;
	int m_ringPosition = 0;
	std::array<sTowerCell, kCells> m_cells;
	cSceneObject* m_moving = nullptr;
	cSceneObject* m_target = nullptr;
};
