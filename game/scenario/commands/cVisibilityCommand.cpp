#include "game/scenario/commands/cVisibilityCommand.h"

#include "game/location/cLocationForm.h"

void cVisibilityCommand::ApplyToNamed(const char* file, int line)
{
	VisitNamedObjects(
		[this](cSceneObject& object) {
			Apply(object);
			return true;
		},
		file, line);
}

void cVisibilityCommand::ApplyToOthers()
{
	for (cSceneObject* object : GetPickableObjectsNotNamed())
		Apply(*object);
}

void cVisibilityCommand::ClearWaitList()
{
	if (cLocationForm* form = GetForm())
		form->GetWaitList().Clear();
}
