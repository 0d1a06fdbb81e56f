#include "game/play/cGameApplication.h"

#include "engine/graphics/cGraphics.h"
#include "engine/input/cInputManager.h"
#include "engine/sound/cSoundManager.h"
#include "engine/sound/cSoundRegistry.h"

bool cGameApplication::CanRun()
{
	IDirect3DDevice9* device = cGraphics::GetDevice();
	return device && device->TestCooperativeLevel() >= 0;
}

bool cGameApplication::Update(float dt)
{
	Singletone<cInputManager>::GetInstance()->Update(dt);
	Singletone<cSoundManager>::GetInstance()->Update(dt);
	Singletone<cSoundRegistry>::GetInstance()->Update();
	return true;
}

void cGameApplication::Render()
{
	cGraphics* graphics = Singletone<cGraphics>::GetInstance();
	graphics->BeginScene();
	graphics->EndScene();
}
