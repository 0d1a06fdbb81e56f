#include "game/scenario/commands/cClick.h"

#include "engine/foundation/cLog.h"
#include "engine/foundation/cXmlNode.h"
#include "engine/input/cCursorManager.h"
#include "game/location/cLocationForm.h"
#include "game/panel/cGamePanel.h"
#include "game/scenario/commands/cObjectListCommand.h"
#include "game/scenario/sEventContext.h"

namespace
{
// The location shows the lens over an object whose click opens a sub-location.
bool IsLensShown()
{
	return cCursorManager::Exists() && cCursorManager::GetInstance()->GetCursorName() == "lens";
}

std::string HeldItemName()
{
	const cGamePanel* panel = cGamePanel::Get();
	return panel ? panel->GetHeldItemName() : std::string();
}
}

int cClick::IsReady()
{
	if (!IsLensShown() && HeldItemName() != m_item)
		return kNoBranch;
	const cLocationForm* form = GetLocationForm(m_location);
	m_outcome = form ? form->GetClickedName() : std::string();
	return m_outcome.empty() ? kNoBranch : kFinished;
}

void cClick::BeforeRunChild()
{
	if (cLocationForm* form = GetLocationForm(m_location))
		form->SetClickConsumed(true);
}

bool cClick::Load(const cXmlNode& element)
{
	m_item = GetXmlAttribute(&element, "name", "");
	return cScenarioCommand::Load(element);
}

void cClick::CollectEvents(std::vector<cScenarioEvent>& events, bool filtered)
{
	sEventContext& context = GetEventContext();
	const sEventContext kept = context;
	cLocationForm* form = GetLocationForm(m_location);
	const bool held = m_item.empty() || (form && form->HasInventoryItem(m_item, 0));
	if (form && held && !(filtered && !m_item.empty()))
	{
		context.item = m_item;
		for (const std::unique_ptr<cScenarioCommand>& child : GetChildren())
		{
			const std::string& target = child->GetResult();
			cSceneObject* object = form->FindObject(target);
			if (!object)
			{
				LOG(2, "Object: %s not found!", target.c_str());
				continue;
			}
			if ((filtered && target != context.filter) || !object->IsEnabled() || !object->IsVisible())
				continue;
			context.object = target;
			const cMatrix& world = object->GetTransform().GetWorldMatrix();
			context.position = cVector3d(world._41, world._42, world._43);
			if (!context.item.empty())
				events.push_back({cScenarioEvent::kUseItem, context.object, context.item, context.position});
			const std::string item = context.item;
			const cVector3d position = context.position;
			child->CollectEvents(events, filtered);
			context.item = item;
			context.position = position;
		}
	}
	context.object = kept.object;
	context.item = kept.item;
	context.position = kept.position;
}
