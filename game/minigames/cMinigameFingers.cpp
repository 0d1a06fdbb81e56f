#include "game/minigames/cMinigameFingers.h"

#include "engine/foundation/cLog.h"
#include "game/minigames/MinigameMouse.h"
#include "game/minigames/MinigameParts.h"

cMinigameFingers::cMinigameFingers(const std::string& name, cSceneObject* parent) : cMinigame(name, parent)
{
	UpdateTransforms(false, false);
	GetChildList().CollectNumberedChildren(m_marks, "red_", 1);
	GetChildList().CollectNumberedChildren(m_fingers, "finger_d", 1);
	if (m_marks.size() < m_fingers.size())
		LOG(2, "Minigame '%s' has %i marks 'red_1'... for %i fingers 'finger_d1'...: it can only be skipped or closed",
			name.c_str(), int(m_marks.size()), int(m_fingers.size()));
	m_remaining = int(m_fingers.size());
	MapSound("bip", "bip");
	MapSound("error", "error");
	ClipToChild(*this, "background");
}

void cMinigameFingers::Show()
{
	cMinigame::Show();
	for (cSceneObject* finger : m_fingers)
	{
		finger->GetTransform().SetColor(1, 1, 1, 1);
		finger->SetEnabled(true);
	}
	m_held = nullptr;
	m_remaining = int(m_fingers.size());
}

bool cMinigameFingers::HandleInput()
{
	if (m_solved)
		return false;
	if (IsLeftPressed())
	{
		if (m_held)
			Drop();
		else
			PickUp();
	}
	else if (m_held)
		Carry();
	return false;
}

void cMinigameFingers::PickUp()
{
	for (size_t index = 0; index < m_fingers.size(); ++index)
	{
		cSceneObject* finger = m_fingers[index];
		if (!finger->IsEnabled() || !IsPointedAt(*finger))
			continue;
		m_held = finger;
		m_heldIndex = index;
		m_savedMatrix = finger->GetTransform().GetWorldMatrix();
		return;
	}
}

void cMinigameFingers::Drop()
{
	cSceneObject* finger = m_held;
	m_held = nullptr;
	finger->GetTransform().SetWorldMatrix(m_savedMatrix);
	for (size_t mark = 0; mark < m_marks.size(); ++mark)
	{
		if (!IsPointedAt(*m_marks[mark]))
			continue;
		if (mark != m_heldIndex)
		{
			PlaySound("error", false, true);
			return;
		}
		--m_remaining;
		m_marks[mark]->GetMotions().PlayByName("fadeon");
		finger->SetEnabled(false);
		finger->GetTransform().SetColor(1, 1, 1, 0.3f);
		PlaySound("bip", false, true);
		return;
	}
}

void cMinigameFingers::Carry()
{
	cMatrix matrix = m_savedMatrix;
	const cVector3d cursor = PickOrigin();
	const cVector3d centre = m_held->GetTransform().GetLocalBox().GetCenter();
	matrix._41 = cursor.x - centre.x;
	matrix._42 = cursor.y - centre.y;
	m_held->GetTransform().SetWorldMatrix(matrix);
}

void cMinigameFingers::Update(float dt)
{
	cMinigame::Update(dt);
	if (!m_solved && m_remaining <= 0)
		Solve();
}
