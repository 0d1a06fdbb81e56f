#include "game/screens/cHelpManager.h"

#include "engine/input/cInputManager.h"
#include "engine/scene/cSceneManager.h"
#include "engine/scene/cVisual.h"
#include "game/play/cPlayerProgress.h"
#include "game/screens/ScreenPlacement.h"

namespace
{
const float kClickDelay = 0.3f;
const float kLowestAlpha = 0.4f;
const float kDialogDepth = -1000;
const int kSortKey = 100;
}

cHelpManager::cHelpManager(cSceneObject* parent) : cGameWindow("help_manager", parent, true)
{
	m_helpDialog = new cGameDialog("help", this, false);
	BuildScreenScene("window_help", *m_helpDialog);
	for (const char* key : { "d", "lt", "rt" })
		m_arrows[key] = m_helpDialog->GetChildList().FindByPath(std::string("arrow_") + key);
	s_instance = this;
}

cHelpManager::~cHelpManager()
{
	if (s_instance == this)
		s_instance = nullptr;
}

cSceneObject* cHelpManager::GetArrow(const std::string& key) const
{
	auto arrow = m_arrows.find(key);
	return arrow == m_arrows.end() ? nullptr : arrow->second;
}

void cHelpManager::Show()
{
	m_passThrough = false;
	m_helpDialog->SetVisible(false);
	cGameWindow::Show();
	m_active = false;
}

void cHelpManager::Hide()
{
	// A hint left up would keep pulsing an object of a location that may
	// be gone by the next showing.
	if (m_active)
		m_helpDialog->Hide();
	ReleaseTarget();
	m_active = false;
	SetModal(false);
	cGameWindow::Hide();
}

void cHelpManager::ReleaseTarget()
{
	if (m_target)
		m_target->GetTransform().SetColor(1, 1, 1, 1);
	m_target = nullptr;
}

void cHelpManager::ShowHint(const std::string& arrowKey, const std::string& hintKey, cSceneObject* object,
	cSceneObject* target)
{
	if (!hintKey.empty() && g_currentProgress)
	{
		auto shown = g_currentProgress->hintsShown.find(hintKey);
		if (shown != g_currentProgress->hintsShown.end() && shown->second)
			return;
	}
	m_clickCountdown = kClickDelay;
	m_hintKey = hintKey;
	m_target = target;
	for (auto& [key, arrow] : m_arrows)
		if (arrow)
			arrow->SetVisible(false);
	if (object)
	{
		for (cSceneObject* child : object->GetChildList().GetChildren())
			child->GetProperties().SetProperty("light", "true");
		if (cSceneObject* arrow = GetArrow(arrowKey))
		{
			arrow->SetVisible(true);
			arrow->SetSortKey(kSortKey);
		}
		const cMatrix& world = object->GetTransform().GetWorldMatrix();
		cMatrix placement;
		m_helpDialog->GetTransform().SetWorldMatrix(placement.MakeTranslation(cVector3d(world._41, world._42, kDialogDepth)));
	}
	m_helpDialog->SetSortKey(kSortKey);
	m_helpDialog->Show();
	SetModal(true);
	m_active = true;
}

void cHelpManager::Update(float dt)
{
	cGameWindow::Update(dt);
	m_clickCountdown -= dt;
	if (!m_target)
		return;
	const sColor& colour = m_target->GetTransform().GetLocalColor();
	float alpha = colour.a;
	if (m_rising)
	{
		alpha += dt;
		if (alpha >= 1)
		{
			alpha = 1;
			m_rising = false;
		}
	}
	else
	{
		alpha -= dt;
		if (alpha <= kLowestAlpha)
		{
			alpha = kLowestAlpha;
			m_rising = true;
		}
	}
	m_target->GetTransform().SetColor(colour.r, colour.g, colour.b, alpha);
}

bool cHelpManager::HandleInput()
{
	if (m_clickCountdown >= 0 || !m_active ||
		!Singletone<cInputManager>::GetInstance()->IsPressed(cInputManager::kMouseSlot, cInputManager::kLeftButton))
		return false;
	if (m_target && !(m_target->GetVisual() && m_target->GetVisual()->HitTest(m_target->GetLocalPickRay())))
		return false;
	m_active = false;
	if (g_currentProgress)
		g_currentProgress->hintsShown[m_hintKey] = true;
	SetModal(false);
	m_helpDialog->Hide();
	if (m_target)
	{
		m_target->DispatchInput(true);
		ReleaseTarget();
	}
	// The click goes on to the scene: once while the location sees it as
	// the hint's click, once as an ordinary one.
	cSceneManager* scene = Singletone<cSceneManager>::GetInstance();
	m_passThrough = true;
	scene->DispatchInput();
	scene->Update(0);
	m_passThrough = false;
	scene->DispatchInput();
	scene->Update(0);
	return false;
}
