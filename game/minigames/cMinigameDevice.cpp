#include "game/minigames/cMinigameDevice.h"

#include "engine/foundation/Clamp.h"
#include "engine/foundation/Random.h"
#include "engine/foundation/cLog.h"
#include "engine/input/cInputManager.h"
#include "engine/scene/cCameraObject.h"
#include "engine/scene/cSceneManager.h"
#include "game/minigames/MinigameParts.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr float kStepRadians = 0.017453292f * 30;
constexpr float kDegreesPerRadian = 57.29578f;
constexpr float kSnapDistance = 10;
constexpr float kSnapDegrees = 30;
// Scattered pieces lie inside this part of the tray when they fit.
constexpr float kTrayLeft = 242, kTrayRight = 782, kTrayBottom = 194, kTrayTop = 574;
// The held piece's origin stays inside this part of the screen.
constexpr float kCursorLeft = 192, kCursorRight = 832, kCursorBottom = 144, kCursorTop = 624;
const char* const kRotate = "wire_rotate";
const char* const kConnect = "connect";

void SetColor(cSceneObject* piece, const sColor& colour)
{
	piece->GetTransform().SetColor(colour.r, colour.g, colour.b, colour.a);
}
const sColor kLoose(0.6f, 0.6f, 0.6f, 0.8f);
const sColor kHeld(0.8f, 0.8f, 0.8f, 0.9f);
const sColor kInPlace(1, 1, 1, 1);

// The angle in degrees between the matrix's first row and the vertical.
float TiltDegrees(const cMatrix& matrix)
{
	return cVector3d(matrix._11, matrix._12, matrix._13).AngleTo(cVector3d(0, 1, 0)) * kDegreesPerRadian;
}

bool IsPressed(int button)
{
	return cInputManager::GetInstance()->IsPressed(cInputManager::kMouseSlot, button);
}
}

cMinigameDevice::cMinigameDevice(cSceneObject* parent) : cMinigame("device", parent)
{
	GetChildList().CollectNumberedChildren(m_pieces, "mashine_", 1);
	if (m_pieces.empty())
		LOG(2, "device: no pieces \"mashine_1\"...");
	for (cSceneObject* piece : m_pieces)
	{
		m_starts.push_back(piece->GetTransform().GetLocalMatrix());
		m_baseDepth = std::min(m_baseDepth, m_starts.back()._43);
	}
	m_liftedDepth = m_baseDepth - 10;
	m_connected.assign(m_pieces.size(), false);

	if (cSceneObject* background = GetChildList().FindChild("background"))
	{
		UpdateTransforms(true, true);
		ClipCameraTo(*this, *background);
	}
	else
		LOG(2, "device: no \"background\", the drawing is not clipped");
	MapSound(kRotate, kRotate);
	MapSound(kConnect, kConnect);
}

void cMinigameDevice::Show()
{
	cMinigame::Show();
	for (size_t index = 0; index < m_pieces.size(); ++index)
		Scatter(index);
	m_connected.assign(m_pieces.size(), false);
	m_held = -1;
}

void cMinigameDevice::Scatter(size_t index)
{
	cMatrix matrix = m_starts[index];
	for (int turns = Random() % 11; turns > 0; --turns)
		matrix.RotateZ(kStepRadians);
	// A piece without a box is placed by its origin.
	cBoundingBox box = m_pieces[index]->GetTransform().GetLocalBox();
	if (box.IsEmpty())
		box.SetFromPoints(cVector3d(0, 0, 0), cVector3d(0, 0, 0));
	const float y = RandomFloatRange(kTrayBottom - box.min.y, kTrayTop - box.max.y);
	const float x = RandomFloatRange(kTrayLeft - box.min.x, kTrayRight - box.max.x);
	matrix.SetTranslation(cVector3d(x, y, m_baseDepth));
	m_pieces[index]->GetTransform().SetLocalMatrix(matrix);
	SetColor(m_pieces[index], kLoose);
}

void cMinigameDevice::Update(float dt)
{
	cMinigame::Update(dt);
	if (m_held < 0)
		return;
	const cVector3d& cursor = cSceneManager::GetInstance()->GetPickRay().origin;
	cTransformNode& transform = m_pieces[m_held]->GetTransform();
	cMatrix matrix = transform.GetLocalMatrix();
	matrix.SetTranslation(cVector3d(Clamp(cursor.x, kCursorLeft, kCursorRight),
		Clamp(cursor.y, kCursorBottom, kCursorTop), m_liftedDepth));
	transform.SetLocalMatrix(matrix);
}

bool cMinigameDevice::HandleInput()
{
	if (m_solved)
		return false;
	if (IsPressed(cInputManager::kLeftButton))
	{
		if (m_held < 0)
			TakePiece();
		else
			ReleasePiece();
	}
	else if (m_held >= 0 && IsPressed(cInputManager::kRightButton))
	{
		cTransformNode& transform = m_pieces[m_held]->GetTransform();
		cMatrix matrix = transform.GetLocalMatrix();
		matrix.RotateZ(kStepRadians);
		transform.SetLocalMatrix(matrix);
		PlaySound(kRotate, false, true);
	}
	return false;
}

void cMinigameDevice::TakePiece()
{
	for (size_t index = 0; index < m_pieces.size(); ++index)
		if (!m_connected[index])
		{
			cTransformNode& transform = m_pieces[index]->GetTransform();
			cMatrix matrix = transform.GetLocalMatrix();
			matrix._43 = m_baseDepth;
			transform.SetLocalMatrix(matrix);
		}
	for (size_t index = 0; index < m_pieces.size(); ++index)
	{
		cSceneObject* piece = m_pieces[index];
		if (m_connected[index] || !piece->HitTestVisual(piece->GetLocalPickRay()))
			continue;
		m_held = int(index);
		piece->MoveInSiblings(false);
		SetColor(piece, kHeld);
		return;
	}
}

bool cMinigameDevice::FitsItsPlace(size_t index) const
{
	const cMatrix& start = m_starts[index];
	const cMatrix& now = m_pieces[index]->GetTransform().GetLocalMatrix();
	const float distance = std::hypot(start._41 - now._41, start._42 - now._42);
	return distance < kSnapDistance && std::fabs(TiltDegrees(start) - TiltDegrees(now)) < kSnapDegrees;
}

void cMinigameDevice::ReleasePiece()
{
	const size_t index = size_t(m_held);
	m_held = -1;
	cSceneObject* piece = m_pieces[index];
	SetColor(piece, kLoose);
	if (!FitsItsPlace(index))
		return;
	piece->GetTransform().SetLocalMatrix(m_starts[index]);
	SetColor(piece, kInPlace);
	m_connected[index] = true;
	PlaySound(kConnect, false, true);
	if (std::find(m_connected.begin(), m_connected.end(), false) == m_connected.end())
		Solve();
}
