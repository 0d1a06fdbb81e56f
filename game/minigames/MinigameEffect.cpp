#include "game/minigames/MinigameEffect.h"

#include "engine/foundation/cAutoLock.h"
#include "engine/foundation/cLog.h"
#include "engine/scene/cSceneManager.h"
#include "engine/scene/cSceneResource.h"
#include "engine/windows/cGameWindow.h"

#include <atomic>

namespace
{
// Written by the loader thread, read on the main thread. Kept as a scene
// object: the deletion event comes when only that part of it is left.
std::atomic<cSceneObject*> g_effect { nullptr };

constexpr int kEffectSortKey = 100;

void ForgetEffect(cSceneObject* effect)
{
	g_effect.compare_exchange_strong(effect, nullptr);
}
}

void CreateMinigameEffect()
{
	if (g_effect.load(std::memory_order_acquire))
		return;
	auto* effect = new cGameWindow("special_effect", nullptr, false);
	if (!cSceneResource::BuildInto("minigame_effect", *effect))
		LOG(1, "minigame effect: scene \"minigame_effect\" is missing, the overlay stays empty");
	cMatrix placement;
	placement.MakeTranslation(cVector3d(394, 384, -1700));
	effect->GetTransform().SetWorldMatrix(placement);
	effect->SetSortKey(kEffectSortKey);
	effect->BindEvent("on_delete", cSceneObject::tEvent(MakeFunctionDelegate(&ForgetEffect)));
	cSceneManager* scene = cSceneManager::GetInstance();
	cAutoLock lock(scene->GetLock());
	scene->PostReparent(effect, scene->GetRoot(), cSceneManager::tCompletion());
	g_effect.store(static_cast<cSceneObject*>(effect), std::memory_order_release);
}

cGameWindow* GetMinigameEffect()
{
	return static_cast<cGameWindow*>(g_effect.load(std::memory_order_acquire));
}
