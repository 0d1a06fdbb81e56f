#include "game/play/GameObjectTypes.h"

#include "engine/scene/cSceneManager.h"
#include "game/play/cCharacter.h"
#include "game/play/cLightObject.h"

void RegisterLightType()
{
	Singletone<cSceneManager>::GetInstance()->RegisterObjectType("light", &CreateLightObject);
}

void RegisterCharacterType()
{
	Singletone<cSceneManager>::GetInstance()->RegisterObjectType("character", &CreateCharacterObject);
}
