#include "game/minigames/cMinigameFan.h"

#include "engine/foundation/Clamp.h"
#include "engine/scene/cSceneManager.h"
#include "engine/sound/cSoundRegistry.h"
#include "engine/sound/cSoundResource.h"
#include "game/minigames/MinigameMouse.h"
#include "game/minigames/MinigameParts.h"

namespace
{
const cOrientedBox& FlatBox(cSceneObject& object)
{
	// Placing an object by its world matrix does not mark its boxes, so
	// the flat box is rebuilt each time it is asked for.
	object.GetTransform().UpdateOrientedBox(true);
	return object.GetTransform().GetOrientedBox();
}

bool RayCrosses(const cBoundingBox& box)
{
	return box.IntersectsSegment(cSceneManager::GetInstance()->GetPickRay());
}
}

cMinigameFan::cMinigameFan(const std::string& name, cSceneObject* parent)
	: cMinigame(name, parent), m_magnet(FindRequiredChild(*this, "magnit")), m_key(FindRequiredChild(*this, "key_parent"))
{
	UpdateTransforms(false, false);
	for (cSceneObject* child : GetChildList().GetChildren())
		child->GetChildList().CollectNumberedChildren(m_obstacles, "col_", 1);
	GetChildList().CollectNumberedChildren(m_obstacles, "col_", 4);
	if (m_magnet)
		m_startMatrix = m_magnet->GetTransform().GetLocalMatrix();
	m_fieldBox = ClipToChild(*this, "back");
	MapSound("error", "error");
	MapSound("vents", "vents");
	m_vents.BindByName<cSoundResource>("vents");
}

void cMinigameFan::Show()
{
	cMinigame::Show();
	m_dragging = false;
	m_returning = false;
	if (m_vents)
		cSoundRegistry::GetInstance()->Play(m_vents, true);
}

void cMinigameFan::Hide()
{
	cMinigame::Hide();
	if (m_magnet)
		m_magnet->GetTransform().SetLocalMatrix(m_startMatrix);
	if (m_vents)
		cSoundRegistry::GetInstance()->Stop(m_vents);
}

void cMinigameFan::StartReturn()
{
	m_dragging = false;
	m_returning = true;
	m_returnTimer = kReturnSeconds;
	m_returnOffset = m_magnet->GetTransform().GetLocalMatrix().GetTranslation() - m_startMatrix.GetTranslation();
}

bool cMinigameFan::HandleInput()
{
	if (!m_magnet || (m_solved && !m_returning))
		return false;
	if (m_dragging && !RayCrosses(m_windowBox))
		StartReturn();
	else if (IsLeftPressed())
		m_dragging = IsPointedAt(*m_magnet);
	else if (m_dragging)
	{
		if (!RayCrosses(m_fieldBox))
		{
			m_dragging = false;
			m_magnet->GetTransform().SetLocalMatrix(m_startMatrix);
		}
		else if (IsLeftDown())
			Drag();
		else
			StartReturn();
	}
	return false;
}

void cMinigameFan::Drag()
{
	cMatrix world = m_magnet->GetTransform().GetWorldMatrix();
	const cVector3d cursor = PickOrigin();
	world._41 = cursor.x;
	world._42 = cursor.y;
	m_magnet->GetTransform().SetWorldMatrix(world);
	for (cSceneObject* obstacle : m_obstacles)
	{
		if (!Touches(obstacle))
			continue;
		StartReturn();
		PlaySound("error", false, true);
		return;
	}
	if (!Touches(m_key))
		return;
	GetMotions().PlayByName("key");
	GetAnimations().PlayByName("key");
	Solve();
}

bool cMinigameFan::Touches(cSceneObject* other)
{
	return other && FlatBox(*m_magnet).Intersects(FlatBox(*other));
}

void cMinigameFan::Update(float dt)
{
	cMinigame::Update(dt);
	if (!m_returning || !m_magnet)
		return;
	m_returnTimer -= dt;
	cMatrix matrix = m_startMatrix;
	if (m_returnTimer > 0)
		matrix.SetTranslation(
			m_startMatrix.GetTranslation() + m_returnOffset * Clamp(m_returnTimer / kReturnSeconds, 0.0f, 1.0f));
	else
		m_returning = false;
	m_magnet->GetTransform().SetLocalMatrix(matrix);
}
