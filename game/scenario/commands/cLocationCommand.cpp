#include "game/scenario/commands/cLocationCommand.h"

#include "engine/foundation/cXmlNode.h"
#include "game/location/CurrentLocation.h"
#include "game/screens/cDiaryWindow.h"

void cLocationCommand::ParseItem(const cXmlNode& item)
{
	m_locationName = GetXmlAttribute(&item, "name", "");
}

void cLocationCommand::Execute()
{
	cDiaryWindow* diary = cDiaryWindow::Get();
	if (diary && !diary->IsVisible())
	{
		diary->SetNextMode(true);
		diary->Show();
	}
	SetNextLocation(m_locationName);
	g_scenarioChange = true;
}
