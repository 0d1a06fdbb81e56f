#include "game/minigames/cMinigameTower.h"

#include "engine/foundation/cLog.h"
#include "engine/input/cInputManager.h"

#include <string>

namespace
{
const char* const kRoll = "roll";
const char* const kRing = "ring";
const char* const kDirections[4] = { "up", "down", "left", "right" };
// The ring's gate cell at each of its four positions.
const int kRingCells[4] = { 0, 11, 8, 5 };
// The balls stand this far in front of the minigame.
constexpr float kBallDepth = 400;

// The board as it starts: dummy, ball (-1 none), colour, open, and the
// neighbours up, down, left and right.
const struct
{
	int dummy;
	int ball;
	int colour;
	bool open;
	int neighbours[4];
} kStartCells[cMinigameTower::kCells] = {
	{ 9, -1, 0, true, { -1, 1, -1, -1 } },
	{ 3, 0, 1, true, { 0, 4, 2, 3 } },
	{ 0, 6, 4, true, { 1, 7, 5, 6 } },
	{ 1, 2, 2, true, { 1, 7, 10, 11 } },
	{ 7, 3, 2, true, { 1, -1, 6, 10 } },
	{ 8, -1, 0, false, { -1, -1, -1, 2 } },
	{ 4, 4, 3, true, { 4, 9, 2, -1 } },
	{ 2, 1, 1, true, { 9, 8, 2, 3 } },
	{ 11, -1, 0, false, { 7, -1, -1, -1 } },
	{ 6, 7, 4, true, { -1, 7, 6, 10 } },
	{ 5, 5, 3, true, { 4, 9, -1, 3 } },
	{ 10, -1, 0, false, { -1, -1, 3, -1 } },
};

// The goal: cell and colour.
const int kGoal[cMinigameTower::kBalls][2] = { { 1, 3 }, { 4, 3 }, { 2, 1 }, { 6, 1 }, { 7, 2 }, { 9, 2 }, { 3, 4 },
	{ 10, 4 } };

bool IsHit(cSceneObject* object)
{
	return object && object->HitTestVisual(object->GetLocalPickRay());
}
}

cMinigameTower::cMinigameTower(cSceneObject* parent) : cMinigame("tower", parent)
{
	cChildList& children = GetChildList();
	children.CollectNumberedChildren(m_dummies, "dummy_", 0);
	for (const char* colour : { "ball_white_", "ball_red_", "ball_green_", "ball_yellow_" })
		children.CollectNumberedChildren(m_balls, colour, 1);
	if (m_dummies.size() < size_t(kCells) || m_balls.size() < size_t(kBalls))
		LOG(2, "tower: %d cells of %d and %d balls of %d; the board is incomplete", int(m_dummies.size()), kCells,
			int(m_balls.size()), kBalls);
	if (m_balls.size() > size_t(kBalls))
		m_balls.resize(kBalls);
	m_ring = children.FindChild(kRing);
	if (!m_ring)
		LOG(2, "tower: no \"ring\"");
	UpdateTransforms(true, true);
	for (cSceneObject* ball : m_balls)
		m_starts.push_back(ball->GetTransform().GetWorldMatrix());
	MapSound(kRoll, "stone_take");
	MapSound(kRing, "metal_move_hard");
}

void cMinigameTower::Show()
{
	cMinigame::Show();
	UpdateTransforms(false, false);
	PlaceBalls();
	m_ringPosition = 0;
	m_moving = nullptr;
	m_target = nullptr;
	BuildCells();
}

float cMinigameTower::BallDepth() const
{
	return GetTransform().GetWorldMatrix()._43 - kBallDepth;
}

void cMinigameTower::PlaceBalls()
{
	for (size_t index = 0; index < m_balls.size(); ++index)
	{
		cSceneObject* ball = m_balls[index];
		// A ball still on its way somewhere comes home first.
		if (ball->GetParent() != this)
			ball->GetChildList().SetParent(this, true);
		cMatrix placement = m_starts[index] * GetTransform().GetWorldMatrix();
		placement._43 = BallDepth();
		ball->GetTransform().SetWorldMatrix(placement);
	}
}

void cMinigameTower::BuildCells()
{
	for (int cell = 0; cell < kCells; ++cell)
	{
		const auto& start = kStartCells[cell];
		sTowerCell& built = m_cells[cell];
		built.dummy = start.dummy < int(m_dummies.size()) ? m_dummies[start.dummy] : nullptr;
		// A missing ball leaves its cell empty.
		built.ball = start.ball >= 0 && start.ball < int(m_balls.size()) ? m_balls[start.ball] : nullptr;
		built.colour = built.ball ? start.colour : 0;
		built.open = start.open;
		for (int direction = 0; direction < 4; ++direction)
			built.neighbours[direction] = start.neighbours[direction];
	}
}

bool cMinigameTower::HandleInput()
{
	if (m_solved || m_moving || IsBusy() ||
		!cInputManager::GetInstance()->IsPressed(cInputManager::kMouseSlot, cInputManager::kLeftButton))
		return false;
	for (cSceneObject* ball : m_balls)
	{
		if (!IsHit(ball))
			continue;
		// A ball that cannot move takes the press: the ring under it stays.
		for (int cell = 0; cell < kCells; ++cell)
			if (m_cells[cell].ball == ball)
			{
				Roll(cell);
				break;
			}
		return false;
	}
	if (IsHit(m_ring))
		TurnRing();
	return false;
}

bool cMinigameTower::Roll(int cell)
{
	sTowerCell& from = m_cells[cell];
	for (int direction = 0; direction < 4; ++direction)
	{
		const int neighbour = from.neighbours[direction];
		if (neighbour < 0 || m_cells[neighbour].colour != 0 || !m_cells[neighbour].open)
			continue;
		sTowerCell& to = m_cells[neighbour];
		// Cells without their markers have no way between them.
		if (!from.dummy || !to.dummy)
			return false;
		from.ball->GetChildList().SetParent(from.dummy, true);
		PlaySound(kRoll, false, true);
		from.dummy->GetMotions().PlayByName(kDirections[direction]);
		m_target = to.dummy;
		m_moving = from.ball;
		std::swap(from.ball, to.ball);
		std::swap(from.colour, to.colour);
		return true;
	}
	return false;
}

void cMinigameTower::TurnRing()
{
	const int position = m_ringPosition;
	const int next = (position + 1) % 4;
	sTowerCell& gate = m_cells[kRingCells[position]];
	sTowerCell& nextGate = m_cells[kRingCells[next]];
	// Without the next gate's marker there is nowhere to carry a ball to.
	if (!nextGate.dummy)
		return;
	if (gate.ball)
	{
		m_moving = gate.ball;
		m_moving->GetChildList().SetParent(m_ring, true);
	}
	PlaySound(kRing, false, true);
	m_ring->GetMotions().PlayByName(kRing + std::to_string(position));
	m_ringPosition = next;
	m_target = nextGate.dummy;
	std::swap(gate.ball, nextGate.ball);
	std::swap(gate.colour, nextGate.colour);
	std::swap(gate.open, nextGate.open);
}

void cMinigameTower::Update(float dt)
{
	cMinigame::Update(dt);
	if (m_moving && !IsBusy())
		SetDown();
}

void cMinigameTower::SetDown()
{
	cTransformNode& transform = m_moving->GetTransform();
	cMatrix placement = transform.GetWorldMatrix();
	const cVector3d target = m_target->GetTransform().GetWorldMatrix().GetTranslation();
	placement.SetTranslation(cVector3d(target.x, target.y, BallDepth()));
	transform.SetWorldMatrix(placement);
	m_moving->GetChildList().SetParent(this, true);
	m_moving->MoveInSiblings(false);
	m_moving = nullptr;
	GetMotions().PlayByName("reset");
	CheckSolved();
}

void cMinigameTower::CheckSolved()
{
	if (m_solved)
		return;
	for (const auto& goal : kGoal)
		if (m_cells[goal[0]].colour != goal[1])
			return;
	Solve();
}
