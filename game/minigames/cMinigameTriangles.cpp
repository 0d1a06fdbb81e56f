#include "game/minigames/cMinigameTriangles.h"

#include "game/minigames/TrianglesBoard.h"

#include "engine/foundation/Random.h"
#include "engine/foundation/cLog.h"
#include "engine/input/cInputManager.h"
#include "engine/scene/cCameraObject.h"

#include <algorithm>
#include <cmath>

namespace
{
// How far back a light's colour index lies for each turn state.
const int kTurnShift[3] = {0, 2, 1};
// Two upper lights closer in height than this make a triangle point down.
constexpr float kLevelHeight = 10.0f;
constexpr int kTurningSortKey = 100;
constexpr int kTurningChildSortKey = 101;

std::string RotationClip(int state)
{
	return "rotation" + std::to_string(state);
}

cVector3d WorldCentre(cSceneObject* object)
{
	cTransformNode& transform = object->GetTransform();
	transform.UpdateWorldBox();
	return transform.GetWorldBox().GetCenter();
}
}

cMinigameTriangles::cMinigameTriangles(cSceneObject* parent) : cMinigame("triangles", parent)
{
	GetChildList().CollectNumberedChildren(m_triangles, "triangle_", 0);
	for (cSceneObject* triangle : m_triangles)
		m_startMatrices.push_back(triangle->GetTransform().GetLocalMatrix());
	m_turns.assign(m_triangles.size(), 0);
	UpdateTransforms(false, false);

	for (int cell = 0; cell < kCells; ++cell)
	{
		const sTrianglesPlace& place = kTrianglesBoard[cell];
		if (place.light)
			SetLightCell(cell, place.light, place.neighbours[0]);
		else
			SetTriangleCell(cell, place.triangle, place.neighbours[0], place.neighbours[1], place.neighbours[2]);
	}

	GetCamera()->GetCamera().SetDepthTest(false);
	MapSound("rotate", "stone_take");
}

int cMinigameTriangles::ColourFromName(const std::string& name)
{
	if (name.find("red") != std::string::npos)
		return kRed;
	if (name.find("green") != std::string::npos)
		return kGreen;
	if (name.find("white") != std::string::npos)
		return kWhite;
	return kYellow;
}

void cMinigameTriangles::SetTriangleCell(int index, int triangle, int n0, int n1, int n2)
{
	sTriangleCell& cell = m_cells[index];
	cell.neighbours[0] = n0;
	cell.neighbours[1] = n1;
	cell.neighbours[2] = n2;
	if (size_t(triangle) >= m_triangles.size())
	{
		LOG(2, "triangles: no \"triangle_%d\" in the scene", triangle);
		return;
	}
	cell.triangle = m_triangles[size_t(triangle)];
	cell.turn = &m_turns[size_t(triangle)];
	std::vector<cSceneObject*> lights;
	for (cSceneObject* child : cell.triangle->GetChildList().GetChildren())
		if (child->GetName().find("light") != std::string::npos)
			lights.push_back(child);
	if (lights.size() != 3)
	{
		LOG(2, "triangles: \"%s\" has %d lights, not 3; its lights are left out", cell.triangle->GetName().c_str(),
			int(lights.size()));
		return;
	}
	std::stable_sort(lights.begin(), lights.end(),
		[](cSceneObject* a, cSceneObject* b) { return WorldCentre(a).y > WorldCentre(b).y; });
	// Clockwise: top, lower right, lower left when pointing up; upper left,
	// upper right, bottom when pointing down.
	if (WorldCentre(lights[0]).y - WorldCentre(lights[1]).y < kLevelHeight)
	{
		if (WorldCentre(lights[1]).x < WorldCentre(lights[0]).x)
			std::swap(lights[0], lights[1]);
	}
	else if (WorldCentre(lights[2]).x > WorldCentre(lights[1]).x)
		std::swap(lights[1], lights[2]);
	for (int k = 0; k < 3; ++k)
	{
		cell.lights[k] = lights[size_t(k)];
		cell.colours[k] = ColourFromName(lights[size_t(k)]->GetName());
	}
}

void cMinigameTriangles::SetLightCell(int index, const char* name, int touching)
{
	sTriangleCell& cell = m_cells[index];
	cSceneObject* light = GetChildList().FindChild(name);
	if (!light)
		LOG(2, "triangles: no \"%s\" in the scene", name);
	for (int k = 0; k < 3; ++k)
	{
		cell.lights[k] = light;
		cell.colours[k] = ColourFromName(name);
		cell.neighbours[k] = touching;
	}
}

int cMinigameTriangles::FacingColour(int n, int asking) const
{
	const sTriangleCell& cell = m_cells[n];
	if (!cell.turn)
		return cell.colours[0];
	const int a = cell.neighbours[0] == asking ? 0 : cell.neighbours[1] == asking ? 1 : 2;
	return cell.colours[(a + kTurnShift[*cell.turn]) % 3];
}

void cMinigameTriangles::CheckCell(int index)
{
	const sTriangleCell& cell = m_cells[index];
	const int shift = cell.turn ? kTurnShift[*cell.turn] : 0;
	// A fixed light is checked once; a triangle's corners each.
	const int corners = cell.turn ? 3 : 1;
	for (int k = 0; k < corners; ++k)
	{
		const int i = (k + shift) % 3;
		const bool glows = FacingColour(cell.neighbours[k], index) == cell.colours[i];
		if (cell.lights[i])
			cell.lights[i]->SetVisible(glows);
		if (!glows)
			m_solved = false;
	}
}

void cMinigameTriangles::CheckAll()
{
	m_victoryDelay = 1;
	m_solved = true;
	for (int cell = 0; cell < kCells; ++cell)
		CheckCell(cell);
	if (m_solved)
		m_victoryDelay = PlaySound("victory", false, true);
}

bool cMinigameTriangles::HandleInput()
{
	if (m_solved || m_turning ||
		!cInputManager::GetInstance()->IsPressed(cInputManager::kMouseSlot, cInputManager::kLeftButton))
		return false;
	for (size_t i = 0; i < m_triangles.size(); ++i)
		if (m_triangles[i]->HitTestVisual(m_triangles[i]->GetLocalPickRay()))
		{
			Turn(i);
			break;
		}
	return false;
}

void cMinigameTriangles::Turn(size_t index)
{
	cSceneObject* triangle = m_triangles[index];
	m_turning = triangle;
	for (cSceneObject* child : triangle->GetChildList().GetChildren())
		child->SetSortKey(kTurningChildSortKey);
	triangle->MoveInSiblings(false);
	triangle->GetMotions().PlayByName(RotationClip(m_turns[index]));
	triangle->SetOwnSortKey(kTurningSortKey);
	PlaySound("rotate", false, true);
	m_turns[index] = (m_turns[index] + 1) % 3;
	m_checkPending = true;
}

void cMinigameTriangles::Update(float dt)
{
	cMinigame::Update(dt);
	if (!m_checkPending || GetAnimations().IsPlaying() || GetMotions().IsPlaying())
		return;
	if (m_turning)
		m_turning->SetSortKey(0);
	m_turning = nullptr;
	CheckAll();
	m_checkPending = false;
}

void cMinigameTriangles::Show()
{
	cMinigame::Show();
	std::fill(m_turns.begin(), m_turns.end(), 0);
	for (size_t i = 0; i < m_triangles.size(); ++i)
		m_triangles[i]->GetTransform().SetLocalMatrix(m_startMatrices[i]);
	GetMotions().Rebase(true);
	m_turning = nullptr;
	m_checkPending = false;
	for (size_t i = 0; i < m_triangles.size(); ++i)
	{
		const int a = Random() % 10;
		const int s = a % 2 == 0 ? (a + 1) % 3 : a % 3;
		cObjectMotions& motions = m_triangles[i]->GetMotions();
		const std::string clip = RotationClip(s);
		motions.PlayByName(clip);
		motions.SeekByName(clip, motions.GetLength());
		motions.StopAll();
		m_turns[i] = (s + 1) % 3;
	}
	CheckAll();
}
