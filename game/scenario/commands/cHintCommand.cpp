#include "game/scenario/commands/cHintCommand.h"

#include "engine/foundation/cLog.h"
#include "engine/foundation/cXmlNode.h"
#include "game/location/cLocationForm.h"
#include "game/panel/cGamePanel.h"
#include "game/play/cDialogManager.h"
#include "game/scenario/commands/cObjectListCommand.h"

void cHintCommand::ParseItem(const cXmlNode& item)
{
	m_partName = GetXmlAttribute(&item, "name", "");
}

void cHintCommand::Execute()
{
	cLocationForm* form = GetLocationForm(m_location);
	if (!form)
		return;
	form->SetEnabled(false);
	cDialogManager* dialogue = cDialogManager::Get();
	if (dialogue)
		dialogue->StartDialog(form->GetName(), m_partName);
	// A visible manager starts at once: without lines it is idle already.
	if (!dialogue || (dialogue->IsVisible() && !dialogue->IsActive()))
		LOG(2, "Location '%s' error. Dialogue part '%s' has no lines", form->GetName().c_str(), m_partName.c_str());
	if (cGamePanel* panel = cGamePanel::Get())
		panel->SetTooltipText(L"");
}

int cHintCommand::IsReady()
{
	const cDialogManager* dialogue = cDialogManager::Get();
	if (dialogue && dialogue->IsActive())
		return kRunning;
	if (cLocationForm* form = GetLocationForm(m_location))
		form->SetEnabled(true);
	return kFinished;
}
