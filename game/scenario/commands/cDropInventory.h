#pragma once
// "dropinventory": takes the count of the item from the player's slot (the
// panel takes at most what the player holds).

#include "game/scenario/commands/cInventoryItemCommand.h"

class cDropInventory : public cInventoryItemCommand
{
public:
	using cInventoryItemCommand::cInventoryItemCommand;

	void Execute() override;
	std::string GetName() const override { return "dropinventory"; }
};
