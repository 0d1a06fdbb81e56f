#include "app/GameMain.h"

int GameMain(const sStartupParams*)
{
	return 0;
}
