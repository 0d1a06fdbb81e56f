#include "game/scenario/commands/cAddItem.h"

#include "engine/foundation/cLog.h"
#include "game/location/cLocationForm.h"

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
	form->AddRandomItemsToFind(m_names.size() < 2 ? 0 : atoi(m_names[1].c_str()));
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
