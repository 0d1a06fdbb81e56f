#include "game/play/cGameApplication.h"

#include "engine/graphics/cGraphics.h"
#include "engine/input/cCursorManager.h"
#include "engine/input/cInputManager.h"
#include "engine/sound/cSoundManager.h"

bool cGameApplication::CanRun()
{
	IDirect3DDevice9* device = cGraphics::GetDevice();
	return device && device->TestCooperativeLevel() >= 0;
}

bool cGameApplication::Update(float dt)
{
	Singletone<cInputManager>::GetInstance()->Update(dt);
	Singletone<cCursorManager>::GetInstance()->Update(dt);
	Singletone<cSoundManager>::GetInstance()->Update(dt);
	return true;
}

void cGameApplication::Render()
{
	cGraphics* graphics = Singletone<cGraphics>::GetInstance();
	graphics->BeginScene();
	Singletone<cCursorManager>::GetInstance()->Render();
	graphics->EndScene();
}
