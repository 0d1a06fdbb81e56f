#include "game/location/cLocationLoaderThread.h"

#include "engine/foundation/cLog.h"
#include "engine/input/cCursorManager.h"
#include "engine/scene/cSceneManager.h"
#include "engine/windows/GlobalDialogs.h"
#include "game/location/CurrentLocation.h"
#include "game/location/cLocationForm.h"
#include "game/play/LocationGlobals.h"
#include "game/screens/cDiaryWindow.h"

namespace
{
// Runs on the main thread when the form joins the scene. Only the diary
// and map window shows a loaded form: without it the player would be left
// in front of an empty screen.
void OnFormAttached(cSceneObject* form)
{
	HideGlobalDialogs();
	cGameWindow* diary = GetDiaryWindow();
	if (!diary || !diary->IsVisible())
		LOG(1, "Location '%s' was loaded while the diary is hidden: nothing will show it\n", form->GetName().c_str());
}
}

cLocationLoaderThread::cLocationLoaderThread(const std::string& name, bool showMap) : m_name(name)
{
	g_locationLoading = true;
	if (showMap)
		if (auto* diary = dynamic_cast<cDiaryWindow*>(GetDiaryWindow()))
		{
			diary->SetNextMode(true);
			diary->Show();
		}
	Start();
}

cLocationLoaderThread::~cLocationLoaderThread()
{
	Stop();
}

void cLocationLoaderThread::OnExit()
{
	// Also when the thread was stopped before it could build anything.
	g_locationLoading = false;
	delete this;
}

bool cLocationLoaderThread::Step()
{
	cCursorManager* cursors = Singletone<cCursorManager>::GetInstance();
	cursors->SetCursor("hours");
	cLocationForm* form = new cLocationForm(m_name, nullptr);
	cursors->SetCursor("cursor");
	cSceneManager* scene = Singletone<cSceneManager>::GetInstance();
	{
		cAutoLock lock(scene->GetLock());
		form->SetShowSound("journal_page");
		cGameWindow* effect = GetEffectWindow();
		cSceneObject* target = effect ? effect->GetChildList().FindByPath("rt/target") : nullptr;
		scene->PostReparent(form, target ? target : scene->GetRoot(),
		                    cSceneManager::tCompletion(MakeFunctionDelegate(&OnFormAttached)));
	}
	return false;
}
