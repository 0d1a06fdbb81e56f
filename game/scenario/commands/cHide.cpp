#include "game/scenario/commands/cHide.h"

#include "engine/scene/cSceneObject.h"

void cHide::Execute()
{
	ApplyToNamed(__FILE__, __LINE__);
}

void cHide::Apply(cSceneObject& object)
{
	object.SetVisible(false);
}
