#include "engine/graphics/sGraphicsDeviceState.h"

sGraphicsDeviceState& GraphicsDeviceState()
{
	// Never destroyed: device objects reach it while the singletons are
	// destroyed at process exit.
	static sGraphicsDeviceState* state = new sGraphicsDeviceState;
	return *state;
}
