#include "game/minigames/cMinigamePicture.h"

#include "engine/foundation/cLog.h"
#include "engine/input/cInputManager.h"
#include "platform/dinput/DInputKeys.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr float kSlotDistance = 10;
const char* const kSwitch = "switch";

void SetNormal(cSceneObject* piece)
{
	piece->GetTransform().SetColor(1, 1, 1, 1);
}

// The centre of the object's world box in x and y.
cVector3d BoxCentre(cSceneObject* object)
{
	cTransformNode& transform = object->GetTransform();
	if (transform.IsWorldBoxDirty())
		transform.UpdateWorldBox();
	const cBoundingBox& box = transform.GetWorldBox();
	return cVector3d((box.min.x + box.max.x) / 2, (box.min.y + box.max.y) / 2, 0);
}

// The 1-based number of the slot in its ring's list.
int SlotNumber(const std::vector<cSceneObject*>& slots, const cSceneObject* slot)
{
	return int(std::find(slots.begin(), slots.end(), slot) - slots.begin()) + 1;
}
}

cMinigamePicture::cMinigamePicture(cSceneObject* parent) : cMinigame("picture", parent)
{
	for (int ring = 0; ring < kRings; ++ring)
	{
		const std::string number = std::to_string(ring + 1);
		GetChildList().CollectNumberedChildren(m_pieces[ring], "ring_" + number + "_", 1);
		GetChildList().CollectNumberedChildren(m_slots[ring], "dummy_" + number + "_", 1);
		if (m_slots[ring].size() < m_pieces[ring].size())
			LOG(2, "picture: ring %d has %d pieces but %d slots", ring + 1, int(m_pieces[ring].size()),
				int(m_slots[ring].size()));
	}
	MapSound(kSwitch, "wood_take");
}

void cMinigamePicture::Show()
{
	cMinigame::Show();
	for (int ring = 0; ring < kRings; ++ring)
	{
		for (cSceneObject* piece : m_pieces[ring])
			SetNormal(piece);
		for (cSceneObject* slot : m_slots[ring])
			slot->SetVisible(false);
	}
	m_selected = nullptr;
	m_selectedSlot = nullptr;
	m_partner = nullptr;
	m_swapStarted = false;
}

void cMinigamePicture::Hide()
{
	cMinigame::Hide();
	if (!m_partner)
		return;
	// The flights jump to their ends, so that each piece lands where it was going.
	for (sRider& rider : m_riders)
		rider.slot->GetMotions().SeekByName(rider.flight, rider.slot->GetMotions().GetLengthByName(rider.flight));
	EndSwap();
}

std::string cMinigamePicture::FindSlotUnder(cSceneObject* piece, const std::vector<cSceneObject*>& slots)
{
	const cVector3d centre = BoxCentre(piece);
	for (cSceneObject* slot : slots)
	{
		const cVector3d slotCentre = BoxCentre(slot);
		if (std::hypot(centre.x - slotCentre.x, centre.y - slotCentre.y) < kSlotDistance)
			return slot->GetName();
	}
	return std::string();
}

void cMinigamePicture::CheckSolved()
{
	for (int ring = 0; ring < kRings; ++ring)
		for (size_t j = 0; j < m_pieces[ring].size(); ++j)
			if (FindSlotUnder(m_pieces[ring][j], m_slots[ring]) !=
				"dummy_" + std::to_string(ring + 1) + "_" + std::to_string(j + 1))
				return;
	Solve();
}

cSceneObject* cMinigamePicture::FirstHit(const std::vector<cSceneObject*>& objects, const cSceneObject* except)
{
	for (cSceneObject* object : objects)
		if (object != except && object->HitTestVisual(object->GetLocalPickRay()))
			return object;
	return nullptr;
}

bool cMinigamePicture::HandleInput()
{
	if (m_solved || m_partner || m_swapStarted)
		return false;
	cInputManager* input = cInputManager::GetInstance();
	if (input->IsPressed(cInputManager::kKeyboardSlot, DIK_F5))
		CheckSolved();
	if (!input->IsPressed(cInputManager::kMouseSlot, cInputManager::kLeftButton))
		return false;
	if (m_selected)
		SwapWithPressed();
	else
		Select();
	return false;
}

void cMinigamePicture::Select()
{
	for (int ring = 0; ring < kRings; ++ring)
		if (cSceneObject* piece = FirstHit(m_pieces[ring]))
		{
			m_selected = piece;
			m_selectedRing = ring;
			m_selectedSlot = FirstHit(m_slots[ring]);
			piece->GetTransform().SetColor(0.7f, 0.7f, 0.7f, 1);
			return;
		}
}

void cMinigamePicture::SwapWithPressed()
{
	const std::vector<cSceneObject*>& slots = m_slots[m_selectedRing];
	cSceneObject* partner = FirstHit(m_pieces[m_selectedRing], m_selected);
	cSceneObject* partnerSlot = partner ? FirstHit(slots) : nullptr;
	// A piece that lies over no slot has no place to fly to: no swap.
	if (!partner || !partnerSlot || !m_selectedSlot)
	{
		if (partner)
			SetNormal(partner);
		ClearSelection();
		return;
	}
	m_partner = partner;
	m_riders[0] = { m_selected, m_selectedSlot, "fly_to_" + std::to_string(SlotNumber(slots, partnerSlot)) };
	m_riders[1] = { partner, partnerSlot, "fly_to_" + std::to_string(SlotNumber(slots, m_selectedSlot)) };
	for (sRider& rider : m_riders)
	{
		rider.piece->GetChildList().SetParent(rider.slot, true);
		// Hidden slots would neither fly nor be drawn with their rider.
		rider.slot->SetVisible(true);
		rider.slot->GetMotions().PlayByName(rider.flight);
	}
	PlaySound(kSwitch, false, true);
	m_swapStarted = true;
	SetNormal(m_selected);
}

void cMinigamePicture::ClearSelection()
{
	SetNormal(m_selected);
	m_selected = nullptr;
	m_selectedSlot = nullptr;
}

void cMinigamePicture::EndSwap()
{
	for (sRider& rider : m_riders)
	{
		// The flight's last pose reaches the piece's world matrix first.
		rider.slot->UpdateTransforms(false, false);
		rider.piece->GetChildList().SetParent(this, true);
		rider.slot->GetMotions().PlayByName("start");
		// Home at once, so that this frame's check finds the slot there.
		rider.slot->UpdateTransforms(false, false);
		rider.slot->SetVisible(false);
	}
	m_partner = nullptr;
	m_swapStarted = false;
	ClearSelection();
}

void cMinigamePicture::Update(float dt)
{
	cMinigame::Update(dt);
	if (m_swapStarted)
	{
		m_swapStarted = false;
		return;
	}
	if (m_partner && !IsBusy())
		EndSwap();
	if (!m_solved)
		CheckSolved();
}
