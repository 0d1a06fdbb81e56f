#include "game/screens/ScreenPlacement.h"

#include "engine/foundation/cLog.h"
#include "engine/scene/cSceneObject.h"
#include "engine/scene/cSceneResource.h"

void PlaceAtDepth(cSceneObject& object, float z)
{
	cMatrix world = object.GetTransform().GetWorldMatrix();
	world._43 = z;
	object.GetTransform().SetWorldMatrix(world);
}

bool BuildScreenScene(const std::string& sceneName, cSceneObject& window)
{
	if (cSceneResource::BuildInto(sceneName, window))
		return true;
	LOG(1, "Window '%s': scene '%s' is missing, the window stays empty\n", window.GetName().c_str(),
		sceneName.c_str());
	return false;
}

void PlayClips(cSceneObject& object, const std::string& name)
{
	object.GetMotions().PlayByName(name);
	object.GetAnimations().PlayByName(name);
}

void StopClips(cSceneObject& object, const std::string& name)
{
	object.GetMotions().StopByName(name);
	object.GetAnimations().StopByName(name);
}

bool IsPlayingClips(const cSceneObject& object, const std::string& name)
{
	auto& playing = const_cast<cSceneObject&>(object);
	return playing.GetMotions().IsPlayingByName(name) || playing.GetAnimations().IsPlayingByName(name);
}
