#include "engine/widgets/WidgetTypes.h"

#include "engine/scene/cSceneManager.h"
#include "engine/widgets/cButton.h"
#include "engine/widgets/cButtonText.h"
#include "engine/widgets/cCheckBox.h"
#include "engine/widgets/cEditBox.h"
#include "engine/widgets/cFlash.h"
#include "engine/widgets/cGeometry.h"
#include "engine/widgets/cMenuItem.h"
#include "engine/widgets/cRadioButton.h"
#include "engine/widgets/cSlider.h"
#include "engine/widgets/cWater2d.h"

namespace
{
void SetWidgetCreators(cSceneManager& scene)
{
	scene.SetObjectTypeCreator("geometry", &cGeometry::Create);
	scene.SetObjectTypeCreator("button", &cButton::Create);
	scene.SetObjectTypeCreator("flash", &cFlash::Create);
	scene.SetObjectTypeCreator("slider", &cSlider::Create);
	scene.SetObjectTypeCreator("checkbox", &cCheckBox::Create);
	scene.SetObjectTypeCreator("editbox", &cEditBox::Create);
	scene.SetObjectTypeCreator("button_text", &cButtonText::Create);
	scene.SetObjectTypeCreator("menu_item", &cMenuItem::Create);
	scene.SetObjectTypeCreator("radio", &cRadioButton::Create);
	scene.SetObjectTypeCreator("water2d", &cWater2d::Create);
}
}

void RegisterWidgetTypes()
{
	cSceneManager::AddObjectTypes(&SetWidgetCreators);
}
