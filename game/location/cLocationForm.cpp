#include "game/location/cLocationForm.h"

#include "engine/foundation/Random.h"
#include "engine/input/cCursorManager.h"
#include "engine/input/cInputManager.h"
#include "engine/resources/cTextManager.h"
#include "engine/resources/cXmlResource.h"
#include "engine/scene/cMotionPlayer.h"
#include "engine/scene/cSceneManager.h"
#include "engine/scene/cSceneResource.h"
#include "engine/scene/cVisual.h"
#include "engine/sound/cSoundManager.h"
#include "engine/sound/cSoundRegistry.h"
#include "engine/sound/cSoundResource.h"
#include "game/location/CurrentLocation.h"
#include "game/location/cLocationLoaderThread.h"
#include "game/minigames/cMinigame.h"
#include "game/minigames/cMinigameFactory.h"
#include "game/panel/cGamePanel.h"
#include "game/play/cCharacterSet.h"
#include "game/play/cDialogManager.h"
#include "game/play/LocationGlobals.h"
#include "game/play/cLightObject.h"
#include "game/play/cPlayerProgress.h"
#include "game/play/cProfileManager.h"
#include "game/screens/cComicsWindow.h"
#include "game/screens/cDiaryWindow.h"
#include "game/screens/cHelpManager.h"
#include "game/screens/cMovieWindow.h"
#include "game/scenario/sEventContext.h"
#include "platform/dinput/DInputKeys.h"

#include <algorithm>
#include <cstdlib>

namespace
{
// The appear and disappear fades of a sub-location.
constexpr float kSubLocationFade = 0.15f;
// Seconds after showing before the cursor follows the hovered object.
constexpr float kCursorDelay = 0.5f;
// Depths of the windows a main form brings up with itself.
constexpr float kDialogueDepth = -1050.0f;
constexpr float kPanelDepth = -1000.0f;
// Seconds until the help hint of a search: at its start, after a find,
// and again after each hint.
constexpr float kHelpHintStart = 9.0f;
constexpr float kHelpHintAfterFind = 20.0f;
constexpr float kHelpHintRepeat = 30.0f;
// A found object's effect starts this much nearer the camera.
constexpr float kFoundEffectLift = 100.0f;
// Locations are named "location" and a number from 1 to 14.
constexpr size_t kLocationPrefix = 8;
constexpr uint32_t kLastLocation = 14;
constexpr int kWrongRemarks = 15;

bool IsTrue(cSceneObject* object, const char* key)
{
	return object->GetProperties().GetProperty(key) == "true";
}

// "1" or "true".
bool ReadBool(const std::string& text)
{
	return text == "1" || text == "true";
}

void SetDepth(cSceneObject* object, float z)
{
	cMatrix local = object->GetTransform().GetLocalMatrix();
	local._43 = z;
	object->GetTransform().SetLocalMatrix(local);
}

cSoundRegistry* Registry()
{
	return cSoundRegistry::GetInstance();
}

void ClearSounds()
{
	if (cSoundRegistry::Exists())
		Registry()->Clear();
}

// The record of the object and its subtree as the player left them.
cSavedObjectState SaveObject(cSceneObject* object)
{
	cSavedObjectState record;
	record.name = object->GetName();
	record.enabled = object->IsEnabled();
	record.visible = object->IsVisible();
	const cMotionPlayer* player = object->GetMotions().GetPlayer();
	if (player && player->IsPlaying())
		record.motion = player->GetCurrentClipName();
	cVisual* visual = object->GetVisual();
	if (visual && visual->IsAnimationPlaying())
		record.animation = visual->GetAnimationName();
	for (cSceneObject* child : object->GetChildList().GetChildren())
		record.children.push_back(SaveObject(child));
	return record;
}

// The sounds held for the whole run, once each.
std::vector<cResourceHandle>& PreloadedSounds()
{
	static std::vector<cResourceHandle> sounds;
	return sounds;
}

void HideWindow(cSceneObject* window)
{
	if (window)
		window->SetVisible(false);
}

void PlayClip(cSceneObject* object, const std::string& name)
{
	object->GetMotions().PlayByName(name);
	object->GetAnimations().PlayByName(name);
}

// The button or key went down in this frame.
bool IsPressed(int slot, int index)
{
	return cInputManager::Exists() && cInputManager::GetInstance()->IsPressed(slot, index);
}

bool IsKeyPressed(int code)
{
	return IsPressed(cInputManager::kKeyboardSlot, code);
}

bool IsCheatMode()
{
	return cProfileManager::Exists() && cProfileManager::GetInstance()->IsCheatMode();
}

bool IsDialogueRunning()
{
	return cDialogManager::Get() && cDialogManager::Get()->IsActive();
}

bool IsHintShown()
{
	return cHelpManager::Get() && cHelpManager::Get()->IsActive();
}

// The diary and map window works over the location.
bool IsMenuOpen()
{
	cGameWindow* diary = GetDiaryWindow();
	return diary && diary->GetState() == cGameWindow::kWorking;
}

// The mouse is over the shown game panel.
bool IsMouseOverPanel()
{
	cGamePanel* panel = cGamePanel::Get();
	return panel && panel->IsVisible() && panel->HitTest();
}

float WorldZ(const cSceneObject* object)
{
	return object->GetTransform().GetWorldMatrix()._43;
}

// The candidate nearest to the camera (smallest world z; the earlier one
// on equal z) whose own visual is under the mouse.
template <class Test>
cSceneObject* PickNearest(const std::vector<cSceneObject*>& candidates, Test isCandidate)
{
	cSceneObject* best = nullptr;
	for (cSceneObject* object : candidates)
		if (isCandidate(object) && (!best || WorldZ(object) < WorldZ(best)) &&
			object->HitTestVisual(object->GetLocalPickRay()))
			best = object;
	return best;
}
}

cLocationForm::cLocationForm(const std::string& name, cLocationForm* parent)
	: cGameWindow(name, parent, false), m_parentForm(parent), m_scenario(name), m_waitList(this)
{
	m_foundSound.BindByName<cSoundResource>("i_spy");
	cSceneResource::BuildInto(name, *this);
	m_background = GetChildList().FindChildByProperty("background", "true");
	if (m_background)
		m_justClose = ReadBool(m_background->GetProperties().GetProperty("just_close"));
	SortObjects();
	LoadScenario();
	if (IsMainForm())
		EnterMainForm();
	BindChildEvent("border/close", "on_click", tEvent(MakeMemberDelegate(this, &cLocationForm::OnBorderClose)));
}

cLocationForm::~cLocationForm()
{
	ClearSounds();
	if (g_currentLocation == this)
	{
		if (cGamePanel* panel = cGamePanel::Get())
			panel->DetachFromCursor(nullptr);
		// After another player was selected, or this one deleted, the
		// current progress is not the one the form was built for; the form
		// stored itself when it hid.
		if (m_profileActivation == cProfile::GetActivationCount())
			SaveToProfile();
		g_currentLocation = nullptr;
	}
	// Nothing names a deleted form.
	if (g_previousLocation == this)
		g_previousLocation = nullptr;
	cGameWindow* self = this;
	g_locationToShow.compare_exchange_strong(self, nullptr);
}

void cLocationForm::SortObjects()
{
	for (cSceneObject* object : GetChildList().GetChildren())
	{
		m_topObjects.push_back(object);
		if (IsTrue(object, "ispy"))
		{
			AddToGroup(m_ispyGroups, object);
			object->SetEnabled(false);
			object->SetVisible(true);
		}
		else if (!IsTrue(object, "ignore"))
		{
			m_pickableObjects.push_back(object);
			if (!IsTrue(object, "tooltip"))
			{
				object->SetEnabled(false);
				object->SetVisible(false);
			}
		}
	}
}

void cLocationForm::AddToGroup(std::vector<sISpyGroup>& groups, cSceneObject* object)
{
	const std::wstring text = GetObjectText(object->GetName());
	auto group = std::find_if(groups.begin(), groups.end(), [&](const sISpyGroup& g) { return g.text == text; });
	if (group == groups.end())
		groups.push_back({text, {object}});
	else if (std::find(group->objects.begin(), group->objects.end(), object) == group->objects.end())
		group->objects.push_back(object);
}

void cLocationForm::LoadScenario()
{
	cResourceHandle scenario = cResourceHandle::InitByName<cXmlResource>(GetName());
	if (auto* xml = scenario.Get<cXmlResource>())
		m_scenario.Load(xml->GetDocument().GetRoot(), this);
}

void cLocationForm::EnterMainForm()
{
	// The panel, the progress and the location globals belong to the main
	// thread's passes, which hold the scene lock: under it the form becomes
	// the current location only once it is restored or reset, and the old
	// form's last store cannot interleave with this restore.
	cAutoLock lock(cSceneManager::GetInstance()->GetLock());
	m_profileActivation = cProfile::GetActivationCount();
	cGamePanel* panel = cGamePanel::Get();
	if (panel)
		panel->ClearInventory();
	g_currentLocation = this;
	g_locationToShow = this;
	g_scenarioChange = false;
	if (panel)
		panel->DetachFromCursor(nullptr);
	cPlayerProgress* progress = g_currentProgress;
	if (RestoreFromProfile())
	{
		if (panel)
		{
			const std::vector<sInventoryItem> inventory = progress->inventory;
			progress->inventory.clear();
			for (const sInventoryItem& item : inventory)
				panel->AddInventoryItem(cMatrix(), item.name, item.count, false);
		}
		// The switch below flips the global mode into the stored one.
		if (progress->ispyMode || g_ispyMode)
		{
			g_ispyMode = !progress->ispyMode;
			SetIspyMode(progress->ispyListName, progress->ispyMode, false);
		}
		for (const std::string& name : progress->ispyObjects)
			if (!name.empty())
				AddItemToFind(name);
		Update(0);
		m_ispyFoundCount = progress->ispyFoundCount;
		m_ispyTargetCount = progress->ispyTargetCount;
	}
	else
		Reset();
	if (progress)
		progress->currentLocation = GetName();
	// A change asked for while this form was loading is still to come.
	if (g_nextLocation == GetName())
		g_nextLocation.clear();
	m_closed = false;
}

cScenarioCommand* cLocationForm::GetState(const std::string& name)
{
	return m_scenario.GetState(name);
}

void cLocationForm::SetState(const std::string& name)
{
	m_scenario.SetState(name);
}

void cLocationForm::Reset()
{
	m_waitList.Clear();
	cGamePanel* panel = cGamePanel::Get();
	cPlayerProgress* progress = g_currentProgress;
	if (IsMainForm())
	{
		if (progress)
		{
			progress->loopingSounds.clear();
			progress->cursorObjects.clear();
			progress->hintCharge = 1.0f;
			progress->aimStates.clear();
			progress->aimTexts.clear();
			progress->music.clear();
			progress->inventory.clear();
		}
		if (panel)
		{
			panel->ClearInventory();
			panel->ClearItemsList();
		}
		m_activeIspyGroups.clear();
		g_ispyCollecting = false;
	}
	if (progress)
		progress->panelShown = false;
	HideWindow(panel);
	if (m_openChildForm)
	{
		HideWindow(m_openChildForm);
		m_openChildForm = nullptr;
	}
	for (cSceneObject* object : m_pickableObjects)
	{
		const bool tooltip = IsTrue(object, "tooltip");
		object->SetEnabled(tooltip);
		object->SetVisible(tooltip);
		object->GetTransform().SetColor(1, 1, 1, 1);
	}
	for (const sISpyGroup& group : m_ispyGroups)
		for (cSceneObject* object : group.objects)
		{
			object->SetEnabled(false);
			object->SetVisible(true);
			object->GetTransform().SetColor(1, 1, 1, 1);
		}
	m_scenario.Reset();
	for (cLocationForm* sub : m_subLocations)
		sub->Reset();
}

cSceneObject* cLocationForm::FindObject(const std::string& path, cSceneObject* start)
{
	cSceneObject* at = start ? start : this;
	std::string rest = path;
	for (size_t dot = rest.find('.'); dot != std::string::npos; dot = rest.find('.'))
	{
		const std::string head = rest.substr(0, dot);
		at = head == "parent" ? at->GetParent() : at->GetChildList().FindChild(head);
		if (!at)
			return nullptr;
		rest = rest.substr(dot + 1);
	}
	return at->GetChildList().FindChild(rest);
}

std::wstring cLocationForm::GetObjectText(const std::string& objectName) const
{
	return cTextManager::GetInstance()->FindText("default", GetName(), objectName);
}

cCharacterSet* cLocationForm::GetCharacterSet(const std::string& name, cCharacter* character)
{
	cCharacterSet*& set = m_characterSets[name];
	if (!set)
		set = new cCharacterSet(name, this);
	set->AddMember(character);
	return set;
}

cLocationForm* cLocationForm::GetSubLocation(const std::string& name)
{
	for (cLocationForm* sub : m_subLocations)
		if (sub->GetName() == name)
			return sub;
	m_subLocations.push_back(new cLocationForm(name, this));
	return m_subLocations.back();
}

namespace
{
// The window of the name, built under the form on first use.
template <class Window>
void Preload(std::map<std::string, Window*>& windows, const std::string& name, cSceneObject* form)
{
	Window*& window = windows[name];
	if (!window)
		window = new Window(name, form);
}

// Shows the window of the name with an empty tooltip line; null when none was built.
template <class Window>
Window* ShowPreloaded(const std::map<std::string, Window*>& windows, const std::string& name)
{
	if (cGamePanel* panel = cGamePanel::Get())
		panel->SetTooltipText(L"");
	auto window = windows.find(name);
	if (window == windows.end())
		return nullptr;
	window->second->Show();
	return window->second;
}
}

void cLocationForm::PreloadComics(const std::string& name)
{
	Preload(m_comicsWindows, name, this);
}

void cLocationForm::PreloadMovie(const std::string& name)
{
	Preload(m_movieWindows, name, this);
}

cComicsWindow* cLocationForm::ShowComics(const std::string& name)
{
	return ShowPreloaded(m_comicsWindows, name);
}

cMovieWindow* cLocationForm::ShowMovie(const std::string& name)
{
	return ShowPreloaded(m_movieWindows, name);
}

cMinigame* cLocationForm::CreateMinigame(const std::string& name)
{
	return cMinigameFactory::GetInstance()->Create(name, this);
}

void cLocationForm::PreloadItemModel(const std::string& name)
{
	m_preloadedModels.push_back(std::make_unique<cModelController>(cModelHandle(name)));
}

void PreloadSound(const std::string& name)
{
	cResourceHandle sound = cResourceHandle::InitByName<cSoundResource>(name);
	std::vector<cResourceHandle>& held = PreloadedSounds();
	const bool known = std::any_of(held.begin(), held.end(), [&](const cResourceHandle& h) { return h.Get() == sound.Get(); });
	if (sound && !known)
		held.push_back(sound);
}

void cLocationForm::AddAmbientSound(const std::string& name, float weight)
{
	m_ambientWeightSum += weight;
	m_ambientSounds.push_back({cResourceHandle::InitByName<cSoundResource>(name), weight});
}

void cLocationForm::RunAmbientStep(float dt)
{
	if (!m_ambientOn)
		return;
	m_ambientTimer -= dt;
	if (m_ambientTimer >= 0 || m_ambientSounds.empty())
		return;
	m_ambientTimer = RandomFloatRange(0.8f * m_ambientInterval, 1.2f * m_ambientInterval);
	const float mean = RandomFloat() * m_ambientWeightSum / float(m_ambientSounds.size());
	std::vector<const sAmbientSound*> candidates;
	for (const sAmbientSound& ambient : m_ambientSounds)
		if (ambient.weight > mean)
			candidates.push_back(&ambient);
	const sAmbientSound& chosen = candidates.empty()
		? m_ambientSounds[RandomIntRange(0, uint32_t(m_ambientSounds.size()))]
		: *candidates[RandomIntRange(0, uint32_t(candidates.size()))];
	Registry()->Play(chosen.sound, false);
}

void cLocationForm::FadeObject(cSceneObject* object, bool fadeIn)
{
	m_fades.push_back(std::make_unique<sFadeEntry>());
	m_fades.back()->Start(object, fadeIn);
	m_waitList.AddFade(m_fades.back().get());
}

void cLocationForm::StepFades(float dt)
{
	for (auto fade = m_fades.begin(); fade != m_fades.end();)
	{
		if (!(*fade)->Step(dt))
		{
			++fade;
			continue;
		}
		(*fade)->Finish();
		m_waitList.ForgetFade(fade->get());
		fade = m_fades.erase(fade);
	}
}

void cLocationForm::FinishFades()
{
	for (const auto& fade : m_fades)
	{
		fade->Finish();
		m_waitList.ForgetFade(fade.get());
	}
	m_fades.clear();
}

void cLocationForm::AddAim(const std::string& aim, int extra)
{
	if (cGamePanel* panel = cGamePanel::Get())
		panel->AddAim(aim, cTextManager::GetInstance()->FindText("aims", GetName(), aim), extra);
}

void cLocationForm::RemoveAim(const std::string& aim)
{
	if (cGamePanel* panel = cGamePanel::Get())
		panel->SolveAim(aim);
}

void cLocationForm::AddInventoryItem(const std::string& name, int count)
{
	cGamePanel* panel = cGamePanel::Get();
	if (!panel)
		return;
	cSceneObject* from = GetChildList().FindChild(m_flyStartName);
	cMatrix start;
	if (from)
	{
		start = from->GetTransform().GetWorldMatrix();
		const cBoundingBox& box = from->GetTransform().GetWorldBox();
		const cVector3d centre = (box.min + box.max) * 0.5f;
		start._41 += centre.x;
		start._42 += centre.y;
		start._43 += centre.z;
	}
	panel->AddInventoryItem(start, name, count, from != nullptr);
	if (from)
		panel->GetItemsList().MarkFound(m_clickedName);
}

void cLocationForm::RemoveInventoryItem(const std::string& name, int count)
{
	if (cGamePanel* panel = cGamePanel::Get())
		panel->RemoveInventoryItem(name, count);
}

bool cLocationForm::HasInventoryItem(const std::string& name, int count) const
{
	const cGamePanel* panel = cGamePanel::Get();
	return panel && panel->HasInventoryItem(name, count);
}

void cLocationForm::AddItemToFind(const std::string& name)
{
	cSceneObject* object = GetChildList().FindChild(name);
	if (!object || !object->IsVisible())
		return;
	AddToGroup(m_activeIspyGroups, object);
	if (cGamePanel* panel = cGamePanel::Get())
		panel->AddItemToFind(name, GetObjectText(name));
}

void cLocationForm::AddRandomItemsToFind(int count)
{
	cLocationForm* main = GetMainForm();
	if (main != this)
	{
		main->AddRandomItemsToFind(count);
		return;
	}
	std::vector<sISpyGroup> open = m_ispyGroups;
	std::erase_if(open, [this](const sISpyGroup& group) {
		return group.objects.empty() || !group.objects.front()->IsVisible() ||
			std::any_of(m_activeIspyGroups.begin(), m_activeIspyGroups.end(),
				[&](const sISpyGroup& active) { return active.text == group.text; });
	});
	cGamePanel* panel = cGamePanel::Get();
	for (int i = 0; i < count && !open.empty(); ++i)
	{
		const auto chosen = open.begin() + Random() % int(open.size());
		m_activeIspyGroups.push_back(*chosen);
		for (cSceneObject* object : chosen->objects)
		{
			object->SetEnabled(true);
			if (panel)
				panel->AddItemToFind(object->GetName(), chosen->text);
		}
		open.erase(chosen);
	}
}

void cLocationForm::SetIspyCount(int count)
{
	GetMainForm()->m_ispyTargetCount = count;
}

void SetIspyMode(const std::string& listName, bool on, bool atOnce)
{
	cLocationForm* main = g_currentLocation;
	if (!main)
		return;
	main->m_flyStartName.clear();
	if (on == g_ispyMode)
		return;
	main->m_ispyFoundCount = 0;
	main->m_helpHintTimer = kHelpHintStart;
	g_ispyMode = on;
	cGamePanel* panel = cGamePanel::Get();
	if (!panel)
		return;
	if (!on)
	{
		if (!atOnce && panel->IsVisible())
		{
			panel->GetMotions().PlayByName("ispy_close");
			return;
		}
		panel->GetMotions().PlayByName("ispy_open");
		panel->Update(0);
		panel->GetMotions().StopAll();
		return;
	}
	if (g_currentProgress)
		g_currentProgress->ispyListName = listName;
	panel->ShowIspyList(listName);
	if (!listName.empty())
	{
		main->m_ispyTargetCount = 0;
		std::vector<cSceneObject*> entries;
		panel->GetIspyListChildren(entries);
		for (cSceneObject* entry : entries)
		{
			const std::string& name = entry->GetName();
			if (name.find("text_items_") != std::string::npos || IsTrue(entry, "background"))
				continue;
			// A name the location lacks counts as hidden: nothing to find.
			const cSceneObject* object = main->GetChildList().FindChild(name);
			if (!object || !object->IsVisible())
				continue;
			entry->SetVisible(false);
			++main->m_ispyTargetCount;
			main->AddItemToFind(name);
		}
	}
	if (atOnce)
	{
		panel->GetMotions().PlayByName("ispy_close");
		panel->GetMotions().StopAll();
	}
	else
		panel->GetMotions().PlayByName("ispy_open");
	panel->SetTooltipText(L"");
}

void StartIspyCollect()
{
	cLocationForm* main = g_currentLocation;
	if (!main || g_ispyCollecting || main->m_activeIspyGroups.empty())
		return;
	g_ispyCollecting = true;
	main->m_ispyFoundCount = 0;
	cPlayerProgress* progress = g_currentProgress;
	cSceneObject* indian = main->GetChildList().FindChild("indian");
	cHelpManager* help = cHelpManager::Get();
	if (progress && !progress->introHintShown && main->m_ispyHelpEnabled && indian && help)
	{
		help->ShowHint("rt", "", indian, nullptr);
		progress->introHintShown = true;
	}
}

bool cLocationForm::ShowHintForNextEvent()
{
	cGamePanel* panel = cGamePanel::Get();
	if (g_ispyMode)
	{
		if (!m_activeIspyGroups.empty() && !m_activeIspyGroups.front().objects.empty())
		{
			if (g_currentProgress)
				g_currentProgress->hintCharge = 0;
			const cMatrix& world = m_activeIspyGroups.front().objects.front()->GetTransform().GetWorldMatrix();
			if (panel)
				panel->ShowHintAt(world._41, world._42, "");
		}
		return true;
	}
	auto* sub = dynamic_cast<cLocationForm*>(m_openChildForm);
	if (sub && sub->ShowHintForNextEvent())
		return true;
	std::vector<cScenarioEvent> events;
	CollectEvents(events, "", 0);
	if (!events.empty())
	{
		if (g_currentProgress)
			g_currentProgress->hintCharge = 0;
		if (panel)
			panel->ShowHintAt(events.front().position.x, events.front().position.y, events.front().item);
		return true;
	}
	if (IsMainForm())
		return true;
	cSceneObject* close = GetChildList().FindByPath("border/close");
	if (!close)
	{
		Hide();
		return false;
	}
	if (cHelpManager* help = cHelpManager::Get())
		help->ShowHint("rt", "", close, nullptr);
	return true;
}

void cLocationForm::CollectEvents(std::vector<cScenarioEvent>& out, const std::string& name, int kind)
{
	m_scenario.CollectEvents(out, name, kind);
}

void cLocationForm::SayWrongRemark()
{
	cDialogManager* dialogue = cDialogManager::Get();
	if (!dialogue || dialogue->IsActive())
		return;
	dialogue->StartDialog("special", "wrong" + std::to_string(Random() % kWrongRemarks + 1));
}

void cLocationForm::OpenSubLocation(cGameWindow* form)
{
	if (cGamePanel* panel = cGamePanel::Get())
		panel->SetTooltipText(L"");
	Singletone<cCursorManager>::GetInstance()->SetCursor("cursor");
	m_openChildForm = form;
	if (form)
		form->Show();
}

void cLocationForm::CloseSubLocation()
{
	if (m_openChildForm)
	{
		m_openChildForm->Hide();
		m_openChildForm = nullptr;
	}
	else if (!IsMainForm())
		Hide();
}

std::string cLocationForm::FullPath(cSceneObject* object)
{
	const cSceneObject* main = GetMainForm();
	std::string path = object->GetName();
	for (cSceneObject* above = object->GetParent(); above && above != main; above = above->GetParent())
		path = above->GetName() + "." + path;
	return path;
}

void cLocationForm::AddToCursor(const std::string& path)
{
	cSceneObject* object = path.empty() ? nullptr : FindObject(path);
	if (!object)
		return;
	const std::string fullPath = FullPath(object);
	if (g_currentProgress)
	{
		std::vector<std::string>& paths = g_currentProgress->cursorObjects;
		if (std::find(paths.begin(), paths.end(), fullPath) == paths.end())
			paths.push_back(fullPath);
	}
	if (cGamePanel* panel = cGamePanel::Get())
		panel->AttachToCursor(object);
}

void cLocationForm::RemoveFromCursor(const std::string& path)
{
	cGamePanel* panel = cGamePanel::Get();
	std::vector<std::string>* paths = g_currentProgress ? &g_currentProgress->cursorObjects : nullptr;
	if (path.empty())
	{
		if (panel)
			panel->DetachFromCursor(nullptr);
		if (paths)
			paths->clear();
		return;
	}
	cSceneObject* object = FindObject(path);
	if (paths)
	{
		auto found = std::find(paths->begin(), paths->end(), object ? FullPath(object) : path);
		if (found != paths->end())
			paths->erase(found);
	}
	if (object && panel)
		panel->DetachFromCursor(object);
}

void ShowGamePanel(bool show)
{
	cGamePanel* panel = cGamePanel::Get();
	if (!panel)
		return;
	if (!show)
	{
		HideWindow(panel);
		if (g_currentProgress)
			g_currentProgress->panelShown = false;
		return;
	}
	panel->MoveInSiblings(false);
	SetDepth(panel, kPanelDepth);
	panel->Show();
	if (g_currentLocation)
		panel->ShowClothes(g_currentLocation->GetName());
	if (!g_currentProgress)
		return;
	// Attaching may add to the list it walks.
	const std::vector<std::string> paths = g_currentProgress->cursorObjects;
	if (g_currentLocation)
		for (const std::string& path : paths)
			g_currentLocation->AddToCursor(path);
	g_currentProgress->panelShown = true;
}

void cLocationForm::CollectDraw(std::vector<sDrawEntry>& queue, cCamera*& camera)
{
	if (m_drawReplacement)
		m_drawReplacement->CollectDraw(queue, camera);
	else
		cGameWindow::CollectDraw(queue, camera);
}

cLocationForm* cLocationForm::GetMainForm()
{
	cLocationForm* form = this;
	while (form->m_parentForm)
		form = form->m_parentForm;
	return form;
}

void cLocationForm::Update(float dt)
{
	m_frameTime = dt;
	if (GetState() == kDisappear || GetState() == kClosed)
	{
		cGameWindow::Update(dt);
		if (m_closed && (g_previousLocation == this || g_currentLocation != this))
			DeleteWhenClosed();
		return;
	}
	cGameWindow* diary = GetDiaryWindow();
	if (diary && diary->GetState() == kWorking)
		return;
	UpdateHelpHint(dt);
	UpdateCursor(dt);
	if (IsMenuOpen() || TakeOutsideClick())
		return;
	m_updatedSinceShown = true;
	RunAmbientStep(dt);
	TickScenario();
	// Ambient time runs at twice the frame time while the sounds are on.
	RunAmbientStep(dt);
	UpdateSearch();
	if (m_openChildForm && !m_openChildForm->IsVisible())
		m_openChildForm = nullptr;
	cGameWindow::Update(dt);
	StepFades(dt);
	cGamePanel* panel = cGamePanel::Get();
	const cHelpManager* help = cHelpManager::Get();
	if (panel && m_clickedThisFrame && !m_openChildForm && !(help && help->IsPassThrough()))
		panel->DropHeldItem();
	LeaveForNextLocation();
	if (m_closed && IsMainForm())
		DeleteWhenClosed();
	m_clickedThisFrame = false;
}

void cLocationForm::UpdateHelpHint(float dt)
{
	if (!g_ispyCollecting || !m_ispyHelpEnabled || IsHintShown())
		return;
	m_helpHintTimer -= dt;
	if (m_helpHintTimer >= 0)
		return;
	cGamePanel* panel = cGamePanel::Get();
	cSceneObject* at = panel ? panel->GetChildList().FindChild("help_hint") : nullptr;
	if (cHelpManager* help = cHelpManager::Get(); help && at)
		help->ShowHint("rt", "", at, nullptr);
	m_helpHintTimer = kHelpHintRepeat;
}

void cLocationForm::UpdateCursor(float dt)
{
	m_cursorDelay -= dt;
	if (GetState() != kWorking || m_openChildForm || m_cursorDelay >= 0 || g_locationLoading || IsDialogueRunning())
		return;
	const cSceneObject* top = Singletone<cSceneManager>::GetInstance()->GetTopModal();
	m_lensShown = false;
	if (!m_hoveredName.empty() && !IsHintShown() && (!top || top == this))
	{
		std::vector<cScenarioEvent> openers;
		CollectEvents(openers, m_hoveredName, cScenarioEvent::kSubLocation);
		m_lensShown = !openers.empty();
	}
	Singletone<cCursorManager>::GetInstance()->SetCursor(m_lensShown ? "lens" : "cursor");
}

bool cLocationForm::TakeOutsideClick()
{
	if (!m_updatedSinceShown || !m_clickedThisFrame || IsMainForm() || !m_background ||
		!m_background->IsEnabled() || cGamePanel::IsMouseOverLocalBox(m_background))
		return false;
	const cGamePanel* panel = cGamePanel::Get();
	if (IsDialogueRunning() || IsMenuOpen() || (panel && panel->IsObjectivesShown()) || IsMouseOverPanel())
		return true;
	if (GetState() == kWorking)
		Hide();
	return true;
}

void cLocationForm::TickScenario()
{
	const cHelpManager* help = cHelpManager::Get();
	if (GetMainForm()->GetState() != kWorking || (help && help->IsActive()) || m_openChildForm ||
		!GetRunningCommand() || g_ispyCollecting)
		return;
	m_clickConsumed = false;
	m_scenario.Tick();
	if (auto* diary = dynamic_cast<cDiaryWindow*>(GetDiaryWindow()))
		diary->SetNextMode(true);
	const cGamePanel* panel = cGamePanel::Get();
	if (!m_clickConsumed && !m_clickedName.empty() && panel && !panel->GetHeldItemName().empty())
		SayWrongRemark();
	m_clickedName.clear();
}

void cLocationForm::UpdateSearch()
{
	bool end = false;
	if (IsCheatMode())
	{
		if (IsKeyPressed(DIK_F4))
		{
			if (g_currentProgress)
				g_currentProgress->hintCharge = 1.0f;
			if (cGamePanel* panel = cGamePanel::Get())
				PlayClip(panel, "glow");
		}
		end = IsKeyPressed(DIK_F3);
	}
	if (!end && g_ispyCollecting && m_ispyFoundCount != 0 &&
		(m_ispyFoundCount == m_ispyTargetCount || m_activeIspyGroups.empty()))
	{
		cGamePanel* panel = cGamePanel::Get();
		end = !panel || panel->GetItemsList().IsIdle();
	}
	if (end)
		EndSearch();
}

void cLocationForm::EndSearch()
{
	if (cGamePanel* panel = cGamePanel::Get())
		panel->ClearItemsList();
	m_activeIspyGroups.clear();
	g_ispyCollecting = false;
}

void cLocationForm::LeaveForNextLocation()
{
	// A form still appearing leaves once it works, so that it hides and
	// closes like any other: a change asked for while it loaded waits.
	if (!IsMainForm() || g_nextLocation.empty() || g_locationLoading || GetState() == kAppear)
		return;
	g_previousLocation = this;
	if (GetState() == kWorking)
		Hide();
	if (cDialogManager* dialogue = cDialogManager::Get())
		dialogue->HideClouds();
	if (g_currentProgress)
		g_currentProgress->currentLocation = g_nextLocation;
	new cLocationLoaderThread(g_nextLocation, false);
}

bool cLocationForm::HandleInput()
{
	if (GetState() != kWorking)
		return false;
	m_clickedThisFrame = false;
	const cGamePanel* panel = cGamePanel::Get();
	if (IsDialogueRunning() || IsMenuOpen() || (panel && panel->IsObjectivesShown()))
		return false;
	m_clickedName.clear();
	if (m_openChildForm)
		return false;
	if (!IsHintShown())
		cLightObject::SetHighlighted(nullptr);
	if (IsCheatMode() && RunDebugKeys())
		return false;
	m_hoveredName.clear();
	const bool clicked = IsPressed(cInputManager::kMouseSlot, cInputManager::kLeftButton);
	m_clickedThisFrame = clicked;
	if (clicked && m_justClose && !IsMainForm() && !IsMouseOverPanel())
	{
		Hide();
		return false;
	}
	if (g_ispyCollecting)
		FindHiddenObject(clicked);
	else
		PickObject(clicked);
	return false;
}

bool cLocationForm::RunDebugKeys()
{
	if (IsKeyPressed(DIK_F2))
	{
		SetIspyMode("", false, false);
		if (cGamePanel* panel = cGamePanel::Get())
			panel->ClearItemsList();
		m_activeIspyGroups.clear();
		g_ispyCollecting = false;
		GetMainForm()->Reset();
	}
	if (!IsMainForm())
		return false;
	// The number after "location"; a shorter name has none.
	const std::string& name = GetName();
	const long long number = name.size() > kLocationPrefix ? std::strtoll(name.c_str() + kLocationPrefix, nullptr, 10) : 0;
	long long target = 0;
	if (IsKeyPressed(DIK_F5) && uint32_t(number) > 1)
		target = number - 1;
	else if (IsKeyPressed(DIK_F6) && uint32_t(number) < kLastLocation)
		target = number + 1;
	else
		return false;
	if (cGameWindow* diary = GetDiaryWindow())
		diary->Show();
	g_scenarioChange = true;
	SetNextLocation("location" + std::to_string(target));
	return true;
}

void cLocationForm::FindHiddenObject(bool clicked)
{
	cGamePanel* panel = cGamePanel::Get();
	if (panel)
	{
		panel->SetTooltipText(L"");
		// The list is still opening.
		if (panel->GetMotions().IsPlayingByName("ispy_open"))
			clicked = false;
	}
	if (!clicked || (m_ispyTargetCount != 0 && m_ispyFoundCount == m_ispyTargetCount))
		return;
	std::vector<cSceneObject*> hidden;
	for (const sISpyGroup& group : m_activeIspyGroups)
		hidden.insert(hidden.end(), group.objects.begin(), group.objects.end());
	cSceneObject* found = PickNearest(hidden, [](cSceneObject* object) {
		return object->IsEnabled() && object->GetTypeName() != "light";
	});
	if (found)
		TakeFoundObject(found);
}

void cLocationForm::TakeFoundObject(cSceneObject* object)
{
	m_helpHintTimer = kHelpHintAfterFind;
	Registry()->Play(m_foundSound, false);
	object->SetEnabled(false);
	cMatrix world = object->GetTransform().GetWorldMatrix();
	world._43 -= kFoundEffectLift;
	if (cGamePanel* panel = cGamePanel::Get())
		panel->OnObjectFound(object->GetName(), world, object->GetVisual() ? object->GetVisual()->GetModelController() : nullptr);
	for (auto group = m_activeIspyGroups.begin(); group != m_activeIspyGroups.end(); ++group)
	{
		if (std::erase(group->objects, object) == 0)
			continue;
		FadeObject(object, false);
		if (group->objects.empty())
		{
			m_activeIspyGroups.erase(group);
			++m_ispyFoundCount;
		}
		return;
	}
}

void cLocationForm::PickObject(bool clicked)
{
	cGamePanel* panel = cGamePanel::Get();
	cSceneObject* picked = PickNearest(m_pickableObjects,
		[](cSceneObject* object) { return object->IsEnabled() && object->IsVisible(); });
	if (!picked)
	{
		if (panel)
			panel->SetTooltipText(L"");
		return;
	}
	if (panel && panel->WasInputHandled())
		return;
	if (panel)
		panel->SetTooltipText(GetObjectText(picked->GetName()));
	m_hoveredName = picked->GetName();
	if (clicked && !IsMouseOverPanel())
		m_clickedName = m_flyStartName = picked->GetName();
}

void cLocationForm::DeleteWhenClosed()
{
	if (IsDeletePending())
		return;
	// Nothing the panel still flies may come from the deleted objects.
	if (cGamePanel* panel = cGamePanel::Get())
		panel->DropFlyEffectsOf(this);
	ClearSounds();
	MarkForDelete();
	ClearSounds();
	if (g_previousLocation == this)
		g_previousLocation = nullptr;
}

void cLocationForm::Show()
{
	m_cursorDelay = kCursorDelay;
	m_lensShown = false;
	m_drawReplacement = nullptr;
	m_ambientOn = true;
	m_clickedName.clear();
	m_shown = true;
	cGameWindow::Show();
	m_ambientTimer = RandomFloatRange(0.8f * m_ambientInterval, 1.2f * m_ambientInterval);
	m_clickedThisFrame = false;
	m_updatedSinceShown = false;
	if (IsMainForm() || g_currentLocation == this)
		ShowInGameWindows();
	PlayLocationSounds();
	m_scenario.Tick();
}

void cLocationForm::ShowInGameWindows()
{
	cGamePanel* panel = cGamePanel::Get();
	if (panel)
		panel->SetEnabled(true);
	ClearSounds();
	if (cGameWindow* effect = GetEffectWindow())
	{
		effect->GetTransform().SetLocalMatrix(cMatrix());
		effect->Show();
	}
	const bool panelShown = g_currentProgress && g_currentProgress->panelShown;
	if (panel && panelShown && !panel->IsVisible())
		ShowGamePanel(true);
	else if (panel && !panelShown && panel->IsVisible())
		ShowGamePanel(false);
	if (cDialogManager* dialogue = cDialogManager::Get())
	{
		dialogue->MoveInSiblings(false);
		SetDepth(dialogue, kDialogueDepth);
		dialogue->Show();
	}
	if (cHelpManager* help = cHelpManager::Get())
	{
		help->MoveInSiblings(false);
		help->Show();
	}
}

void cLocationForm::PlayLocationSounds()
{
	if (!g_currentProgress)
		return;
	m_music.BindByName<cSoundResource>(g_currentProgress->music.c_str());
	cSoundManager::GetInstance()->PlayMusic(m_music);
	for (const std::string& name : g_currentProgress->loopingSounds)
		Registry()->Play(cResourceHandle::InitByName<cSoundResource>(name), true);
}

void cLocationForm::Hide()
{
	m_shown = false;
	if (IsMainForm())
	{
		g_previousLocation = this;
		if (g_scenarioChange)
		{
			GetTransform().SetColor(0, 0, 0, 0);
			cGameWindow::Hide();
			HideInGameWindows();
		}
		else
		{
			if (cGameWindow* effect = GetEffectWindow())
				effect->Hide();
			cGameWindow::SetState(kDisappear);
		}
	}
	else
		cGameWindow::Hide();
	FinishFades();
	if (IsMainForm())
		SaveToProfile();
}

void cLocationForm::HideInGameWindows()
{
	if (cGamePanel* panel = cGamePanel::Get())
		panel->Hide();
	if (cDialogManager* dialogue = cDialogManager::Get())
		dialogue->Hide();
	if (cHelpManager* help = cHelpManager::Get())
		help->Hide();
}

void cLocationForm::EnterState(int state)
{
	if (state == GetState())
		return;
	cGameWindow::EnterState(state);
	switch (state)
	{
	case kAppear:
		m_fadeTimer = IsMainForm() ? 0 : kSubLocationFade;
		GetTransform().SetColor(1, 1, 1, m_fadeTimer == 0 ? 1.0f : 0.0f);
		break;
	case kDisappear:
		m_fadeTimer = IsMainForm() ? 0 : kSubLocationFade;
		GetTransform().SetColor(1, 1, 1, 1);
		break;
	case kWorking:
		GetMotions().PlayByName("main");
		GetAnimations().PlayByName("main");
		break;
	default:
		break;
	}
}

bool cLocationForm::IsAppearFinished()
{
	if (!IsMainForm())
	{
		m_fadeTimer -= m_frameTime;
		GetTransform().SetColor(1, 1, 1, 1 - std::clamp(m_fadeTimer / kSubLocationFade, 0.0f, 1.0f));
		if (m_fadeTimer >= 0)
			return false;
	}
	return cGameWindow::IsAppearFinished();
}

bool cLocationForm::IsDisappearFinished()
{
	if (!IsMainForm())
	{
		m_fadeTimer -= m_frameTime;
		GetTransform().SetColor(1, 1, 1, std::clamp(m_fadeTimer / kSubLocationFade, 0.0f, 1.0f));
		return m_fadeTimer < 0 && cGameWindow::IsDisappearFinished();
	}
	cGameWindow* effect = GetEffectWindow();
	if (effect && effect->GetAnimations().IsPlayingByName("disappear"))
		return false;
	HideWindow(cGamePanel::Get());
	HideWindow(cDialogManager::Get());
	if (cHelpManager* help = cHelpManager::Get())
		help->Hide();
	return true;
}

void cLocationForm::OnClosed()
{
	if (IsMainForm())
		m_closed = true;
}

void cLocationForm::OnBorderClose(cSceneObject*)
{
	if (!m_openChildForm)
		Hide();
}

void cLocationForm::SaveToProfile()
{
	if (!g_currentProgress)
		return;
	StoreInto(*g_currentProgress);
	g_currentProgress->Save();
}

void cLocationForm::StoreInto(cPlayerProgress& progress)
{
	m_scenario.SaveTo(progress);
	if (IsMainForm())
	{
		progress.ispyCollecting = g_ispyCollecting;
		progress.ispyMode = g_ispyMode;
		progress.ispyFoundCount = m_ispyFoundCount;
		progress.ispyTargetCount = m_ispyTargetCount;
		progress.ispyObjects.clear();
		for (const sISpyGroup& group : m_activeIspyGroups)
			for (cSceneObject* object : group.objects)
				progress.ispyObjects.push_back(object->GetName());
	}
	std::vector<cSavedObjectState>& records = progress.locationSaves[GetName()].objects.children;
	records.clear();
	for (cSceneObject* object : m_topObjects)
		records.push_back(SaveObject(object));
	for (cLocationForm* sub : m_subLocations)
		sub->StoreInto(progress);
}

bool cLocationForm::RestoreFromProfile()
{
	cPlayerProgress* progress = g_currentProgress;
	if (!progress || !m_scenario.RestoreFrom(*progress) || !progress->ApplyObjectStates(GetName(), m_topObjects))
		return false;
	return std::all_of(m_subLocations.begin(), m_subLocations.end(),
		[](cLocationForm* sub) { return sub->RestoreFromProfile(); });
}

void cLocationForm::CollectCurrentEvents(std::vector<cScenarioEvent>& events)
{
	const sEventContext outer = GetEventContext();
	ResetEventContext();
	if (cScenarioCommand* running = GetRunningCommand())
		running->CollectEvents(events, false);
	GetEventContext() = outer;
}
