#include "game/scenario/commands/cAddItem.h"

#include "engine/foundation/Random.h"
#include "engine/foundation/cLog.h"
#include "game/location/CurrentLocation.h"
#include "game/location/cLocationForm.h"
#include "game/panel/cGamePanel.h"

#include <algorithm>
#include <cstdlib>

void cAddItem::Execute()
{
	cLocationForm* form = GetForm();
	if (!form)
		return;
	if (m_names.empty())
	{
		LOG(2, "Location '%s' error. \"additem\" names no items to find", form->GetName().c_str());
		return;
	}
	if (m_names.front() != "random")
	{
		AddNamedItems(*form);
		return;
	}
	if (m_names.size() < 2)
		LOG(2, "Location '%s' error. \"additem\" \"random\" gives no number; no items are added", form->GetName().c_str());
	AddRandomItems(*form, m_names.size() < 2 ? 0 : atoi(m_names[1].c_str()));
}

void cAddItem::AddNamedItems(cLocationForm& form) const
{
	for (const std::string& name : m_names)
	{
		// Only direct children can be listed.
		if (!form.GetChildList().FindChild(name))
			LogMissingObject(name, __FILE__, __LINE__);
		else
			form.AddItemToFind(name);
	}
}

void cAddItem::AddRandomItems(cLocationForm& form, int count)
{
	cLocationForm& main = g_currentLocation ? *g_currentLocation : form;
	std::vector<sISpyGroup>& active = main.GetActiveISpyGroups();
	std::vector<sISpyGroup> candidates;
	for (const sISpyGroup& group : main.GetISpyGroups())
	{
		const bool listed = std::any_of(active.begin(), active.end(), [&](const sISpyGroup& a) { return a.text == group.text; });
		if (!listed && !group.objects.empty() && group.objects.front()->IsVisible())
			candidates.push_back(group);
	}
	cGamePanel* panel = cGamePanel::Get();
	for (int added = 0; added < count && !candidates.empty(); ++added)
	{
		const auto chosen = candidates.begin() + Random() % int(candidates.size());
		active.push_back(*chosen);
		for (cSceneObject* object : chosen->objects)
		{
			object->SetEnabled(true);
			if (panel)
				panel->AddItemToFind(object->GetName(), chosen->text);
		}
		candidates.erase(chosen);
	}
}
