#include "game/play/GameObjectTypes.h"

#include "engine/scene/cSceneManager.h"
#include "engine/widgets/WidgetTypes.h"
#include "game/play/cCharacter.h"
#include "game/play/cInventory.h"
#include "game/play/cLightObject.h"

namespace
{
void LightType(cSceneManager& scene)
{
	scene.RegisterObjectType("light", &CreateLightObject);
}

void InventoryType(cSceneManager& scene)
{
	scene.RegisterObjectType("inventory", &CreateInventoryObject);
}

void CharacterType(cSceneManager& scene)
{
	scene.RegisterObjectType("character", &CreateCharacterObject);
}
}

void RegisterLightType()
{
	cSceneManager::AddObjectTypes(&LightType);
}

void RegisterInventoryType()
{
	cSceneManager::AddObjectTypes(&InventoryType);
}

void RegisterCharacterType()
{
	cSceneManager::AddObjectTypes(&CharacterType);
}

void RegisterGameObjectTypes()
{
	RegisterWidgetTypes();
	RegisterLightType();
	RegisterInventoryType();
	RegisterCharacterType();
}
