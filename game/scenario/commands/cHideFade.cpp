#include "game/scenario/commands/cHideFade.h"

#include "game/location/cLocationForm.h"

void cHideFade::Execute()
{
	ClearWaitList();
	ApplyToNamed(__FILE__, __LINE__);
}

void cHideFade::Apply(cSceneObject& object)
{
	cLocationForm* form = GetForm();
	if (form && object.IsVisible())
		form->FadeObject(&object, false);
}
