#include "engine/windows/cGameLogoWindow.h"

#include "engine/foundation/Clamp.h"
#include "engine/input/cInputManager.h"
#include "engine/scene/cSceneResource.h"
#include "engine/windows/GlobalDialogs.h"

#include <algorithm>

namespace
{
const char* const kLogoEnd = "logo_end";

float LargestTime(cSceneObject& object)
{
	return std::max(object.GetAnimations().GetTime(), object.GetMotions().GetTime());
}

float LargestLength(cSceneObject& object)
{
	return std::max(object.GetAnimations().GetLength(), object.GetMotions().GetLength());
}
}

cGameLogoWindow::cGameLogoWindow(const std::string& sceneName, cGameWindow* next)
	: cGameWindow(sceneName, nullptr, true), m_next(next)
{
	cSceneResource::BuildInto(sceneName, *this);
	if (m_next)
		m_next->GetProperties().SetProperty(kLogoEnd, "false");
	cMatrix local;
	local.MakeTranslation(cVector3d(0, 0, -1000));
	GetTransform().SetLocalMatrix(local);
}

void cGameLogoWindow::Update(float dt)
{
	cGameWindow::Update(dt);
	m_countdown -= dt;
}

bool cGameLogoWindow::HandleInput()
{
	const int state = GetState();
	if (m_countdown < 0 && state != kDisappear && state != kClosed &&
		Singletone<cInputManager>::GetInstance()->IsPressed(cInputManager::kMouseSlot, cInputManager::kLeftButton))
		Skip();
	return false;
}

void cGameLogoWindow::Skip()
{
	const float time = LargestTime(*this);
	const float length = LargestLength(*this);
	Hide();
	// Nothing with a length played: the disappear starts from its
	// beginning, as after a plain Hide. A time past the length (a longer
	// clip that has finished) counts as the end.
	const float fraction = length > 0 ? Clamp(1.0f - time / length, 0.0f, 1.0f) : 0.0f;
	GetAnimations().Seek(fraction);
	GetMotions().SeekByName("disappear", LargestLength(*this) * fraction);
}

void cGameLogoWindow::EnterState(int state)
{
	cGameWindow::EnterState(state);
	if (state == kWorking && GetChildList().GetChildren().empty())
		Hide();
	else if (state == kDisappear && m_next)
		m_next->Show();
	else if (state == kClosed)
	{
		if (m_next)
			m_next->GetProperties().SetProperty(kLogoEnd, "true");
		HideGlobalDialogs();
	}
}
