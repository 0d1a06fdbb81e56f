#include "game/play/cInventory.h"

#include "engine/foundation/Clamp.h"
#include "engine/foundation/PropertyValue.h"
#include "engine/foundation/StringUtils.h"
#include "engine/graphics/cGraphics.h"
#include "engine/graphics/cModelHandle.h"
#include "engine/input/cInputManager.h"
#include "engine/scene/cQuadVisual.h"

#include <algorithm>

namespace
{
// A flight: 1.1 s, fading in for the first 0.3 s, then 70 % of the way in
// 0.4 s and the rest in the last 0.4 s; its trail runs 0.5 s longer.
constexpr float kFlightTime = 1.1f;
constexpr float kFadeInEnd = 0.8f;
constexpr float kFadeInTime = 0.3f;
constexpr float kFastPhaseEnd = 0.4f;
constexpr float kTrailExtra = 0.5f;
// Slides take 0.5 s, the fade-out of a used-up item 0.3 s.
constexpr float kSlideTime = 0.5f;
constexpr float kFadeTime = 0.3f;
constexpr float kMaxHoverScale = 1.12f;
// Depths: the slot's own, the flights and their trails, the item model.
constexpr float kSlotDepth = -40;
constexpr float kFlightDepth = -1100;
constexpr float kTrailDepth = -1200;
constexpr float kModelDepth = -1080;
constexpr int kSlotSortKey = 20;
constexpr int kCountSortKey = 51;

// The model resource named like the item, or null when there is none: an
// item without a model is shown without one.
std::unique_ptr<cModelController> LoadItemModel(const std::string& name)
{
	auto model = std::make_unique<cModelController>(cModelHandle(name));
	if (!model->GetModel())
		model.reset();
	return model;
}
}

cInventory::cInventory(const std::string& name, cSceneObject* parent) : cSceneObject(name, parent)
{
	for (const char* event : { "click", "select", "drop" })
		GetEvents()[event];
	m_ownVisual = new cQuadVisual(this);
	SetVisual(m_ownVisual);
}

cInventory::~cInventory() = default;

int cInventory::SplitItem(const std::string& item, std::string& name)
{
	const size_t hash = item.find('#');
	name = item.substr(0, hash);
	return hash == std::string::npos ? 1 : StringToInt(item.substr(hash + 1));
}

void cInventory::OnLoaded()
{
	SetSortKey(kSlotSortKey);
}

bool cInventory::HandleInput()
{
	if (m_count <= 0)
		return false;
	m_hovered = m_ownVisual->HitTest(GetLocalPickRay());
	if (m_hovered)
	{
		FireEvent("select");
		if (cInputManager::GetInstance()->IsPressed(cInputManager::kMouseSlot, cInputManager::kLeftButton))
			FireEvent("click");
	}
	return false;
}

void cInventory::SetItem(const std::string& name)
{
	GetTransform().SetColor(1, 1, 1, 1);
	m_itemName = name;
	m_fadeTimer = -1;
	m_count = 0;
	m_mode = kModeNone;
	m_countVisible = false;
	if (cSceneObject* count = GetChildList().FindChild("count"))
		count->SetVisible(false);
	if (name.empty())
	{
		m_itemModel.reset();
		return;
	}
	cMatrix local = GetTransform().GetLocalMatrix();
	local._43 = kSlotDepth;
	GetTransform().SetLocalMatrix(local);
	m_itemModel = LoadItemModel(name);
}

void cInventory::AddItem(const cMatrix& from, bool fly, int delta, cParticleSystem* particles)
{
	const int old = m_count;
	m_count += delta;
	if (delta > 0 && fly)
	{
		sInventoryItem flight;
		if (m_itemModel)
			flight.model = std::make_unique<cModelController>(*m_itemModel);
		flight.start = from;
		flight.current = from;
		flight.colour = sColor(1, 1, 1, 0);
		flight.timeLeft = kFlightTime;
		if (particles)
		{
			flight.particles.reset(particles);
			particles->SetLoop(false);
			particles->SetDuration(kFlightTime + kTrailExtra);
		}
		m_flights.push_back(std::move(flight));
	}
	else
	{
		delete particles;
		ShowCount();
	}
	if (old > 0 && m_count <= 0)
	{
		m_count = 0;
		Drop();
	}
	if (m_count <= 1)
		SetCountText("");
	else if (!fly)
		SetCountText(IntToString(m_count));
}

void cInventory::RefreshCount()
{
	if (m_count > 0)
		SetCountText(m_count < 2 ? "" : IntToString(m_count));
}

void cInventory::Clear()
{
	m_itemModel.reset();
	m_flights.clear();
}

void cInventory::SetMoveTarget(const cVector3d& target)
{
	if (m_mode != kModeNone)
		return;
	m_slideTimer = kSlideTime;
	m_slideVelocity = target - GetTransform().GetWorldMatrix().GetTranslation();
	m_slideTarget = target;
}

void cInventory::Update(float dt)
{
	cSceneObject::Update(dt);
	if (m_fadeTimer > 0)
	{
		m_fadeTimer -= dt;
		GetTransform().SetColor(1, 1, 1, Clamp(m_fadeTimer / kFadeTime, 0, 1));
	}
	m_hoverScale = Clamp(m_hovered ? m_hoverScale + dt : m_hoverScale - dt, 1.0f, kMaxHoverScale);
	UpdateFlights(dt);
	UpdateSlide(dt);
}

void cInventory::UpdateFlights(float dt)
{
	for (size_t index = 0; index < m_flights.size();)
	{
		if (UpdateFlight(m_flights[index], dt))
		{
			Land();
			m_flights.erase(m_flights.begin() + index);
		}
		else
			++index;
	}
}

bool cInventory::UpdateFlight(sInventoryItem& flight, float dt)
{
	const float before = flight.timeLeft;
	flight.timeLeft -= dt;
	if (before >= kFadeInEnd)
		flight.colour.a = 1 - Clamp((flight.timeLeft - kFadeInEnd) / kFadeInTime, 0, 1);
	else
	{
		const float share = before >= kFastPhaseEnd ? 0.7f : 0.3f;
		flight.progress = std::min(flight.progress + dt * share / kFastPhaseEnd, 1.0f);
		const cVector3d start = flight.start.GetTranslation();
		const cVector3d slot = GetTransform().GetWorldMatrix().GetTranslation();
		flight.current.SetTranslation(start + (slot - start) * flight.progress);
	}
	if (flight.particles)
	{
		cMatrix trail = flight.particles->GetTransform();
		trail.SetTranslation(cVector3d(flight.current._41, flight.current._42, kTrailDepth));
		flight.particles->SetTransform(trail);
		flight.particles->Update(dt);
	}
	return flight.timeLeft < 0 && (!flight.particles || !flight.particles->IsRunning());
}

void cInventory::Land()
{
	m_countVisible = true;
	cSceneObject* count = GetChildList().FindChild("count");
	if (!count)
		return;
	count->SetSortKey(kCountSortKey);
	if (m_count > 1)
		count->GetProperties().SetProperty("text", IntToString(m_count));
	count->SetVisible(true);
	cMatrix world = count->GetTransform().GetWorldMatrix();
	world._43 = GetTransform().GetWorldMatrix()._43;
	count->GetTransform().SetWorldMatrix(world);
}

void cInventory::UpdateSlide(float dt)
{
	if (m_slideTimer < 0)
		return;
	cMatrix world = GetTransform().GetWorldMatrix();
	cVector3d position = world.GetTranslation() + m_slideVelocity * (dt / kSlideTime);
	m_slideTimer -= dt;
	if (m_slideTimer < 0)
	{
		m_slideTimer = -1;
		position = m_slideTarget;
		world.SetTranslation(position);
		GetTransform().SetWorldMatrix(world);
		EndSlide();
		return;
	}
	world.SetTranslation(position);
	GetTransform().SetWorldMatrix(world);
}

void cInventory::EndSlide()
{
	const int mode = m_mode;
	m_mode = kModeNone;
	if (mode == kModeBecomePending)
	{
		std::string name;
		const int count = SplitItem(m_pendingItem, name);
		SetItem(name);
		AddItem(cMatrix::Identity(), false, count, nullptr);
	}
	else if (mode == kModeEmpty)
	{
		m_count = 0;
		Drop();
	}
	else if (mode == kModeFadeThenEmpty)
	{
		// The slot stays in place while it fades, then empties.
		m_fadeTimer = kFadeTime;
		m_slideTimer = kFadeTime;
		m_slideVelocity = cVector3d(0, 0, 0);
		m_mode = kModeEmpty;
	}
}

void cInventory::Drop()
{
	m_itemModel.reset();
	FireEvent("drop");
}

void cInventory::SetCountText(const std::string& text)
{
	if (cSceneObject* count = GetChildList().FindChild("count"))
		count->GetProperties().SetProperty("text", text);
}

void cInventory::ShowCount()
{
	if (cSceneObject* count = GetChildList().FindChild("count"))
		count->SetVisible(true);
	m_countVisible = true;
}

void cInventory::DrawSelf()
{
	cGraphics* graphics = cGraphics::GetInstance();
	for (sInventoryItem& flight : m_flights)
	{
		cMatrix placement = flight.current;
		placement._43 = kFlightDepth;
		if (flight.particles)
			flight.particles->Render();
		graphics->SetWorldMatrix(placement);
		if (flight.model)
			flight.model->Draw(flight.colour);
	}
	if (!m_itemModel || !m_countVisible)
		return;
	// The model's box centre on the slot, scaled up while hovered.
	const cVector3d centre = m_itemModel->GetModel()->GetBoundingBox().GetCenter();
	cMatrix world = GetTransform().GetWorldMatrix();
	world.SetTranslation(cVector3d(world._41 - centre.x, world._42 - centre.y, kModelDepth - centre.z));
	cMatrix scale;
	scale.MakeTranslationScale(cVector3d(0, 0, 0), cVector3d(m_hoverScale, m_hoverScale, m_hoverScale));
	graphics->SetWorldMatrix(scale * world);
	m_itemModel->Draw(GetTransform().GetEffectiveColor());
}

cSceneObject* CreateInventoryObject(const std::string& name, cSceneObject* parent)
{
	return new cInventory(name, parent);
}
