#pragma once
// "sublocation": opens the child location form named by the item over the
// location and waits until it is hidden again. Without a name it closes
// the open child form, or hides this form when it is itself a child and
// has none open. A child form without objects is not opened. For the hint
// it stands for whatever the child form offers.

#include "game/scenario/cScenarioCommand.h"

class cLocationForm;

class cSubLocation : public cScenarioCommand
{
public:
	using cScenarioCommand::cScenarioCommand;

	void ParseItem(const cXmlNode& item) override;
	void Execute() override;
	int IsReady() override;
	std::string GetName() const override { return "sublocation"; }
	void CollectEvents(std::vector<cScenarioEvent>& events, bool filtered) override;

	cLocationForm* GetSubLocation() const { return m_subLocation; }

private:
	// Owned by the location form, as its child.
	cLocationForm* m_subLocation = nullptr;
};
