#include "game/scenario/commands/cGameCommand.h"

#include "engine/foundation/cLog.h"
#include "engine/foundation/cXmlNode.h"
#include "game/minigames/cMinigame.h"
#include "game/panel/cGamePanel.h"
#include "game/scenario/commands/CommandLocation.h"
#include "game/scenario/sEventContext.h"

namespace
{
// The depth at which a minigame is shown over the location.
constexpr float kMinigameDepth = -500.0f;
}

void cGameCommand::ParseItem(const cXmlNode& item)
{
	m_gameName = GetXmlAttribute(&item, "name", "");
	m_argument = GetXmlAttribute(&item, "arg", "");
	if (cLocationForm* form = LocationFormOf(m_location))
		m_minigame = form->CreateMinigame(m_gameName);
}

void cGameCommand::Execute()
{
	cLocationForm* form = LocationFormOf(m_location);
	if (!m_minigame || !form)
	{
		LOG(1, "Minigame '%s' does not exist; it counts as won", m_gameName.c_str());
		return;
	}
	if (cGamePanel* panel = cGamePanel::Get())
		panel->SetTooltipText(L"");
	m_minigame->MoveInSiblings(false);
	m_minigame->GetTransform().SetWorldMatrix(cMatrix().MakeTranslation(cVector3d(0, 0, kMinigameDepth)));
	m_minigame->Show();
	if (!m_argument.empty())
		m_minigame->NeedCode(form->GetName(), m_argument);
	// A framed minigame covers the location: a child form is drawn as the
	// minigame alone.
	if (m_minigame->GetBorder())
		form->SetDrawReplacement(form->IsMainForm() ? nullptr : m_minigame);
}

int cGameCommand::IsReady()
{
	if (!m_minigame)
	{
		m_outcome = "win";
		return kFinished;
	}
	if (m_minigame->IsVisible())
		return kRunning;
	if (cLocationForm* form = LocationFormOf(m_location))
		form->SetDrawReplacement(nullptr);
	m_outcome = m_minigame->GetResult();
	return kFinished;
}

void cGameCommand::CollectEvents(std::vector<cScenarioEvent>& events, bool filtered)
{
	const sEventContext& context = GetEventContext();
	cScenarioEvent start;
	start.kind = cScenarioEvent::kMinigame;
	start.object = context.object;
	start.item = context.item;
	start.position = context.position;
	events.push_back(start);
	cScenarioCommand::CollectEvents(events, filtered);
}
