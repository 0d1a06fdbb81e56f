#include "game/scenario/commands/cShowFade.h"

#include "game/location/cLocationForm.h"

void cShowFade::Execute()
{
	ClearWaitList();
	ApplyToNamed(__FILE__, __LINE__);
}

void cShowFade::Apply(cSceneObject& object)
{
	cLocationForm* form = GetForm();
	if (form && !object.IsVisible())
		form->FadeObject(&object, true);
}
