#include "game/scenario/commands/cIsVisible.h"

#include "engine/scene/cSceneObject.h"
#include "game/scenario/commands/ConditionBranch.h"

void cIsVisible::Execute()
{
	m_outcome = ConditionOutcome(Test());
}

void cIsVisible::CollectEvents(std::vector<cScenarioEvent>& events, bool filtered)
{
	CollectEventsOfBranch(*this, Test(), events, filtered);
}

bool cIsVisible::Test() const
{
	return VisitNamedObjects([](cSceneObject& object) { return object.IsVisible(); }, __FILE__, __LINE__);
}
