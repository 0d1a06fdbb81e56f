#include "game/scenario/commands/cDelay.h"

#include "engine/foundation/PropertyValue.h"
#include "engine/foundation/cWin32Application.h"
#include "engine/foundation/cXmlNode.h"
#include "engine/input/cInputManager.h"
#include "game/scenario/commands/CommandLocation.h"

namespace
{
double Now()
{
	return cWin32Application::GetInstance()->GetTime();
}

bool LeftButtonWentDown()
{
	return cInputManager::Exists() &&
		cInputManager::GetInstance()->IsPressed(cInputManager::kMouseSlot, cInputManager::kLeftButton);
}
}

void cDelay::ParseItem(const cXmlNode& item)
{
	const std::string text = GetXmlAttribute(&item, "name", "");
	m_clickMode = text == "click";
	if (!m_clickMode)
		m_duration = TextToFloat(text);
}

void cDelay::Execute()
{
	m_startTime = Now();
}

int cDelay::IsReady()
{
	if (m_clickMode)
		return LeftButtonWentDown() ? kFinished : kRunning;
	if (m_duration != 0)
		return Now() - m_startTime >= m_duration ? kFinished : kRunning;
	cLocationForm* form = LocationFormOf(m_location);
	if (!form)
		return kFinished;
	if (form->GetWaitList().IsBusy())
		return kRunning;
	form->GetWaitList().Clear();
	return kFinished;
}
