#include "game/screens/cComicsWindow.h"

#include "engine/foundation/Clamp.h"
#include "engine/input/cInputManager.h"
#include "engine/scene/cTextObject.h"
#include "engine/windows/GlobalDialogs.h"
#include "game/screens/ScreenPlacement.h"

#include <cstdlib>

namespace
{
const float kPromptFade = 0.8f;
const float kDepth = -1100;
const int kSortKey = 40;
}

cComicsWindow::cComicsWindow(const std::string& sceneName, cSceneObject* parent) : cGameWaitDialog(sceneName, parent)
{
	BuildScreenScene(sceneName, *this);
	cSceneObject* root = GetChildList().FindChild("root");
	m_pressKeyText = new cTextObject("press_key", root ? root : this);
	cPropertyBag& text = m_pressKeyText->GetProperties();
	text.SetProperty("alignment", "cb");
	text.SetProperty("font_id", "22");
	text.SetProperty("text_id", "press_any_key");
	cMatrix placement;
	m_pressKeyText->GetTransform().SetWorldMatrix(placement.MakeTranslation(cVector3d(0, 10, -500)));
	const int parts = root ? std::atoi(root->GetProperties().GetProperty("parts").c_str()) : 1;
	m_partLength = GetMotions().GetLengthByName("show") / float(parts < 1 ? 1 : parts);
	SetSortKey(kSortKey);
}

void cComicsWindow::Show()
{
	HideGlobalDialogs();
	cGameWaitDialog::Show();
	m_pressKeyText->GetTransform().SetColor(1, 1, 1, 0);
	m_startPending = true;
	m_promptShown = false;
	PlaceAtDepth(*this, kDepth);
}

void cComicsWindow::Update(float dt)
{
	cGameWindow::Update(dt);
	if (!IsWaiting() && GetState() == kWorking)
		Hide();
	if (m_startPending && GetState() == kWorking)
	{
		m_startPending = false;
		PlayClips(*this, "show");
	}
	else if (m_promptShown)
	{
		m_promptCountdown -= dt;
		m_pressKeyText->GetTransform().SetColor(1, 1, 1, 1 - Clamp(m_promptCountdown / kPromptFade, 0, 1));
	}
	else if (!IsBusy())
	{
		m_promptShown = true;
		m_promptCountdown = kPromptFade;
	}
}

bool cComicsWindow::HandleInput()
{
	if (Singletone<cInputManager>::GetInstance()->IsPressed(cInputManager::kMouseSlot, cInputManager::kLeftButton))
	{
		if (m_promptShown)
			SetWaiting(false);
		else
			SkipToPartEnd();
	}
	return false;
}

void cComicsWindow::SkipToPartEnd()
{
	// Without a "show" clip there are no parts to skip through.
	if (m_partLength <= 0)
		return;
	const int part = int(GetMotions().GetTime() / m_partLength) + 1;
	GetMotions().SeekByName("show", float(part) * m_partLength);
}
