#include "game/play/cGameApplication.h"

#include "engine/input/cInputManager.h"

bool cGameApplication::CanRun()
{
	return true;
}

bool cGameApplication::Update(float dt)
{
	Singletone<cInputManager>::GetInstance()->Update(dt);
	return true;
}

void cGameApplication::Render()
{
}
