#include "game/scenario/sEventContext.h"

sEventContext& GetEventContext()
{
	static sEventContext context;
	return context;
}

void ResetEventContext()
{
	GetEventContext() = sEventContext();
}
