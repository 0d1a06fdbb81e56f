#include "game/play/cGameApplication.h"

#include "engine/graphics/cGraphics.h"
#include "engine/input/cCursorManager.h"
#include "engine/input/cInputManager.h"
#include "engine/scene/cSceneManager.h"
#include "engine/sound/cSoundManager.h"
#include "engine/sound/cSoundRegistry.h"
#include "game/play/cProfileManager.h"

cGameApplication::cGameApplication() : m_overlay(1024, 768, 1, 2000, cVector3d(0, 0, 0))
{
}

bool cGameApplication::CanRun()
{
	IDirect3DDevice9* device = cGraphics::GetDevice();
	return device && device->TestCooperativeLevel() >= 0;
}

bool cGameApplication::Update(float dt)
{
	m_overlay.Update(dt);
	cInputManager* input = Singletone<cInputManager>::GetInstance();
	input->Update(dt);
	if (Singletone<cProfileManager>::GetInstance()->IsCheatMode() &&
	    input->IsPressed(cInputManager::kKeyboardSlot, DIK_F1))
		m_overlayShown = !m_overlayShown;
	cSceneManager* scene = Singletone<cSceneManager>::GetInstance();
	scene->DispatchInput();
	scene->Update(dt);
	Singletone<cCursorManager>::GetInstance()->Update(dt);
	Singletone<cSoundManager>::GetInstance()->Update(dt);
	Singletone<cSoundRegistry>::GetInstance()->Update();
	return true;
}

void cGameApplication::Render()
{
	cGraphics* graphics = Singletone<cGraphics>::GetInstance();
	graphics->BeginScene();
	Singletone<cSceneManager>::GetInstance()->Render();
	Singletone<cCursorManager>::GetInstance()->Render();
	if (m_overlayShown)
		m_overlay.Draw();
	graphics->EndScene();
}
