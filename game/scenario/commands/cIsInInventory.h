#pragma once
// "isininventory": the outcome is "true" when the inventory holds every
// named item in at least its count, else "false"; it finishes at once. An
// item's "name" is the item name, optionally followed by "#" and the count
// (split at the last "#"); without a count the item only needs to be
// present. Without items the test passes. The collection walk goes only
// into the branch the test selects now.

#include "game/scenario/cScenarioCommand.h"

class cIsInInventory : public cScenarioCommand
{
public:
	using cScenarioCommand::cScenarioCommand;

	void ParseItem(const cXmlNode& item) override;
	void Execute() override;
	int IsReady() override { return kFinished; }
	std::string GetName() const override { return "isininventory"; }
	void CollectEvents(std::vector<cScenarioEvent>& events, bool filtered) override;

	const std::vector<std::string>& GetItemNames() const { return m_names; }
	const std::vector<int>& GetCounts() const { return m_counts; }

private:
	// Stops at the first item the inventory lacks.
	bool Test() const;

	std::vector<std::string> m_names;
	std::vector<int> m_counts;
};
