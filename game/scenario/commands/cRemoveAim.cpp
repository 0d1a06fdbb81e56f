#include "game/scenario/commands/cRemoveAim.h"

#include "game/location/cLocationForm.h"

void cRemoveAim::Execute()
{
	if (cLocationForm* form = GetForm())
		for (const std::string& name : m_names)
			form->RemoveAim(name);
}
