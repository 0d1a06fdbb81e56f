#include "game/panel/cItemsList.h"

#include "engine/foundation/Clamp.h"
#include "engine/foundation/PropertyValue.h"
#include "engine/scene/cSceneObject.h"
#include "engine/sound/cSoundRegistry.h"
#include "engine/sound/cSoundResource.h"

#include <algorithm>

namespace
{
// The seconds a crossed-out text takes to fade, and a text to slide up.
constexpr float kFadeTime = 0.5f;
constexpr float kSlideTime = 0.5f;
// The depth at which a newly listed text is placed.
constexpr float kTextDepth = -200;

}

cItemsList::cItemsList()
{
	m_crossoutSound.BindByName<cSoundResource>("crossout");
}

std::string cItemsList::DisplayText(const std::string& text, int count)
{
	if (count >= 2)
		return text.empty() ? IntToString(count) : text + "x" + IntToString(count);
	return text.empty() ? "1" : text;
}

void cItemsList::SetLayout(cSceneObject* layout, const std::string& prefix)
{
	if (layout == m_layout)
		return;
	Detach();
	m_layout = layout;
	if (!layout)
		return;
	layout->GetChildList().CollectNumberedChildren(m_allSlots, prefix, 0);
	m_freeSlots = m_allSlots;
	for (cSceneObject* slot : m_allSlots)
		m_homePositions.push_back(slot->GetTransform().GetLocalMatrix().GetTranslation());
}

void cItemsList::AddItem(const std::string& name, const std::string& text)
{
	for (size_t index = 0; index < m_entries.size(); ++index)
	{
		sItemEntry& entry = m_entries[index];
		if (entry.text != text)
			continue;
		++entry.count;
		entry.names.push_back(name);
		m_usedSlots[index]->GetProperties().SetProperty("text", DisplayText(text, entry.count));
		return;
	}
	if (m_freeSlots.empty())
		return;
	const size_t position = m_entries.size();
	m_entries.push_back({ text, { name }, 1 });
	cSceneObject* slot = m_freeSlots.back();
	m_freeSlots.pop_back();
	m_usedSlots.push_back(slot);
	slot->GetProperties().SetProperty("text", DisplayText(text, 1));
	slot->GetAnimations().PlayByName("reset");
	cTransformNode& transform = slot->GetTransform();
	cMatrix placement = transform.GetWorldMatrix();
	const cVector3d& home = m_homePositions[position];
	placement.SetTranslation(cVector3d(home.x, home.y, kTextDepth));
	transform.SetLocalMatrix(placement);
	transform.SetColor(1, 1, 1, 1);
}

cSceneObject* cItemsList::MarkFound(const std::string& name)
{
	bool listed = false;
	for (size_t index = 0; index < m_entries.size(); ++index)
	{
		sItemEntry& entry = m_entries[index];
		if (std::find(entry.names.begin(), entry.names.end(), name) == entry.names.end())
			continue;
		listed = true;
		// An entry already counted down takes no more finds: a second report
		// of one object would otherwise count below zero.
		if (entry.count <= 0)
			continue;
		cSceneObject* slot = m_usedSlots[index];
		if (--entry.count > 0)
		{
			slot->GetProperties().SetProperty("text", DisplayText(entry.text, entry.count));
			return nullptr;
		}
		slot->GetAnimations().PlayByName("complete");
		if (slot->GetAnimations().IsPlayingByName("complete"))
			Singletone<cSoundRegistry>::GetInstance()->Play(m_crossoutSound, false);
		m_crossouts.push_back({ int(index), kFadeTime });
		return nullptr;
	}
	if (listed || !m_layout)
		return nullptr;
	return m_layout->GetChildList().FindChild(name);
}

void cItemsList::Update(float dt)
{
	UpdateSlides(dt);
	UpdateCrossouts(dt);
}

void cItemsList::UpdateSlides(float dt)
{
	for (size_t index = 0; index < m_slides.size();)
	{
		sItemSlide& slide = m_slides[index];
		slide.timeLeft -= dt;
		cTransformNode& transform = slide.slot->GetTransform();
		cMatrix world = transform.GetWorldMatrix();
		world.SetTranslation(world.GetTranslation() + slide.offset * (dt / slide.duration));
		if (slide.timeLeft <= 0)
		{
			world._41 = slide.end.x;
			world._42 = slide.end.y;
		}
		transform.SetWorldMatrix(world);
		if (slide.timeLeft <= 0)
			m_slides.erase(m_slides.begin() + index);
		else
			++index;
	}
}

void cItemsList::UpdateCrossouts(float dt)
{
	for (size_t index = 0; index < m_crossouts.size();)
	{
		sCrossout& crossout = m_crossouts[index];
		cSceneObject* slot = m_usedSlots[crossout.entry];
		if (slot->GetAnimations().IsPlaying())
		{
			++index;
			continue;
		}
		crossout.timeLeft -= dt;
		slot->GetTransform().SetColor(1, 1, 1, Clamp(2 * crossout.timeLeft, 0, 1));
		if (crossout.timeLeft > 0)
		{
			++index;
			continue;
		}
		const int entry = crossout.entry;
		CloseGap(entry);
		m_crossouts.erase(m_crossouts.begin() + index);
		for (sCrossout& later : m_crossouts)
			if (later.entry > entry)
				--later.entry;
	}
}

void cItemsList::CloseGap(int entry)
{
	for (size_t j = entry + 1; j < m_usedSlots.size(); ++j)
		AddSlide(m_usedSlots[j], m_homePositions[j - 1] - m_homePositions[j]);
	cSceneObject* slot = m_usedSlots[entry];
	m_entries.erase(m_entries.begin() + entry);
	m_usedSlots.erase(m_usedSlots.begin() + entry);
	m_freeSlots.push_back(slot);
}

void cItemsList::AddSlide(cSceneObject* slot, const cVector3d& offset)
{
	for (sItemSlide& slide : m_slides)
	{
		if (slide.slot != slot)
			continue;
		// A slot still moving goes on in a longer slide to one place beyond
		// where it was going; its current place is only part of the way.
		slide.offset += offset;
		slide.end += offset;
		slide.timeLeft += kSlideTime;
		slide.duration += kSlideTime;
		return;
	}
	const cVector3d end = slot->GetTransform().GetWorldMatrix().GetTranslation() + offset;
	m_slides.push_back({ offset, end, slot, kSlideTime, kSlideTime });
}

void cItemsList::Clear()
{
	for (cSceneObject* slot : m_usedSlots)
	{
		slot->GetProperties().SetProperty("text", "");
		m_freeSlots.push_back(slot);
	}
	m_usedSlots.clear();
	Detach();
}

void cItemsList::Detach()
{
	m_slides.clear();
	m_crossouts.clear();
	m_entries.clear();
	if (m_layout)
		for (size_t index = 0; index < m_allSlots.size(); ++index)
		{
			cMatrix home;
			home.MakeTranslation(m_homePositions[index]);
			m_allSlots[index]->GetTransform().SetLocalMatrix(home);
		}
	m_layout = nullptr;
	m_usedSlots.clear();
	m_freeSlots.clear();
	m_allSlots.clear();
	m_homePositions.clear();
}

void cItemsList::ReleaseLayout(cSceneObject* layout)
{
	if (layout == m_layout)
		Clear();
}
