#include "game/scenario/commands/cChangeDialog.h"

#include "engine/foundation/cLog.h"
#include "game/location/cLocationForm.h"
#include "game/play/cDialogManager.h"

void cChangeDialog::Execute()
{
	if (m_names.empty())
	{
		const cLocationForm* form = GetForm();
		LOG(2, "Location '%s' error. \"changedialog\" names no dialogue parts", form ? form->GetName().c_str() : "");
		return;
	}
	if (cDialogManager* dialogue = cDialogManager::Get())
		dialogue->RenamePart(m_names.front(), m_names.back());
}
