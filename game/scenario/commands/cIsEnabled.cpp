#include "game/scenario/commands/cIsEnabled.h"

#include "engine/scene/cSceneObject.h"
#include "game/scenario/commands/ConditionBranch.h"

void cIsEnabled::Execute()
{
	m_outcome = ConditionOutcome(Test());
}

void cIsEnabled::CollectEvents(std::vector<cScenarioEvent>& events, bool filtered)
{
	CollectEventsOfBranch(*this, Test(), events, filtered);
}

bool cIsEnabled::Test() const
{
	return VisitNamedObjects([](cSceneObject& object) { return object.IsEnabled(); }, __FILE__, __LINE__);
}
