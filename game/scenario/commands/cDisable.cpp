#include "game/scenario/commands/cDisable.h"

#include "engine/scene/cSceneObject.h"

void cDisable::Execute()
{
	ApplyToNamed(__FILE__, __LINE__);
}

void cDisable::Apply(cSceneObject& object)
{
	object.SetEnabled(false);
}
