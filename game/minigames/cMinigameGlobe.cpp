#include "game/minigames/cMinigameGlobe.h"

#include "engine/foundation/Clamp.h"
#include "engine/foundation/Random.h"
#include "engine/foundation/cLog.h"
#include "engine/foundation/cOrientedBox.h"
#include "engine/input/cInputManager.h"
#include "engine/scene/cCameraObject.h"
#include "game/minigames/MinigameMouse.h"
#include "game/minigames/MinigameParts.h"

#include <cmath>
#include <string>

namespace
{
const char* const kTop = "glob_stoika/south_bottom/sever_top";
const char* const kAnimalNames[cMinigameGlobe::kAnimals] = {
	"withe_house", "eagle", "octopus", "alifant", "bear", "tiger", "camel", "shark"};
const char* const kSignNames[4] = {"table_sprut", "table_alifant", "table_tiger", "table_shark"};
const char* const kGlobeClip = "globroot1";
const char* const kRulerClip = "rule_on";
// Cursor units per second of the globe's and the ruler's clips.
constexpr float kGlobeDrag = 300;
constexpr float kRulerDrag = 200;
// A ruler step smaller than this is taken as no step.
constexpr float kRulerDeadZone = 0.001f;
// The frame lies in front of the ruler and nail.
constexpr float kBorderDepth = -1100.0f;

// The pinning sequence: per stage the target animal, the sign that fades
// in and the one that fades out (-1 none), and the next target.
const struct
{
	int target;
	int fadeOn;
	int fadeOff;
	int next;
} kStageRows[cMinigameGlobe::kStages] = {{0, 0, -1, 2}, {2, 1, 0, 3}, {3, 2, 1, 5}, {5, 3, 2, 7}, {7, -1, 3, -1}};

// A clip length from the scene; one that is negative or not finite counts
// as none.
float UsableLength(float length, const char* clip)
{
	if (std::isfinite(length) && length >= 0)
		return length;
	LOG(2, "globe: the clip \"%s\" has no usable length", clip);
	return 0;
}

cOrientedBox WorldBoxOf(cSceneObject& object)
{
	cOrientedBox box;
	box.InitFromBox(object.GetTransform().GetLocalBox());
	box.SetMatrix(object.GetTransform().GetWorldMatrix());
	return box;
}
}

cMinigameGlobe::cMinigameGlobe(cSceneObject* parent)
	: cMinigame("globe", parent), m_ruler(FindPart("glob_stoika/ruller")), m_nail(FindPart("glob_stoika/ruller/nail")),
	  m_top(FindPart(kTop)), m_globe(FindPart("glob_stoika/south_bottom"))
{
	for (int sign = 0; sign < 4; ++sign)
		m_signs[sign] = FindPart(kSignNames[sign]);
	for (int animal = 0; animal < kAnimals; ++animal)
	{
		m_animals[animal] = FindPart(std::string(kTop) + "/" + kAnimalNames[animal]);
		if (m_animals[animal])
			m_animals[animal]->SetSortKey(1);
	}
	if (m_globe)
		m_globeLength = UsableLength(m_globe->GetMotions().GetLengthByName(kGlobeClip), kGlobeClip);
	if (m_ruler)
		m_rulerLength = UsableLength(m_ruler->GetMotions().GetLengthByName(kRulerClip), kRulerClip);

	if (cSceneObject* background = FindPart("background"))
	{
		UpdateTransforms(true, true);
		ClipCameraTo(*this, *background);
	}
	for (const char* event : {"button_click", "roll", "keys"})
		MapSound(event, event);
	if (cSceneObject* border = GetBorder())
	{
		cMatrix local = border->GetTransform().GetLocalMatrix();
		local._43 = kBorderDepth;
		border->GetTransform().SetLocalMatrix(local);
	}
}

cSceneObject* cMinigameGlobe::FindPart(const std::string& path)
{
	cSceneObject* part = GetChildList().FindByPath(path);
	if (!part)
		LOG(2, "globe: no \"%s\" in the scene", path.c_str());
	return part;
}

void cMinigameGlobe::Show()
{
	cMinigame::Show();
	m_opened = false;
	m_stage = 0;
	GetMotions().SetLoopByName(kGlobeClip, true);
	GetAnimations().SetLoopByName(kGlobeClip, true);
	GetMotions().PlayByName(kRulerClip);
	GetMotions().PlayByName(kGlobeClip);
	GetMotions().StopAll();
	m_globeTime = m_globeLength > 0 ? RandomFloat() * m_globeLength : 0;
	m_rulerTime = 0;
	m_dragged = kNothing;
	GetMotions().SeekByName(kGlobeClip, m_globeTime);
	GetMotions().SeekByName(kRulerClip, 0);
	m_target = 0;
	m_done = false;
}

bool cMinigameGlobe::HandleInput()
{
	if (m_solved || m_done || IsBusy())
	{
		m_dragged = kNothing;
		return false;
	}
	if (IsLeftPressed())
	{
		if (m_nail && IsPointedAt(*m_nail))
			Strike();
		if (m_ruler && IsPointedAt(*m_ruler))
			m_dragged = kRuler;
		else if (m_top && IsPointedAt(*m_top))
			m_dragged = kGlobeTop;
		else
			return false;
		m_lastCursor = cInputManager::GetInstance()->GetCursorPosition();
	}
	else if (!IsLeftDown())
		m_dragged = kNothing;
	else if (m_dragged != kNothing)
		Drag();
	return false;
}

void cMinigameGlobe::Strike()
{
	PlaySound("button_click", false, true);
	if (NailOverTarget())
		RunStage();
	m_nail->GetMotions().PlayByName(m_done ? "nail_hit" : "nail_miss");
}

bool cMinigameGlobe::NailOverTarget()
{
	cSceneObject* target = m_target >= 0 && m_target < kAnimals ? m_animals[m_target] : nullptr;
	return target && WorldBoxOf(*m_nail).Intersects(WorldBoxOf(*target));
}

void cMinigameGlobe::RunStage()
{
	if (m_stage >= kStages)
		return;
	const auto& row = kStageRows[m_stage];
	if (row.next >= 0)
		PlaySound("roll", false, true);
	PlaySign(row.fadeOn, "fade_on");
	PlaySign(row.fadeOff, "fade_off");
	if (row.next >= 0)
		m_target = row.next;
	else
		m_done = true;
	++m_stage;
}

void cMinigameGlobe::PlaySign(int sign, const char* clip)
{
	if (sign >= 0 && m_signs[sign])
		m_signs[sign]->GetMotions().PlayByName(clip);
}

void cMinigameGlobe::Drag()
{
	const cVector3d cursor = cInputManager::GetInstance()->GetCursorPosition();
	if (m_dragged == kGlobeTop)
	{
		m_globeTime += (cursor.x - m_lastCursor.x) / kGlobeDrag;
		// A globe without a turning clip stays where it is.
		if (m_globeLength <= 0)
			m_globeTime = 0;
		else if (m_globeTime > m_globeLength)
			m_globeTime = std::fmod(m_globeTime, m_globeLength);
		else if (m_globeTime < 0)
			m_globeTime = m_globeLength - std::fmod(-m_globeTime, m_globeLength);
		if (m_globe)
			m_globe->GetMotions().SeekByName(kGlobeClip, m_globeTime);
	}
	else
	{
		float step = (cursor.y - m_lastCursor.y) / kRulerDrag;
		if (std::fabs(step) < kRulerDeadZone)
			step = 0;
		m_rulerTime = Clamp(m_rulerTime + step, 0.0f, m_rulerLength);
		m_ruler->GetMotions().SeekByName(kRulerClip, m_rulerTime);
	}
	m_lastCursor = cursor;
}

void cMinigameGlobe::Update(float dt)
{
	cMinigame::Update(dt);
	if (m_solved || !m_done || IsBusy())
		return;
	if (!m_opened)
	{
		m_opened = true;
		GetMotions().PlayByName("globopen");
		PlaySound("keys", false, true);
	}
	else
		Solve();
}
