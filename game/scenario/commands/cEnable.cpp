#include "game/scenario/commands/cEnable.h"

#include "engine/scene/cSceneObject.h"

void cEnable::Execute()
{
	ApplyToNamed(__FILE__, __LINE__);
}

void cEnable::Apply(cSceneObject& object)
{
	object.SetEnabled(true);
}
