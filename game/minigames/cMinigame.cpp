#include "game/minigames/cMinigame.h"

#include "engine/graphics/cGraphics.h"
#include "engine/input/cInputManager.h"
#include "engine/scene/cCameraObject.h"
#include "engine/scene/cMotionPlayer.h"
#include "engine/scene/cSceneManager.h"
#include "engine/scene/cSceneResource.h"
#include "engine/sound/cSoundRegistry.h"
#include "engine/sound/cSoundResource.h"
#include "engine/sound/cSoundStream.h"
#include "game/minigames/MinigameEffect.h"
#include "game/minigames/MinigameMouse.h"
#include "game/panel/cGamePanel.h"
#include "game/play/cDialogManager.h"
#include "game/play/cProfileManager.h"
#include "platform/dinput/DInputKeys.h"

#include <algorithm>

namespace
{
const char* const kVictory = "victory";
const char* const kFill = "fill";
// Seconds after showing during which outside clicks are ignored.
constexpr float kInputDelay = 0.4f;
// The frame lies this far in front of the puzzle.
constexpr float kBorderDepth = -1000.0f;
constexpr int kBorderSortKey = 10;

bool IsDialogueActive()
{
	return cDialogManager::Get() && cDialogManager::Get()->IsActive();
}

// The cheat key went down in this frame while cheat mode is on.
bool IsCheatPressed()
{
	return cProfileManager::Exists() && cProfileManager::GetInstance()->IsCheatMode() && cInputManager::Exists() &&
		cInputManager::GetInstance()->IsPressed(cInputManager::kKeyboardSlot, DIK_F3);
}
}

cMinigame::cMinigame(const std::string& name, cSceneObject* parent)
	: cGameWindow(name, parent, false), m_camera(new cCameraObject("camera", this))
{
	cMatrix placement;
	placement.MakeTranslation(cVector3d(0, 0, -1500));
	placement.LookAt(cVector3d(0, 0, 0));
	m_camera->GetCamera().SetOrtho(0, 0, 1024, 768, 1, 2000);
	m_camera->GetCamera().SetTransform(placement);

	cSceneResource::BuildInto(name, *this);
	BindChildEvent("border/close", "on_click", tEvent(MakeMemberDelegate(this, &cMinigame::OnClose)));
	BindChildEvent("border/skip", "on_click", tEvent(MakeMemberDelegate(this, &cMinigame::Skip)));

	m_border = GetChildList().FindChild("border");
	if (m_border)
	{
		m_border->SetSortKey(kBorderSortKey);
		cMatrix local = m_border->GetTransform().GetLocalMatrix();
		local._43 = kBorderDepth;
		m_border->GetTransform().SetLocalMatrix(local);
		m_closeButton = m_border->GetChildList().FindChild("close");
		cTransformNode& transform = m_border->GetTransform();
		if (transform.IsWorldBoxDirty())
			transform.UpdateWorldBox();
		m_windowBox = transform.GetWorldBox();
		m_windowBox.min.z = 0;
		m_windowBox.max.z = 1;
	}
	else if (cGraphics::Exists())
		m_windowBox = cGraphics::GetInstance()->GetViewportBox();

	MapSound(kVictory, kVictory);
	if (cSceneObject* description = GetChildList().FindByPath("border/description"))
		description->GetProperties().SetProperty("text_id", "minigame\\" + name);
	m_hasBorder = m_border != nullptr;
}

void cMinigame::Show()
{
	m_closing = false;
	GetTransform().SetColor(1, 1, 1, 1);
	if (cGamePanel* panel = cGamePanel::Get())
		panel->SetEnabled(false);
	m_inputDelay = kInputDelay;

	GetMotions().PlayByName("start");
	cMotionPlayer* player = GetMotions().GetPlayer();
	if (player && player->IsPlaying())
		player->Update(0);
	GetAnimations().PlayByName("start");

	m_result.clear();
	m_victoryDelay = 0;
	m_skipComplete = false;
	m_solved = false;
	SetModal(true);

	// The skip bar rests at the start of "fill" and is moved by the update.
	GetMotions().PlayByName(kFill);
	GetAnimations().PlayByName(kFill);
	GetAnimations().StopAll();
	GetMotions().StopAll();
	m_skipTime = 0;
	m_skipLength = std::max(GetMotions().GetLengthByName(kFill), GetAnimations().GetLengthByName(kFill));
	GetAnimations().SeekByName(kFill, 0);
	GetMotions().SeekByName(kFill, 0);
	SetSkipEnabled(false);

	cGameWindow::Show();
}

void cMinigame::Hide()
{
	m_closing = true;
	// A close between the solve and the end of the countdown keeps the win.
	if (m_solved)
		m_result = "win";
	if (cGamePanel* panel = cGamePanel::Get())
		panel->SetEnabled(true);
	cGameWindow* effect = GetMinigameEffect();
	if (effect && effect->IsVisible())
		effect->Hide();
	cGameWindow::Hide();
	SetModal(false);
}

void cMinigame::Update(float dt)
{
	// Back from the dialogue NeedCode started.
	if (!IsEnabled() && !IsDialogueActive())
	{
		if (cGamePanel* panel = cGamePanel::Get())
			panel->SetTooltipText(std::wstring());
		SetEnabled(true);
		SetModal(true);
	}
	cGameWindow::Update(dt);
	m_inputDelay -= dt;
	UpdateSkipBar(dt);
	if (IsCheatPressed())
	{
		m_solved = true;
		m_victoryDelay = 0;
	}
	CheckOutsideClick();
	CountDownVictory(dt);
}

void cMinigame::UpdateSkipBar(float dt)
{
	if (m_skipComplete)
		return;
	m_skipTime += dt;
	// Without a "fill" clip the bar is full at once.
	const float fraction = m_skipLength > 0 ? m_skipTime / m_skipLength : 0.0f;
	GetAnimations().SeekByName(kFill, fraction);
	GetMotions().SeekByName(kFill, m_skipTime);
	if (m_skipTime < m_skipLength)
		return;
	m_skipComplete = true;
	GetMotions().PlayByName("complete");
	GetAnimations().PlayByName("complete");
	SetSkipEnabled(true);
}

void cMinigame::CheckOutsideClick()
{
	cGamePanel* panel = cGamePanel::Get();
	if (m_inputDelay >= 0 || !IsLeftPressed() || !panel || panel->IsObjectivesShown() || !m_hasBorder ||
		panel->HitTest() || panel->IsMouseOver())
		return;
	// A solved puzzle waits for its countdown.
	if (m_solved || IsDialogueActive())
		return;
	if (m_windowBox.IntersectsSegment(cSceneManager::GetInstance()->GetPickRay()))
		return;
	if (m_closeButton && m_closeButton->HitTestVisual(m_closeButton->GetLocalPickRay()))
		return;
	Hide();
}

void cMinigame::CountDownVictory(float dt)
{
	if (!m_solved)
		return;
	m_victoryDelay -= dt;
	if (!m_closing && !IsEffectBusy() && m_victoryDelay < 0)
	{
		m_result = "win";
		Hide();
	}
}

bool cMinigame::IsEffectBusy()
{
	const cGameWindow* effect = GetMinigameEffect();
	return effect && effect->IsVisible() && effect->IsBusy();
}

void cMinigame::CollectDraw(std::vector<sDrawEntry>& queue, cCamera*& camera)
{
	cCamera* received = camera;
	// A hidden border stays out; a shown one is left out of the window's
	// own pass and queued after it.
	const bool borderShown = m_border && m_border->IsVisible();
	if (borderShown)
		m_border->SetVisible(false);
	cSceneObject::CollectDraw(queue, camera);
	camera = received;
	if (!borderShown)
		return;
	// Showing it again marks it just shown unless it was already on screen.
	m_border->SetVisible(true);
	m_border->CollectDraw(queue, camera);
}

void cMinigame::Skip(cSceneObject*)
{
	m_result = "win";
	Hide();
}

void cMinigame::OnClose(cSceneObject*)
{
	Hide();
}

void cMinigame::NeedCode(const std::string& dialog, const std::string&)
{
	if (cDialogManager* dialogs = cDialogManager::Get())
		dialogs->StartDialog(dialog, "need_code");
	SetEnabled(false);
	SetModal(false);
}

void cMinigame::Solve()
{
	if (m_solved)
		return;
	m_victoryDelay = PlaySound(kVictory, false, true);
	m_solved = true;
}

float cMinigame::PlaySound(const std::string& event, bool loop, bool restart)
{
	if (event == kVictory)
	{
		m_result = "win";
		if (cGameWindow* effect = GetMinigameEffect())
			effect->Show();
	}
	const cResourceHandle& sound = m_sounds[event];
	if (!sound)
		return 0;
	cSoundRegistry* registry = cSoundRegistry::GetInstance();
	if (!restart && registry->IsPlaying(sound))
		return 0;
	registry->Play(sound, loop);
	cSoundStream* stream = sound.Get<cSoundResource>()->GetSoundStream();
	return stream ? stream->GetLength() : 0;
}

void cMinigame::FadeOutSound(const std::string& event, float seconds)
{
	const cResourceHandle& sound = m_sounds[event];
	if (sound)
		cSoundRegistry::GetInstance()->FadeOut(sound, seconds);
}

void cMinigame::StopSound(const std::string& event)
{
	auto found = m_sounds.find(event);
	if (found != m_sounds.end() && found->second)
		cSoundRegistry::GetInstance()->Stop(found->second);
}

bool cMinigame::IsSoundPlaying(const std::string& event) const
{
	auto found = m_sounds.find(event);
	return found != m_sounds.end() && found->second && cSoundRegistry::GetInstance()->Contains(found->second);
}

void cMinigame::MapSound(const std::string& event, const std::string& sound)
{
	m_sounds[event].BindByName<cSoundResource>(sound.c_str());
}

void cMinigame::SetSkipEnabled(bool enabled)
{
	if (cSceneObject* skip = GetChildList().FindByPath("border/skip"))
		skip->SetEnabled(enabled);
}
