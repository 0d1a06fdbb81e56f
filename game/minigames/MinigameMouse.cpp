#include "game/minigames/MinigameMouse.h"

#include "engine/input/cInputManager.h"
#include "engine/scene/cSceneObject.h"

namespace
{
template <class Query>
bool AskLeftButton(Query query)
{
	return cInputManager::Exists() && (cInputManager::GetInstance()->*query)(cInputManager::kMouseSlot, cInputManager::kLeftButton);
}
}

bool IsLeftPressed()
{
	return AskLeftButton(&cInputManager::IsPressed);
}

bool IsLeftReleased()
{
	return AskLeftButton(&cInputManager::IsReleased);
}

bool IsLeftDown()
{
	return AskLeftButton(&cInputManager::IsDown);
}

bool IsPointedAt(cSceneObject& object)
{
	return object.HitTestVisual(object.GetLocalPickRay());
}
