#include "game/play/cGameApplication.h"

#include "engine/graphics/cGraphics.h"
#include "engine/input/cInputManager.h"
#include "engine/scene/cSceneManager.h"
#include "engine/sound/cSoundManager.h"

bool cGameApplication::CanRun()
{
	IDirect3DDevice9* device = cGraphics::GetDevice();
	return device && device->TestCooperativeLevel() >= 0;
}

bool cGameApplication::Update(float dt)
{
	Singletone<cInputManager>::GetInstance()->Update(dt);
	cSceneManager* scene = Singletone<cSceneManager>::GetInstance();
	scene->DispatchInput();
	scene->Update(dt);
	Singletone<cSoundManager>::GetInstance()->Update(dt);
	return true;
}

void cGameApplication::Render()
{
	cGraphics* graphics = Singletone<cGraphics>::GetInstance();
	graphics->BeginScene();
	Singletone<cSceneManager>::GetInstance()->Render();
	graphics->EndScene();
}
