#include "game/minigames/MinigameParts.h"

#include "engine/foundation/cLog.h"
#include "engine/scene/cCameraObject.h"
#include "engine/scene/cSceneManager.h"
#include "game/minigames/cMinigame.h"

cSceneObject* FindRequiredChild(cSceneObject& window, const std::string& name)
{
	cSceneObject* found = window.GetChildList().FindChild(name);
	if (!found)
		LOG(2, "Minigame '%s' has no object '%s'", window.GetName().c_str(), name.c_str());
	return found;
}

cBoundingBox ScreenBoxOf(cSceneObject& object)
{
	cTransformNode& transform = object.GetTransform();
	transform.UpdateWorldBox();
	cBoundingBox box = transform.GetWorldBox();
	box.min.z = 0;
	box.max.z = 1;
	return box;
}

cBoundingBox ClipToChild(cMinigame& game, const std::string& name)
{
	cSceneObject* child = game.GetChildList().FindChild(name);
	return child ? ClipCameraTo(game, *child) : cBoundingBox();
}

cBoundingBox ClipCameraTo(cMinigame& game, cSceneObject& object)
{
	const cBoundingBox box = ScreenBoxOf(object);
	game.GetCamera()->GetCamera().SetClipBox(true, box);
	return box;
}

cVector3d PickOrigin()
{
	return cSceneManager::GetInstance()->GetPickRay().origin;
}
