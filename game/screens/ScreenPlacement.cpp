#include "game/screens/ScreenPlacement.h"

#include "engine/foundation/cLog.h"
#include "engine/scene/cSceneObject.h"
#include "engine/foundation/cAutoLock.h"
#include "engine/resources/cResourceManager.h"
#include "engine/scene/cSceneManager.h"
#include "engine/scene/cSceneResource.h"
#include "engine/windows/cGameWindow.h"

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

bool SceneExists(const std::string& sceneName)
{
	cAutoLock lock(cResourceManager::GetInstance()->GetLock());
	return !cResourceIndex::IsGone() && cResourceManager::GetTypeIndex<cSceneResource>().Find(sceneName);
}

void QueueUnderCamera(cSceneObject& window)
{
	cSceneManager* scene = cSceneManager::GetInstance();
	cAutoLock lock(scene->GetLock());
	scene->PostReparent(&window, cGameWindow::DefaultCameraObject(), cSceneManager::tCompletion());
}

bool IsTrueText(const std::string& text)
{
	return text == "1" || text == "true";
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
