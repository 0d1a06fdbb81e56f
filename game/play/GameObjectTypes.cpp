#include "game/play/GameObjectTypes.h"

#include "engine/scene/cSceneManager.h"
#include "game/play/cCharacter.h"
#include "game/play/cInventory.h"
#include "game/play/cLightObject.h"

void RegisterLightType()
{
	Singletone<cSceneManager>::GetInstance()->RegisterObjectType("light", &CreateLightObject);
}

void RegisterInventoryType()
{
	Singletone<cSceneManager>::GetInstance()->RegisterObjectType("inventory", &cInventory::Create);
}

void RegisterCharacterType()
{
	Singletone<cSceneManager>::GetInstance()->RegisterObjectType("character", &CreateCharacterObject);
}
