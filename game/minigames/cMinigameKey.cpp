#include "game/minigames/cMinigameKey.h"

#include "engine/foundation/Clamp.h"
#include "engine/foundation/cLog.h"
#include "game/minigames/MinigameMouse.h"
#include "game/minigames/MinigameParts.h"

#include <algorithm>

namespace
{
const char* const kRubSound = "cloth_rub";
const char* const kIndicator = "fill_ind";
// Seconds between rub passes, and the rub sound's life after a removal.
constexpr float kRubInterval = 0.04f;
constexpr float kRubSoundLife = 0.5f;
constexpr float kAlphaStep = 0.1f;
// Alphas within this of 0 count as 0: ten steps of 0.1 leave a rounding rest.
constexpr float kGone = 1e-4f;
// A key part counts as clean from this alpha down.
constexpr float kCleanAlpha = 0.4f;
// The cloth glides back at this many units a second.
constexpr float kGlideSpeed = 1000.0f;
// The cloth follows the cursor at this offset in x and y.
constexpr float kClothOffset = 10.0f;

// A piece's alpha as the latest rub left it; the effective colour follows
// at the next transform pass.
float AlphaOf(cSceneObject* piece)
{
	return piece->GetTransform().GetLocalColor().a;
}

// Inclusive overlap on every axis.
bool Overlap(const cBoundingBox& a, const cBoundingBox& b)
{
	return a.min.x <= b.max.x && b.min.x <= a.max.x && a.min.y <= b.max.y && b.min.y <= a.max.y && a.min.z <= b.max.z &&
		b.min.z <= a.max.z;
}

// The strip under the cloth that rubs: 32 units wide, 16 units above the
// cursor. It lies across the screen plane (z 0), as the flattened dirt
// does: the pick ray starts on the camera's near plane, far from it.
cBoundingBox RubBox(const cVector3d& cursor)
{
	cBoundingBox box;
	box.SetFromPoints(cVector3d(-16, 16, -1000), cVector3d(16, 16, 1000));
	cMatrix move;
	move.MakeTranslation(cVector3d(cursor.x, cursor.y, 0));
	return box.Transform(move);
}
}

cMinigameKey::cMinigameKey(const std::string& name, cSceneObject* parent)
	: cMinigame(name, parent), m_cloth(FindRequiredChild(*this, "platok"))
{
	UpdateTransforms(false, false);
	ClipToChild(*this, "background");
	if (m_cloth)
		m_startMatrix = m_cloth->GetTransform().GetWorldMatrix();
	MapSound(kRubSound, kRubSound);
	CollectPieces();
	if (m_keyParts.empty())
		LOG(2, "Minigame '%s' has no key parts (property 'key' 'true'): the first rub solves it", name.c_str());
}

void cMinigameKey::CollectPieces()
{
	m_dirt.clear();
	m_keyParts.clear();
	GetChildList().CollectNumberedChildren(m_dirt, "dirt_part_", 1);
	GetChildList().FindChildrenByProperty(m_keyParts, "key", "true");
}

void cMinigameKey::Show()
{
	GetMotions().PlayByName(kIndicator);
	GetAnimations().PlayByName(kIndicator);
	GetAnimations().StopAll();
	GetMotions().StopAll();
	cMinigame::Show();
	m_returnTimer = 0;
	m_dragging = false;
	CollectPieces();
	for (cSceneObject* piece : m_dirt)
		piece->GetTransform().SetColor(1, 1, 1, 1);
	m_rubCooldown = 0;
	m_rubSoundTimer = 0;
	m_rubSoundOn = false;
	m_progress = 0;
}

void cMinigameKey::Hide()
{
	cMinigame::Hide();
	if (!m_cloth)
		return;
	m_startMatrix._43 = m_cloth->GetTransform().GetWorldMatrix()._43;
	m_cloth->GetTransform().SetWorldMatrix(m_startMatrix);
}

bool cMinigameKey::HandleInput()
{
	if (!m_cloth || m_solved || m_returnTimer > 0)
		return false;
	if (IsLeftPressed())
		m_dragging = IsPointedAt(*m_cloth);
	else if (m_dragging && IsLeftDown())
		Drag();
	else if (m_dragging)
	{
		FadeOutSound(kRubSound, kRubSoundLife);
		StartGlideBack();
	}
	return false;
}

void cMinigameKey::Drag()
{
	cTransformNode& transform = m_cloth->GetTransform();
	const cVector3d cursor = PickOrigin();
	cMatrix matrix = transform.GetWorldMatrix();
	const cVector3d target(cursor.x + kClothOffset, cursor.y + kClothOffset, matrix._43);
	if (m_rubSoundOn && m_rubSoundTimer < 0)
	{
		m_rubSoundOn = false;
		FadeOutSound(kRubSound, kRubSoundLife);
	}
	const cVector3d current = matrix.GetTranslation();
	if (target.x == current.x && target.y == current.y)
		return;
	matrix.SetTranslation(target);
	transform.SetWorldMatrix(matrix);
	if (m_rubCooldown < 0)
		Rub(cursor);
}

void cMinigameKey::Rub(const cVector3d& cursor)
{
	const cBoundingBox rub = RubBox(cursor);
	for (auto piece = m_dirt.begin(); piece != m_dirt.end();)
	{
		cBoundingBox box = ScreenBoxOf(**piece);
		box.min.z = box.max.z = 0;
		if (!Overlap(box, rub))
		{
			++piece;
			continue;
		}
		m_rubSoundTimer = kRubSoundLife;
		if (!m_rubSoundOn)
		{
			m_rubSoundOn = true;
			PlaySound(kRubSound, true, true);
		}
		const sColor colour = (*piece)->GetTransform().GetEffectiveColor();
		const float alpha = colour.a - kAlphaStep;
		if (alpha <= kGone)
		{
			piece = m_dirt.erase(piece);
			continue;
		}
		(*piece)->GetTransform().SetColor(colour.r, colour.g, colour.b, alpha);
		++piece;
	}
	m_rubCooldown = kRubInterval;
	ShowProgress();
	const bool allClean = std::all_of(m_keyParts.begin(), m_keyParts.end(),
		[](cSceneObject* part) { return AlphaOf(part) <= kCleanAlpha; });
	if (!allClean && m_progress <= 0.98f)
		return;
	Solve();
	FadeOutSound(kRubSound, 0.3f);
	StartGlideBack();
}

void cMinigameKey::ShowProgress()
{
	// Without key parts the key counts as clean.
	float clean = 1;
	if (!m_keyParts.empty())
	{
		float sum = 0;
		for (cSceneObject* part : m_keyParts)
			sum += 1 - Clamp(AlphaOf(part) - kCleanAlpha, 0.0f, 1 - kCleanAlpha) /
					(1 - kCleanAlpha);
		clean = sum / float(m_keyParts.size());
	}
	m_progress = clean * clean;
	GetMotions().SeekByName(kIndicator, m_progress * GetMotions().GetLengthByName(kIndicator));
	GetAnimations().SeekByName(kIndicator, m_progress);
}

void cMinigameKey::StartGlideBack()
{
	m_dragging = false;
	const cMatrix& world = m_cloth->GetTransform().GetWorldMatrix();
	m_startMatrix._43 = world._43;
	m_returnOffset = m_startMatrix.GetTranslation() - world.GetTranslation();
	m_returnDuration = m_returnTimer = m_returnOffset.Length() / kGlideSpeed;
}

void cMinigameKey::Update(float dt)
{
	cMinigame::Update(dt);
	m_rubCooldown -= dt;
	m_rubSoundTimer -= dt;
	if (m_returnTimer <= 0 || !m_cloth)
		return;
	m_returnTimer -= dt;
	cMatrix matrix = m_cloth->GetTransform().GetWorldMatrix();
	if (m_returnTimer > 0)
		matrix.SetTranslation(matrix.GetTranslation() + m_returnOffset * (dt / m_returnDuration));
	else
		matrix.SetTranslation(m_startMatrix.GetTranslation());
	m_cloth->GetTransform().SetWorldMatrix(matrix);
}
