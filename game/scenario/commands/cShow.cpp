#include "game/scenario/commands/cShow.h"

#include "engine/scene/cSceneObject.h"

void cShow::Execute()
{
	ApplyToNamed(__FILE__, __LINE__);
}

void cShow::ShowObject(cSceneObject& object)
{
	cPropertyBag& properties = object.GetProperties();
	const bool shown = properties.IsVisible() || properties.IsEffectiveVisible();
	properties.SetVisible(true);
	if (shown)
		properties.ClearJustShown();
}

void cShow::Apply(cSceneObject& object)
{
	ShowObject(object);
	const sColor colour = object.GetTransform().GetEffectiveColor();
	object.GetTransform().SetColor(colour.r, colour.g, colour.b, 1.0f);
}
