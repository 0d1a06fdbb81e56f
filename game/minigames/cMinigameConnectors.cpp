#include "game/minigames/cMinigameConnectors.h"

#include "engine/foundation/cLog.h"
#include "engine/input/cInputManager.h"
#include "engine/scene/cCameraObject.h"
#include "engine/scene/cSceneManager.h"
#include "game/minigames/MinigameParts.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace
{
// In wire order: the wire objects and the kind of place each fits.
const char* const kWireNames[cMinigameConnectors::kWires] = {"wire_00", "wire_02", "wire_01", "wire_03", "wire_04", "wire_05"};
enum ePlaceKind
{
	kHorizontal,
	kDiagonal,
	kVertical
};
const ePlaceKind kWireKinds[cMinigameConnectors::kWires] = {kHorizontal, kHorizontal, kDiagonal, kDiagonal, kDiagonal, kVertical};

const int kFixedLinks[][2] = {{0, 1}, {2, 3}, {4, 5}, {3, 8}, {6, 7}, {10, 11}, {7, 12}, {9, 14}, {10, 15}, {13, 18},
	{16, 22}, {17, 23}, {19, 26}, {15, 20}, {22, 28}, {24, 30}, {25, 31}, {27, 33}, {31, 32}, {34, 35}};

// A wire taken up lies this far in front.
constexpr float kHeldDepth = -326.0f;
constexpr int kHeldSortKey = 1;

void EraseLink(std::multimap<int, int>& links, int from, int to)
{
	auto [first, last] = links.equal_range(from);
	while (first != last)
		first = first->second == to ? links.erase(first) : std::next(first);
}
}

cMinigameConnectors::cMinigameConnectors(cSceneObject* parent) : cMinigame("connectors", parent)
{
	cChildList& children = GetChildList();
	if (cSceneObject* back = children.FindChild("back"))
	{
		UpdateTransforms(false, false);
		ClipCameraTo(*this, *back);
	}
	else
		LOG(2, "connectors: no \"back\" in the scene");
	children.CollectNumberedChildren(m_vPlaces, "v_place_", 1);
	children.CollectNumberedChildren(m_hPlaces, "h_place_", 1);
	children.CollectNumberedChildren(m_dPlaces, "d_place_", 1);
	children.CollectNumberedChildren(m_lamps, "lamp_", 1);
	for (const auto* places : {&m_vPlaces, &m_hPlaces, &m_dPlaces})
		for (cSceneObject* place : *places)
			place->SetVisible(false);
	for (const char* name : kWireNames)
	{
		cSceneObject* wire = children.FindChild(name);
		if (!wire)
			LOG(2, "connectors: no \"%s\" in the scene", name);
		m_wires.push_back(wire);
		m_startMatrices.push_back(wire ? wire->GetTransform().GetLocalMatrix() : cMatrix());
	}
	m_indicator = children.FindChild("indicator");
	if (!m_indicator)
		LOG(2, "connectors: no \"indicator\" in the scene");
	for (const auto& link : kFixedLinks)
		AddLink(link[0], link[1]);
	m_fixedLinks = m_links;
	m_placements.assign(kWires, nullptr);
	MapSound("put", "connect");
	MapSound("take", "button_click");
}

void cMinigameConnectors::Show()
{
	cMinigame::Show();
	if (m_indicator)
		m_indicator->SetVisible(false);
	m_placements.assign(kWires, nullptr);
	for (cSceneObject* lamp : m_lamps)
		lamp->SetVisible(false);
	for (size_t i = 0; i < m_wires.size(); ++i)
		if (m_wires[i])
			m_wires[i]->GetTransform().SetLocalMatrix(m_startMatrices[i]);
	m_held = nullptr;
	m_links = m_fixedLinks;
	Relight();
}

void cMinigameConnectors::AddLink(int a, int b)
{
	m_links.emplace(a, b);
	m_links.emplace(b, a);
}

void cMinigameConnectors::RemoveLink(int a, int b)
{
	EraseLink(m_links, a, b);
	EraseLink(m_links, b, a);
}

std::pair<int, int> cMinigameConnectors::ReadLink(cSceneObject* place) const
{
	int a = -1;
	int b = -1;
	const std::string& text = place->GetProperties().GetProperty("link");
	if (std::sscanf(text.c_str(), "%i-%i", &a, &b) != 2)
	{
		LOG(2, "connectors: \"%s\" has no link \"a-b\" but \"%s\"", place->GetName().c_str(), text.c_str());
		return {-1, -1};
	}
	return {a, b};
}

bool cMinigameConnectors::IsLit(int node) const
{
	return node >= 0 && size_t(node) < m_lamps.size() && m_lamps[size_t(node)]->IsVisible();
}

void cMinigameConnectors::Relight()
{
	for (cSceneObject* lamp : m_lamps)
		lamp->SetVisible(false);
	LightFrom(0);
}

// A node without a lamp is never lit, so the flood does not pass it.
void cMinigameConnectors::LightFrom(int node)
{
	if (node < 0 || size_t(node) >= m_lamps.size() || IsLit(node))
		return;
	if (node == kGoalNode)
	{
		if (m_indicator)
			m_indicator->SetVisible(true);
		m_solved = true;
		m_victoryDelay = PlaySound("victory", false, true);
	}
	m_lamps[size_t(node)]->SetVisible(true);
	auto [first, last] = m_links.equal_range(node);
	std::vector<int> next;
	for (; first != last; ++first)
		next.push_back(first->second);
	for (int other : next)
		LightFrom(other);
}

bool cMinigameConnectors::HandleInput()
{
	if (m_solved)
		return false;
	if (!cInputManager::GetInstance()->IsPressed(cInputManager::kMouseSlot, cInputManager::kLeftButton))
		FollowCursor();
	else if (m_held)
		Put();
	else
		Take();
	return false;
}

void cMinigameConnectors::FollowCursor()
{
	const sRay& ray = cSceneManager::GetInstance()->GetPickRay();
	if (!m_held || !m_windowBox.IntersectsSegment(ray))
		return;
	cMatrix world = m_held->GetTransform().GetWorldMatrix();
	world._41 = ray.origin.x;
	world._42 = ray.origin.y;
	m_held->GetTransform().SetWorldMatrix(world);
}

void cMinigameConnectors::Take()
{
	for (size_t i = 0; i < m_wires.size(); ++i)
	{
		cSceneObject* wire = m_wires[i];
		if (!wire || !wire->HitTestVisual(wire->GetLocalPickRay()))
			continue;
		m_held = wire;
		PlaySound("take", false, true);
		cMatrix local = wire->GetTransform().GetLocalMatrix();
		local._43 = kHeldDepth;
		wire->GetTransform().SetLocalMatrix(local);
		wire->SetSortKey(kHeldSortKey);
		if (cSceneObject* place = m_placements[i])
		{
			const auto [a, b] = ReadLink(place);
			RemoveLink(a, b);
			m_placements[i] = nullptr;
			Relight();
		}
		return;
	}
}

const std::vector<cSceneObject*>& cMinigameConnectors::PlacesFor(int wire) const
{
	switch (kWireKinds[wire])
	{
	case kHorizontal:
		return m_hPlaces;
	case kDiagonal:
		return m_dPlaces;
	default:
		return m_vPlaces;
	}
}

void cMinigameConnectors::Put()
{
	const auto held = std::find(m_wires.begin(), m_wires.end(), m_held);
	const size_t index = size_t(held - m_wires.begin());
	m_held = nullptr;
	cSceneObject* target = nullptr;
	for (cSceneObject* place : PlacesFor(int(index)))
		if (place->HitTestVisual(place->GetLocalPickRay()))
		{
			target = place;
			break;
		}
	const bool taken = std::find(m_placements.begin(), m_placements.end(), target) != m_placements.end();
	cSceneObject* wire = m_wires[index];
	if (!target || taken)
	{
		wire->GetTransform().SetLocalMatrix(m_startMatrices[index]);
		return;
	}
	PlaySound("put", false, true);
	cMatrix placed;
	placed.MakeTranslation(target->GetTransform().GetWorldMatrix().GetTranslation());
	wire->GetTransform().SetWorldMatrix(placed);
	const auto [a, b] = ReadLink(target);
	AddLink(a, b);
	m_placements[index] = target;
	Relight();
}
