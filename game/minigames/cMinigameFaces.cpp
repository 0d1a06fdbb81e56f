#include "game/minigames/cMinigameFaces.h"

#include "engine/foundation/cLog.h"
#include "engine/input/cInputManager.h"
#include "engine/scene/cVisual.h"

#include <cstdlib>
#include <string>

namespace
{
constexpr float kGlideSeconds = 0.2f;
constexpr float kHeldScale = 1.1f;
const char* const kStoneTake = "stone_take";

int Sign(int value)
{
	return (value > 0) - (value < 0);
}

bool OnBoard(int row, int column)
{
	return row >= 0 && row < cMinigameFaces::kSize && column >= 0 && column < cMinigameFaces::kSize;
}

int Code(int row, int column)
{
	return row * 10 + column;
}

bool IsHit(cSceneObject* object)
{
	return object && object->HitTestVisual(object->GetLocalPickRay());
}
}

cMinigameFaces::cMinigameFaces(cSceneObject* parent) : cMinigame("faces", parent)
{
	cChildList& children = GetChildList();
	children.CollectNumberedChildren(m_heads, "head_", 0);
	if (m_heads.size() > size_t(kSize))
		m_heads.resize(kSize);
	if (m_heads.size() < size_t(kSize))
		LOG(2, "faces: %d heads of %d, the board cannot be solved", int(m_heads.size()), kSize);

	for (int row = 0; row < kSize; ++row)
		for (int column = 0; column < kSize; ++column)
		{
			const std::string name = "point_" + std::to_string(row) + "_" + std::to_string(column);
			cSceneObject* point = children.FindChild(name);
			if (point)
				point->SetVisible(false);
			else
				LOG(2, "faces: no cell \"%s\"", name.c_str());
			m_points[row * kSize + column] = point;
		}

	// "ray_AA_BB": the two neighbouring cells' codes at positions 0-1 and 3-4.
	for (cSceneObject* child : children.GetChildren())
	{
		const std::string& name = child->GetName();
		if (name.compare(0, 4, "ray_") != 0)
			continue;
		child->SetVisible(false);
		const std::string rest = name.substr(4);
		if (rest.size() < 5)
		{
			LOG(2, "faces: ray piece \"%s\" names no two cells", name.c_str());
			continue;
		}
		const int a = std::atoi(rest.substr(0, 2).c_str());
		const int b = std::atoi(rest.substr(3, 2).c_str());
		m_rays.emplace(a * 1000 + b, child);
		m_rays.emplace(b * 1000 + a, child);
	}

	// Each head keeps its placement relative to its cell in the last row.
	UpdateTransforms(true, true);
	for (size_t k = 0; k < m_heads.size(); ++k)
	{
		cMatrix offset = m_heads[k]->GetTransform().GetWorldMatrix();
		if (cSceneObject* point = Point(kSize - 1, int(k)))
		{
			cMatrix inverse = point->GetTransform().GetWorldMatrix();
			if (inverse.Invert())
				offset = offset * inverse;
		}
		m_offsets.push_back(offset);
	}
	m_headCells.assign(m_heads.size(), 0);
	MapSound(kStoneTake, kStoneTake);
}

void cMinigameFaces::Show()
{
	cMinigame::Show();
	UpdateTransforms(false, false);
	m_held = -1;
	m_glide = sGlide();
	m_board.fill(0);
	m_headCells.assign(m_heads.size(), 0);
	for (size_t k = 0; k < m_heads.size(); ++k)
		PlaceHead(int(k), kSize - 1, int(k), true);
	Evaluate();
}

void cMinigameFaces::PlaceHead(int head, int row, int column, bool atOnce)
{
	if (head < 0 || head >= int(m_heads.size()) || !OnBoard(row, column))
		return;
	int& oldCell = m_board[(m_headCells[head] / 10) * kSize + m_headCells[head] % 10];
	if (oldCell == head + 1)
		oldCell = 0;
	m_headCells[head] = Code(row, column);
	m_board[row * kSize + column] = head + 1;

	cTransformNode& transform = m_heads[head]->GetTransform();
	cSceneObject* point = Point(row, column);
	// Without its cell the head stays where it is.
	cMatrix target = point ? point->GetTransform().GetWorldMatrix() * m_offsets[head] : transform.GetWorldMatrix();
	if (atOnce)
	{
		target._43 += GetTransform().GetWorldMatrix()._43;
		transform.SetWorldMatrix(target);
		return;
	}
	m_glide.head = head;
	m_glide.target = target;
	m_glide.remaining = kGlideSeconds;
	m_glide.step = target.GetTranslation() - transform.GetWorldMatrix().GetTranslation();
}

bool cMinigameFaces::CastRay(int row, int column, int towardRow, int towardColumn, int& foundRow, int& foundColumn) const
{
	const int rowStep = Sign(towardRow - row);
	const int columnStep = Sign(towardColumn - column);
	if (rowStep == 0 && columnStep == 0)
		return false;
	for (int r = row + rowStep, c = column + columnStep; OnBoard(r, c); r += rowStep, c += columnStep)
		if (GetCell(r, c) != 0)
		{
			foundRow = r;
			foundColumn = c;
			return true;
		}
	return false;
}

void cMinigameFaces::ShowRay(int fromRow, int fromColumn, int toRow, int toColumn)
{
	const int rowStep = Sign(toRow - fromRow);
	const int columnStep = Sign(toColumn - fromColumn);
	for (int r = fromRow, c = fromColumn; OnBoard(r, c); r += rowStep, c += columnStep)
	{
		if (cSceneObject* point = Point(r, c))
			point->SetVisible(true);
		if (r == toRow && c == toColumn)
			return;
		auto ray = m_rays.find(Code(r, c) * 1000 + Code(r + rowStep, c + columnStep));
		if (ray != m_rays.end())
			ray->second->SetVisible(true);
	}
}

void cMinigameFaces::HidePointsAndRays()
{
	for (cSceneObject* point : m_points)
		if (point)
			point->SetVisible(false);
	for (auto& ray : m_rays)
		ray.second->SetVisible(false);
}

void cMinigameFaces::Evaluate()
{
	HidePointsAndRays();
	m_lonely = 0;
	for (size_t k = 0; k < m_heads.size(); ++k)
	{
		const int r = m_headCells[k] / 10;
		const int c = m_headCells[k] % 10;
		// Up and down the rows, left, right, then the four diagonals.
		const int targets[8][2] = { { 0, c }, { 7, c }, { r, 0 }, { r, 7 }, { r - 8, c - 8 }, { r - 8, c + 8 },
			{ r + 8, c - 8 }, { r + 8, c + 8 } };
		bool seen = false;
		for (const auto& target : targets)
		{
			int foundRow = 0;
			int foundColumn = 0;
			if (!CastRay(r, c, target[0], target[1], foundRow, foundColumn))
				continue;
			seen = true;
			ShowRay(r, c, foundRow, foundColumn);
		}
		if (!seen)
			++m_lonely;
		if (cVisual* visual = m_heads[k]->GetVisual())
			visual->SetTextureOffset(seen ? 0.0f : 0.5f, 0);
	}
	if (m_lonely == kSize)
		Solve();
}

bool cMinigameFaces::HandleInput()
{
	if (m_solved || m_glide.head >= 0 ||
		!cInputManager::GetInstance()->IsPressed(cInputManager::kMouseSlot, cInputManager::kLeftButton))
		return false;
	const int previous = m_held;
	if (m_held >= 0)
	{
		m_heads[m_held]->GetTransform().SetWorldMatrix(m_heldMatrix);
		m_held = -1;
	}
	for (size_t k = 0; k < m_heads.size(); ++k)
	{
		if (!IsHit(m_heads[k]))
			continue;
		cTransformNode& transform = m_heads[k]->GetTransform();
		m_heldMatrix = transform.GetWorldMatrix();
		m_held = int(k);
		cMatrix grown;
		grown.MakeTranslationScale(cVector3d(0, 0, 0), cVector3d(kHeldScale, kHeldScale, kHeldScale));
		transform.SetWorldMatrix(grown * m_heldMatrix);
		return false;
	}
	if (previous >= 0)
		DropHead(previous);
	return false;
}

void cMinigameFaces::DropHead(int head)
{
	for (int row = 0; row < kSize; ++row)
		for (int column = 0; column < kSize; ++column)
		{
			if (!IsHit(Point(row, column)))
				continue;
			// A cell another head stands on takes no second one.
			const int standing = GetCell(row, column);
			if (standing != 0 && standing != head + 1)
				return;
			PlaySound(kStoneTake, false, true);
			PlaceHead(head, row, column, false);
			return;
		}
}

void cMinigameFaces::Update(float dt)
{
	cMinigame::Update(dt);
	if (m_glide.head < 0)
		return;
	cTransformNode& transform = m_heads[m_glide.head]->GetTransform();
	m_glide.remaining -= dt;
	if (m_glide.remaining > 0)
	{
		cMatrix step;
		step.MakeTranslation(m_glide.step * (dt / kGlideSeconds));
		transform.SetWorldMatrix(transform.GetWorldMatrix() * step);
		return;
	}
	transform.SetWorldMatrix(m_glide.target);
	m_glide.head = -1;
	Evaluate();
}
