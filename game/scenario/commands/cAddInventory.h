#pragma once
// "addinventory": gives the player the item in its count; the item flies to
// its slot from the object clicked last (or the one "fly_start" set). An
// empty item name gives nothing. In the pending-event collection it records
// what a click gives: an item for nothing (no context item) or for the
// context item.

#include "game/scenario/commands/cInventoryItemCommand.h"

class cAddInventory : public cInventoryItemCommand
{
public:
	using cInventoryItemCommand::cInventoryItemCommand;

	void Execute() override;
	std::string GetName() const override { return "addinventory"; }
	void CollectEvents(std::vector<cScenarioEvent>& events, bool filtered) override;
};
