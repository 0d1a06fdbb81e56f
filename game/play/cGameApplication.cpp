#include "game/play/cGameApplication.h"

bool cGameApplication::CanRun()
{
	return true;
}

bool cGameApplication::Update(float)
{
	return true;
}

void cGameApplication::Render()
{
}
