#include "game/panel/cGamePanel.h"

#include "engine/foundation/StringUtils.h"
#include "engine/foundation/cLog.h"
#include "engine/graphics/cGraphics.h"
#include "engine/graphics/cGraphicsText.h"
#include "engine/graphics/cModelController.h"
#include "engine/graphics/cModelHandle.h"
#include "engine/graphics/cParticleResource.h"
#include "engine/graphics/cParticleSystem.h"
#include "engine/input/cInputManager.h"
#include "engine/resources/cResourceManager.h"
#include "engine/resources/cTextManager.h"
#include "engine/resources/cXmlResource.h"
#include "engine/scene/cSceneManager.h"
#include "engine/scene/cSceneResource.h"
#include "engine/scene/cVisual.h"
#include "engine/sound/cSoundRegistry.h"
#include "engine/sound/cSoundResource.h"
#include "game/location/CurrentLocation.h"
#include "game/play/LocationHint.h"
#include "game/play/cDialogManager.h"
#include "game/play/cInventory.h"
#include "game/play/cPlayerProgress.h"
#include "game/screens/cDiaryWindow.h"
#include "game/screens/cGameOptionsMenu.h"

#include <algorithm>
#include <cstdlib>

namespace
{
// The order in which the objective layouts are kept.
const char* const kObjectiveLayouts[] = { "objectives_02", "objectives_01", "objectives_03", "objectives_00",
	"objectives_04" };
const char* const kItemsPrefix = "text_items_";
// Seconds a found object takes to fly to its place in the list, and the
// particles' time around it.
constexpr float kFlyDuration = 0.8f;
constexpr float kFoundEffectLength = 2.0f;
// The depth a flying list child is drawn at.
constexpr float kFlyDepth = -1400.0f;
// The depth the hint effects play at.
constexpr float kHintDepth = -1600.0f;
// Seconds the aims button is ignored after the list closed.
constexpr float kAimsListLock = 0.3f;
// The depth the options window opens at.
constexpr float kOptionsDepth = -1500.0f;
// The in-game options draw over the panel and the location.
constexpr int kOptionsSortKey = 90;

cSceneObject* ParentOf(cSceneObject* effectWindow)
{
	cSceneObject* target = effectWindow ? effectWindow->GetChildList().FindByPath("rt/target") : nullptr;
	if (!target)
		LOG(2, "game panel: no \"rt/target\" to hang under, using the camera");
	return target;
}

// A mouse button went down in this frame; never without an input manager.
bool IsPressed(int button)
{
	return cInputManager::Exists() && cInputManager::GetInstance()->IsPressed(cInputManager::kMouseSlot, button);
}

bool IsDialogueRunning()
{
	return cDialogManager::Get() && cDialogManager::Get()->IsActive();
}

// The graphics device's screen rectangle; empty without a device.
RECT ScreenRect()
{
	return cGraphics::Exists() ? cGraphics::GetInstance()->GetScreenRect() : RECT { 0, 0, 0, 0 };
}

cVector3d Position(const cMatrix& matrix)
{
	return cVector3d(matrix._41, matrix._42, matrix._43);
}

// The object or the model belongs to the subtree.
bool IsInSubtree(cSceneObject* subtree, const cSceneObject* object, const cModelControllerBase* model)
{
	if (subtree == object || (model && subtree->GetVisual() && subtree->GetVisual()->GetModelController() == model))
		return true;
	const std::vector<cSceneObject*>& children = subtree->GetChildList().GetChildren();
	return std::any_of(children.begin(), children.end(),
		[&](cSceneObject* child) { return IsInSubtree(child, object, model); });
}
}

cGamePanel::cGamePanel(cSceneObject* effectWindow) : cGameWindow("game_panel", ParentOf(effectWindow), true)
{
	s_instance = this;
	ReadEffects();
	if (!cSceneResource::BuildInto("gamepanel", *this))
		LOG(2, "game panel: scene \"gamepanel\" is missing");
	cChildList& children = GetChildList();
	m_ispyLists[""] = { children.FindByPath("diary/lines_parent"), 1 };

	m_objectives = children.FindChild("objectives");
	for (const char* name : kObjectiveLayouts)
		m_objectiveLayouts.push_back(m_objectives ? m_objectives->GetChildList().FindChild(name) : nullptr);
	m_hintEffect = children.FindChild("hint_fx");
	m_itemHintEffect = children.FindChild("hint_fx_2");
	for (cSceneObject* effect : { m_hintEffect, m_itemHintEffect })
		if (effect)
		{
			effect->SetEnabled(false);
			effect->SetSortKey(100);
		}
	m_clothes = children.FindChild("clothes");
	SetForceDraw(true);
	SetOwnSortKey(100);

	SetUpSlots();
	BindButtons();

	m_hintButton = children.FindChild("hint_button");
	if (m_hintButton)
	{
		// Both rest at the start of "hint".
		m_hintButton->GetAnimations().PlayByName("hint");
		m_hintButton->GetAnimations().StopAll();
		m_hintButton->GetMotions().PlayByName("hint");
		m_hintButton->GetMotions().StopAll();
	}
	else
		LOG(2, "game panel: no \"hint_button\"");

	SetOptionsWindow(new cGameOptionsMenu("in_game_options"));
	m_optionsWindow->SetSortKey(kOptionsSortKey);
	m_optionsWindow->SetShowSound("menu_appear");

	m_hintSound.BindByName<cSoundResource>("hint");
	m_hintFullSound.BindByName<cSoundResource>("hint_full");
	GetMotions().PlayByName("reset");
	GetAnimations().PlayByName("reset");
}

cGamePanel::~cGamePanel()
{
	if (s_instance == this)
		s_instance = nullptr;
	m_itemsList.Detach();
	m_flyEffects.clear();
	// Kept list scenes hang in the panel's tree, which deletes them.
}

void cGamePanel::ReadEffects()
{
	cXmlResource* resource = cResourceManager::GetResourceByName<cXmlResource>("effects_desc");
	if (!resource)
	{
		LOG(2, "game panel: no \"effects_desc\"");
		return;
	}
	for (const cXmlNode* node = resource->GetDocument().GetRoot().GetFirstChild(); node; node = node->GetNextSibling())
	{
		if (node->GetName() != "effect")
			continue;
		auto attribute = [node](const char* name) {
			const cXmlNode* found = node->FindAttribute(name);
			return found ? &found->GetValue() : nullptr;
		};
		sEffectDesc effect;
		if (const std::string* particles = attribute("particles"))
			effect.particles = cResourceHandle::InitByName<cParticleResource>(*particles);
		if (const std::string* length = attribute("length"))
			effect.length = float(std::atof(length->c_str()));
		effect.matrix = cMatrix::Identity();
		if (const std::string* matrix = attribute("matrix"))
			ParseMatrix(*matrix, effect.matrix);
		const std::string* name = attribute("name");
		m_effects[name ? *name : std::string()] = effect;
	}
	resource->Release();
}

void cGamePanel::BindButtons()
{
	BindChildEvent("menu_button", "on_click", tEvent(MakeMemberDelegate(this, &cGamePanel::OnMenuButton)));
	BindChildEvent("hint_button", "on_click", tEvent(MakeMemberDelegate(this, &cGamePanel::OnHintButton)));
	BindChildEvent("room_button", "on_click", tEvent(MakeMemberDelegate(this, &cGamePanel::OnRoomButton)));
	BindChildEvent("button_aims_back/aims", "on_click", tEvent(MakeMemberDelegate(this, &cGamePanel::OnAimsButton)));
}

void cGamePanel::Show()
{
	if (cSceneObject* aim = GetChildList().FindChild("text_aim"))
		aim->SetOwnSortKey(10);
	m_aimsListLock = 0;
	DetachFromCursor(nullptr);
	if (m_clothes)
		for (cSceneObject* child : m_clothes->GetChildList().GetChildren())
			child->SetVisible(false);
	cGameWindow::Show();
	GetMotions().PlayByName("start");
	GetAnimations().PlayByName("start");
	if (m_objectives)
		m_objectives->SetVisible(false);
	SetTooltipText(L"");
	for (cInventory* slot : m_activeSlots)
		slot->RefreshCount();
	AnnounceOpenAims();
	if (g_currentProgress && g_currentProgress->hintCharge >= 1)
		PlayClip(this, "glow");
}

void cGamePanel::SetState(int state)
{
	cSceneObject::SetEnabled(state == kWorking);
	cGameWindow::SetState(state);
}

bool cGamePanel::HandleInput()
{
	m_pickedUpThisFrame = false;
	m_inputHandled = m_hintButton && m_hintButton->GetVisual() &&
		m_hintButton->GetVisual()->HitTest(m_hintButton->GetLocalPickRay());
	MoveFollowers();
	// A right click lets go of the held item; nothing else happens in that pass.
	if (IsPressed(cInputManager::kRightButton))
	{
		DropHeldItem();
		return false;
	}
	// A left click anywhere closes the aims list.
	if (!IsDialogueRunning() && IsPressed(cInputManager::kLeftButton) && IsTopModal())
		CloseAimsList();
	return false;
}

void cGamePanel::MoveFollowers()
{
	const cVector3d& origin = Singletone<cSceneManager>::GetInstance()->GetPickRay().origin;
	// Without a device there is no screen to keep the point on.
	const RECT screen = ScreenRect();
	const bool clamp = cGraphics::Exists();
	const float x = clamp ? std::clamp(origin.x, 0.0f, float(screen.right)) : origin.x;
	const float y = clamp ? std::clamp(origin.y, 0.0f, float(screen.bottom)) : origin.y;
	for (cSceneObject* follower : m_followers)
	{
		cMatrix world = follower->GetTransform().GetWorldMatrix();
		world._41 = x;
		world._42 = y;
		follower->GetTransform().SetWorldMatrix(world);
	}
}

void cGamePanel::Update(float dt)
{
	m_aimsListLock -= dt;
	std::erase_if(m_flyEffects, [this, dt](sFlyEffect& effect) { return !AdvanceFlyEffect(effect, dt); });
	AutoHideObjectives();
	cGameWindow::Update(dt);
	ChargeHint(dt);
	m_itemsList.Update(dt);
}

bool cGamePanel::AdvanceFlyEffect(sFlyEffect& effect, float dt)
{
	auto along = [&effect](float elapsed) {
		return effect.from + (effect.to - effect.from) * std::clamp(elapsed / effect.duration, 0.0f, 1.0f);
	};
	// The target is drawn where the flight was at the start of this step.
	const cVector3d start = along(effect.elapsed);
	effect.elapsed += dt;
	const float f = std::clamp(effect.elapsed / effect.duration, 0.0f, 1.0f);
	if (effect.particles)
	{
		cMatrix transform = effect.particles->GetTransform();
		const cVector3d position = along(effect.elapsed);
		transform.SetTranslation(position);
		effect.particles->SetTransform(transform);
		effect.particles->Update(dt);
	}
	if (effect.target && effect.model)
	{
		cMatrix world;
		world.MakeTranslation(cVector3d(start.x, start.y, kFlyDepth));
		effect.target->GetTransform().SetWorldMatrix(world);
		effect.target->GetTransform().SetColor(1, 1, 1, std::clamp(2 * f, 0.0f, 1.0f));
	}
	// Without particles the effect lasts its flight.
	return effect.particles ? effect.particles->IsRunning() : effect.elapsed < effect.duration;
}

void cGamePanel::DrawSelf()
{
	cSceneObject::DrawSelf();
	for (const sFlyEffect& effect : m_flyEffects)
		if (effect.particles)
			effect.particles->Render();
	DrawHeldItem();
	DrawTooltip();
}

cVector3d cGamePanel::TooltipPosition(const cVector3d& cursor, float width)
{
	cVector3d position(cursor.x, cursor.y, 0);
	if (position.y > 730)
	{
		position.x += 40;
		position.y -= 50;
	}
	if (position.x + width > 1000)
		position.x -= position.x + width - 1000;
	return position;
}

void cGamePanel::DrawTooltip()
{
	if (m_tooltip.empty() || !cGraphics::Exists())
		return;
	const cVector3d position = TooltipPosition(Singletone<cSceneManager>::GetInstance()->GetPickRay().origin,
		m_tooltipLayout.bounds.max.x - m_tooltipLayout.bounds.min.x);
	cGraphics* graphics = cGraphics::GetInstance();
	cMatrix world;
	graphics->SetWorldMatrix(world.MakeTranslation(position));
	graphics->SetDepthTest(false);
	cGraphicsText::GetInstance()->DrawLayout(m_tooltipLayout, sColor(1, 1, 1, 1));
	graphics->SetDepthTest(true);
}

void cGamePanel::SetTooltipText(const std::wstring& text)
{
	if (text == m_tooltip)
		return;
	m_tooltip = IsDialogueRunning() ? std::wstring() : text;
	m_tooltipVertices.resize(m_tooltip.size() * cGraphicsTextBase::VerticesPerCharacter);
	m_tooltipLayout = sTextLayout();
	if (m_tooltip.empty() || !cGraphicsText::Exists())
		return;
	m_tooltipLayout.vertices = m_tooltipVertices.data();
	m_tooltipLayout.vertexCapacity = uint32_t(m_tooltipVertices.size());
	const RECT screen = ScreenRect();
	const RECT box { 0, 0, screen.right, screen.bottom };
	cGraphicsText::GetInstance()->LayoutText(m_tooltipFont, box, m_tooltipLayout, m_tooltip.c_str(), 0);
}

bool cGamePanel::IsMouseOverLocalBox(cSceneObject* object)
{
	return object && object->GetTransform().GetLocalBox().IntersectsSegment(object->GetLocalPickRay());
}

bool cGamePanel::IsMouseOver()
{
	return IsMouseOverLocalBox(m_hintButton);
}

bool cGamePanel::IsObjectivesShown() const
{
	return m_objectives && m_objectives->IsVisible();
}

void cGamePanel::AttachToCursor(cSceneObject* object)
{
	if (!object)
		return;
	m_followerMatrices.try_emplace(object, object->GetTransform().GetWorldMatrix());
	if (std::find(m_followers.begin(), m_followers.end(), object) == m_followers.end())
		m_followers.push_back(object);
}

void cGamePanel::DetachFromCursor(cSceneObject* object)
{
	if (!object)
	{
		while (!m_followers.empty())
			DetachFromCursor(m_followers.back());
		return;
	}
	// The saved matrix is forgotten once restored: a later object at the
	// same address starts from its own place.
	if (auto saved = m_followerMatrices.find(object); saved != m_followerMatrices.end())
	{
		object->GetTransform().SetWorldMatrix(saved->second);
		m_followerMatrices.erase(saved);
	}
	std::erase(m_followers, object);
}

void cGamePanel::PreloadIspyList(const std::string& name)
{
	if (name.empty())
		return;
	if (auto kept = m_ispyLists.find(name); kept != m_ispyLists.end())
	{
		++kept->second.users;
		return;
	}
	auto* scene = new cSceneObject(name, nullptr);
	if (!cSceneResource::BuildInto(name, *scene))
		LOG(2, "game panel: items list scene \"%s\" is missing", name.c_str());
	m_ispyLists[name] = { scene, 1 };
	if (cSceneObject* diary = GetChildList().FindChild("diary"))
		Singletone<cSceneManager>::GetInstance()->PostReparent(scene, diary, cSceneManager::tCompletion());
}

void cGamePanel::ShowIspyList(const std::string& name)
{
	for (auto& [key, list] : m_ispyLists)
	{
		if (!list.scene)
			continue;
		list.scene->SetVisible(key == name);
		if (key == name)
			m_itemsList.SetLayout(list.scene, kItemsPrefix);
	}
}

void cGamePanel::ReleaseIspyList(const std::string& name)
{
	auto kept = m_ispyLists.find(name);
	if (name.empty() || kept == m_ispyLists.end() || --kept->second.users > 0)
		return;
	cSceneObject* list = kept->second.scene;
	m_itemsList.ReleaseLayout(list);
	DropFlyEffectsOf(list);
	m_ispyLists.erase(kept);
	// A scene whose posted move has not run yet is deleted by its new
	// parent once it is there.
	if (list->GetParent())
		delete list;
	else
		list->MarkForDelete();
}

cSceneObject* cGamePanel::GetIspyList(const std::string& name) const
{
	auto kept = m_ispyLists.find(name);
	return kept == m_ispyLists.end() ? nullptr : kept->second.scene;
}

void cGamePanel::GetIspyListChildren(std::vector<cSceneObject*>& out) const
{
	if (!g_currentProgress)
		return;
	if (cSceneObject* scene = GetIspyList(g_currentProgress->ispyListName))
		out = scene->GetChildList().GetChildren();
}

void cGamePanel::AddItemToFind(const std::string& name, const std::wstring& text)
{
	m_itemsList.AddItem(name, Utf8FromWide(text));
}

cParticleSystem* cGamePanel::CreateEffect(const std::string& name, const cVector3d& position, cMatrix* matrix)
{
	auto entry = m_effects.find(name);
	if (entry == m_effects.end() || !entry->second.particles)
		return nullptr;
	const sEffectDesc& effect = entry->second;
	auto* system = new cParticleSystem(&effect.particles.Get<cParticleResource>()->GetDescription());
	if (matrix)
		*matrix = effect.matrix;
	cMatrix transform = effect.matrix;
	transform.SetTranslation(position);
	system->SetTransform(transform);
	system->SetDuration(effect.length);
	system->Start("play");
	return system;
}

void cGamePanel::OnObjectFound(const std::string& name, const cMatrix& world, cModelControllerBase* model)
{
	cSceneObject* target = m_itemsList.MarkFound(name);
	if (!model)
		return;
	const cVector3d from = Position(world);
	sFlyEffect effect;
	effect.from = from;
	effect.to = target ? Position(target->GetTransform().GetWorldMatrix()) : from;
	effect.particles.reset(CreateEffect(target ? "diary_enable" : "ispy", from, nullptr));
	if (effect.particles)
	{
		effect.particles->SetDuration(kFoundEffectLength);
		if (!target)
		{
			effect.particles->SetSourceModel(model);
			effect.particles->SetSurfaceOnly(true);
		}
	}
	effect.target = target;
	effect.model = model;
	effect.duration = kFlyDuration;
	m_flyEffects.push_back(effect);
	if (target)
	{
		target->SetVisible(true);
		target->GetTransform().SetColor(1, 1, 1, 0);
	}
	GetMotions().PlayByName(name);
	GetAnimations().PlayByName(name);
}

void cGamePanel::DropFlyEffectsOf(cSceneObject* subtree)
{
	std::erase_if(m_flyEffects, [subtree](const sFlyEffect& effect) {
		return subtree && IsInSubtree(subtree, effect.target, effect.model);
	});
}

void cGamePanel::ShowClothes(const std::string& property)
{
	if (!m_clothes)
		return;
	std::vector<cSceneObject*> dressed;
	m_clothes->GetChildList().FindChildrenByProperty(dressed, property, "true");
	for (cSceneObject* child : dressed)
		child->SetVisible(true);
}

void cGamePanel::Hide()
{
	cGameWindow::Hide();
	if (m_optionsWindow && m_optionsWindow->IsVisible())
		m_optionsWindow->Hide();
}

void cGamePanel::SetOptionsWindow(cGameWindow* window)
{
	m_optionsWindow = window;
	if (window)
		window->BindEvent("back_to_mmenu", tEvent(MakeMemberDelegate(this, &cGamePanel::OnBackToMainMenu)));
}

bool cGamePanel::IsMenuOpen() const
{
	const cGameWindow* diary = GetDiaryWindow();
	return (m_optionsWindow && m_optionsWindow->IsVisible()) || (diary && diary->GetState() == kWorking);
}

void cGamePanel::OnMenuButton(cSceneObject*)
{
	if (m_optionsWindow)
	{
		m_optionsWindow->MoveInSiblings(false);
		m_optionsWindow->Show();
		cMatrix placed;
		m_optionsWindow->GetTransform().SetLocalMatrix(placed.MakeTranslation(cVector3d(0, 0, kOptionsDepth)));
	}
	m_inputHandled = true;
}

void cGamePanel::OnBackToMainMenu(cSceneObject*)
{
	ReturnToMainMenu(true);
	if (m_optionsWindow)
		m_optionsWindow->Hide();
	m_inputHandled = true;
}

void cGamePanel::OnRoomButton(cSceneObject*)
{
	if (IsMenuOpen())
		return;
	SetTooltipText(L"");
	if (auto* diary = dynamic_cast<cDiaryWindow*>(GetDiaryWindow()))
	{
		diary->SetNextMode(false);
		diary->Show();
		diary->SetNextMode(true);
	}
}

// Aims and hints.

void cGamePanel::PlayClip(cSceneObject* object, const std::string& name)
{
	if (!object)
		return;
	object->GetMotions().PlayByName(name);
	object->GetAnimations().PlayByName(name);
}

std::wstring cGamePanel::DisplayedAimText(const std::wstring& stored)
{
	const size_t hash = stored.find(L'#');
	return hash == std::wstring::npos ? stored : stored.substr(hash + 1);
}

void cGamePanel::AddAim(const std::string& id, const std::wstring& text, int sortNumber)
{
	if (!g_currentProgress)
		return;
	int& state = g_currentProgress->aimStates[id];
	if (state != 0)
		return;
	if (text.empty())
		LOG(0, "Aim '%s' not found.", id.c_str());
	else
	{
		PlayClip(this, "task");
		if (cSceneObject* shown = GetChildList().FindChild("text_aim"))
			shown->GetProperties().SetProperty("text", Utf8FromWide(DisplayedAimText(text)));
		g_currentProgress->aimTexts[id] = sortNumber ? std::to_wstring(sortNumber) + L"#" + text : text;
		if (cSceneObject* flash = GetChildList().FindChild("pellith_get_aim"))
			flash->GetProperties().SetProperty("show_model", "true");
	}
	state = 1;
}

void cGamePanel::SolveAim(const std::string& id)
{
	if (!g_currentProgress)
		return;
	int& state = g_currentProgress->aimStates[id];
	if (state == 1)
		if (cSceneObject* flash = GetChildList().FindChild("pellith_solve_aim"))
			flash->GetProperties().SetProperty("show_model", "true");
	state = 2;
}

void cGamePanel::AnnounceOpenAims()
{
	if (!g_currentProgress)
		return;
	for (auto& [id, state] : g_currentProgress->aimStates)
		if (state == 1)
		{
			state = 0;
			// The stored text keeps its sort prefix.
			AddAim(id, g_currentProgress->aimTexts[id], 0);
		}
}

bool cGamePanel::IsTopModal() const
{
	return Singletone<cSceneManager>::GetInstance()->GetTopModal() == this;
}

bool cGamePanel::IsObjectivesPlaying() const
{
	return m_objectives && (m_objectives->GetAnimations().IsPlaying() || m_objectives->GetMotions().IsPlaying());
}

void cGamePanel::OnAimsButton(cSceneObject*)
{
	if (m_aimsListLock > 0 || IsDialogueRunning())
		return;
	if (IsTopModal())
		CloseAimsList();
	else
		OpenAimsList();
}

void cGamePanel::OpenAimsList()
{
	if (!g_currentProgress || !m_objectives)
		return;
	std::vector<std::wstring> texts;
	for (const auto& [id, state] : g_currentProgress->aimStates)
		if (state == 1)
			texts.push_back(g_currentProgress->aimTexts[id]);
	// Sorted as text: a sort prefix 10 comes before 2.
	std::sort(texts.begin(), texts.end());
	for (cSceneObject* layout : m_objectiveLayouts)
		if (layout)
			layout->SetVisible(false);
	if (texts.empty())
		return;
	m_objectives->SetVisible(true);
	PlayClip(m_objectives, "obj_show");
	const size_t shown = std::min(texts.size(), m_objectiveLayouts.size());
	if (cSceneObject* layout = m_objectiveLayouts[shown - 1])
	{
		layout->SetVisible(true);
		for (size_t i = 0; i < shown; ++i)
			if (cSceneObject* line = layout->GetChildList().FindChild("text_aim_" + std::to_string(i)))
				line->GetProperties().SetProperty("text", Utf8FromWide(DisplayedAimText(texts[i])));
	}
	SetModal(true);
}

void cGamePanel::CloseAimsList()
{
	if (IsObjectivesPlaying())
		return;
	SetModal(false);
	PlayClip(m_objectives, "obj_hide");
	m_aimsListLock = kAimsListLock;
}

void cGamePanel::AutoHideObjectives()
{
	if (m_objectives && m_objectives->IsVisible() && !IsTopModal() && !IsObjectivesPlaying())
		m_objectives->SetVisible(false);
}

void cGamePanel::ChargeHint(float dt)
{
	if (!g_currentProgress)
		return;
	float& charge = g_currentProgress->hintCharge;
	if (charge < 1)
	{
		// Once after each use of the hint.
		if (charge == 0)
			PlayClip(this, "hint");
		charge = std::clamp(charge + m_hintRechargeRate * dt, 0.0f, 1.0f);
		if (m_hintButton)
		{
			m_hintButton->GetAnimations().Seek(charge);
			m_hintButton->GetMotions().SeekByName("hint", charge);
			m_hintButton->SetEnabled(false);
		}
		if (charge >= 1)
		{
			cSoundRegistry::GetInstance()->Play(m_hintFullSound, false);
			PlayClip(this, "glow");
		}
		return;
	}
	if (m_hintButton)
	{
		m_hintButton->GetAnimations().Seek(1);
		m_hintButton->GetMotions().SeekByName("hint", 1);
		m_hintButton->SetEnabled(m_hintButtonEnabled);
	}
}

void cGamePanel::OnHintButton(cSceneObject*)
{
	if (IsDialogueRunning())
		return;
	ShowHintOnCurrentLocation();
	m_inputHandled = true;
}

std::vector<cInventory*> cGamePanel::SlotsHolding(const std::string& item) const
{
	std::vector<cInventory*> holding;
	for (cInventory* slot : m_activeSlots)
		if (slot->GetItemName() == item)
			holding.push_back(slot);
	return holding;
}

void cGamePanel::ShowHintAt(float x, float y, const std::string& itemName)
{
	auto playAt = [](cSceneObject* effect, float atX, float atY, float atZ) {
		if (!effect)
			return;
		cMatrix world;
		effect->GetTransform().SetWorldMatrix(world.MakeTranslation(cVector3d(atX, atY, atZ)));
		PlayClip(effect, "hint");
	};
	playAt(m_hintEffect, x, y, kHintDepth);
	cSoundRegistry::GetInstance()->Play(m_hintSound, false);
	if (itemName.empty())
	{
		playAt(m_itemHintEffect, -1000, -1000, 100);
		return;
	}
	for (cInventory* slot : SlotsHolding(itemName))
	{
		const cMatrix& world = slot->GetTransform().GetWorldMatrix();
		playAt(m_itemHintEffect, world._41, world._42, kHintDepth);
	}
}

// Inventory.

void cGamePanel::SetUpSlots()
{
	std::vector<cSceneObject*> slots;
	if (cSceneObject* parent = GetChildList().FindChild("slots_parent"))
	{
		// The scene was only just built: its world matrices are computed here.
		UpdateTransforms(true, true);
		m_slotsBase = parent->GetTransform().GetWorldMatrix();
		parent->GetChildList().CollectNumberedChildren(slots, "inventory_", 0);
	}
	else
		LOG(2, "game panel: no \"slots_parent\", the inventory has no slots");
	// Attaching the items list to the panel's own list scene once puts its
	// texts in their home places; it is detached again until a list is shown.
	ClearInventory();
	m_itemsList.SetLayout(GetIspyList(""), kItemsPrefix);
	ClearInventory();
	for (cSceneObject* object : slots)
	{
		auto* slot = dynamic_cast<cInventory*>(object);
		if (!slot)
		{
			LOG(2, "game panel: \"%s\" is not an inventory slot", object->GetName().c_str());
			continue;
		}
		m_slotHomes.push_back(slot->GetTransform().GetLocalMatrix());
		m_freeSlots.push_back(slot);
		slot->BindEvent("click", tEvent(MakeMemberDelegate(this, &cGamePanel::OnSlotClick)));
		slot->BindEvent("select", tEvent(MakeMemberDelegate(this, &cGamePanel::OnSlotSelect)));
		slot->BindEvent("drop", tEvent(MakeMemberDelegate(this, &cGamePanel::OnSlotDrop)));
	}
}

cInventory* cGamePanel::FindActiveSlot(const std::string& name) const
{
	auto slot = std::find_if(m_activeSlots.begin(), m_activeSlots.end(),
		[&name](const cInventory* active) { return active->GetItemName() == name; });
	return slot == m_activeSlots.end() ? nullptr : *slot;
}

void cGamePanel::AddInventoryItem(const cMatrix& from, const std::string& name, int count, bool fly)
{
	// Nothing to give: an entry of no name or of no units would be saved
	// and given again on every load.
	if (name.empty() || count <= 0)
		return;
	if (g_currentProgress)
		g_currentProgress->AddItemCount(name, count);
	cParticleSystem* particles = fly ? CreateEffect("fly_effect", from.GetTranslation(), nullptr) : nullptr;
	cInventory* slot = FindActiveSlot(name);
	if (!slot && !m_freeSlots.empty())
	{
		slot = m_freeSlots.back();
		m_freeSlots.pop_back();
		slot->GetTransform().SetLocalMatrix(m_slotHomes[m_activeSlots.size()]);
		m_activeSlots.push_back(slot);
		slot->SetItem(name);
	}
	if (slot)
		slot->AddItem(from, fly, count, particles);
	else
		delete particles;
}

void cGamePanel::RemoveInventoryItem(const std::string& name, int count)
{
	cInventory* slot = FindActiveSlot(name);
	// No more than the player holds is taken, so that no count falls below
	// zero; without a progress record the slot tells what is held.
	const int held = g_currentProgress ? g_currentProgress->GetItemCount(name) : slot ? slot->GetCount() : 0;
	const int taken = std::min(count, held);
	if (name.empty() || taken <= 0)
		return;
	if (g_currentProgress)
		g_currentProgress->AddItemCount(name, -taken);
	if (slot)
		slot->AddItem(cMatrix::Identity(), false, -taken, nullptr);
}

bool cGamePanel::HasInventoryItem(const std::string& name, int count) const
{
	const cInventory* slot = FindActiveSlot(name);
	return slot && slot->GetCount() >= count;
}

void cGamePanel::Combine(const std::vector<std::pair<std::string, std::string>>& pairs)
{
	cVector3d corner(1024, 768, 0);
	cInventory* leftmost = nullptr;
	std::vector<cInventory*> used;
	for (cInventory* slot : m_activeSlots)
	{
		auto pair = std::find_if(pairs.begin(), pairs.end(),
			[slot](const auto& entry) { return entry.second == slot->GetItemName(); });
		if (pair == pairs.end())
			continue;
		if (g_currentProgress)
			g_currentProgress->AddItemCount(pair->second, -slot->GetCount());
		used.push_back(slot);
		const cVector3d position = slot->GetTransform().GetWorldMatrix().GetTranslation();
		if (position.x < corner.x)
			leftmost = slot;
		corner = cVector3d(std::min(corner.x, position.x), std::min(corner.y, position.y),
			std::min(corner.z, position.z));
	}
	// All slide together; each fades out and empties itself.
	for (cInventory* slot : used)
	{
		slot->SetMoveTarget(corner);
		slot->SetMode(cInventory::kModeFadeThenEmpty);
		slot->SetPendingItem("");
	}
	if (!leftmost)
		return;
	// The leftmost one becomes the result instead, counted as it will show
	// it; a result of no units fades out with the others.
	const std::string& result = pairs.front().second;
	std::string name;
	const int count = cInventory::SplitItem(result, name);
	if (name.empty() || count <= 0)
		return;
	if (g_currentProgress)
		g_currentProgress->AddItemCount(name, count);
	leftmost->SetMode(cInventory::kModeBecomePending);
	leftmost->SetPendingItem(result);
}

void cGamePanel::ClearInventory()
{
	m_itemsList.Clear();
	for (cInventory* slot : m_activeSlots)
	{
		slot->SetItem("");
		m_freeSlots.push_back(slot);
	}
	m_activeSlots.clear();
	for (cInventory* slot : m_freeSlots)
		slot->Clear();
}

std::string cGamePanel::GetHeldItemName() const
{
	return m_heldSlot ? m_heldSlot->GetItemName() : std::string();
}

void cGamePanel::DropHeldItem()
{
	if (m_pickedUpThisFrame)
		return;
	m_heldModel.reset();
	m_heldSlot = nullptr;
}

bool cGamePanel::IsAnySlotMoving() const
{
	return std::any_of(m_activeSlots.begin(), m_activeSlots.end(), [](const cInventory* slot) { return slot->IsSliding(); });
}

bool cGamePanel::IsAnySlotFlying() const
{
	return std::any_of(m_activeSlots.begin(), m_activeSlots.end(),
		[](const cInventory* slot) { return slot->GetFlightCount() > 0; });
}

void cGamePanel::OnSlotClick(cSceneObject* object)
{
	if (IsDialogueRunning())
		return;
	m_inputHandled = true;
	auto* slot = static_cast<cInventory*>(object);
	if (m_heldSlot || std::find(m_activeSlots.begin(), m_activeSlots.end(), slot) == m_activeSlots.end())
		return;
	m_pickedUpThisFrame = true;
	m_heldSlot = slot;
	m_heldModel = std::make_unique<cModelController>(cModelHandle(slot->GetItemName()));
}

void cGamePanel::OnSlotSelect(cSceneObject* object)
{
	if (IsDialogueRunning())
		return;
	m_inputHandled = true;
	auto* slot = static_cast<cInventory*>(object);
	if (std::find(m_activeSlots.begin(), m_activeSlots.end(), slot) != m_activeSlots.end())
		SetTooltipText(cTextManager::GetInstance()->FindText("default", "inventory", slot->GetItemName()));
}

void cGamePanel::OnSlotDrop(cSceneObject* object)
{
	auto slot = std::find(m_activeSlots.begin(), m_activeSlots.end(), static_cast<cInventory*>(object));
	if (slot == m_activeSlots.end())
		return;
	m_freeSlots.push_back(*slot);
	const size_t first = size_t(slot - m_activeSlots.begin());
	m_activeSlots.erase(slot);
	// The later slots slide one place back.
	for (size_t position = first; position < m_activeSlots.size(); ++position)
		m_activeSlots[position]->SetMoveTarget(TransformPoint(m_slotHomes[position].GetTranslation(), m_slotsBase));
}

void cGamePanel::DrawHeldItem()
{
	if (!m_heldModel || !m_heldModel->GetModel() || !cGraphics::Exists())
		return;
	// Scaled to 0.8, its box centre 30 to the right of the cursor and 40 below it.
	constexpr float kScale = 0.8f;
	const cVector3d centre = m_heldModel->GetModel()->GetBoundingBox().GetCenter();
	const cVector3d& cursor = Singletone<cSceneManager>::GetInstance()->GetPickRay().origin;
	cMatrix world;
	world.MakeTranslationScale(
		cVector3d(cursor.x - (kScale * centre.x - 30), cursor.y - (kScale * centre.y + 40), 0),
		cVector3d(kScale, kScale, kScale));
	cGraphics* graphics = cGraphics::GetInstance();
	graphics->SetWorldMatrix(world);
	graphics->SetDepthTest(false);
	m_heldModel->Draw(sColor(1, 1, 1, 1));
	graphics->SetDepthTest(true);
}
