#include "game/play/cGameApplication.h"

#include "engine/graphics/cGraphics.h"

bool cGameApplication::CanRun()
{
	IDirect3DDevice9* device = cGraphics::GetDevice();
	return device && device->TestCooperativeLevel() >= 0;
}

bool cGameApplication::Update(float)
{
	return true;
}

void cGameApplication::Render()
{
	cGraphics* graphics = Singletone<cGraphics>::GetInstance();
	graphics->BeginScene();
	graphics->EndScene();
}
