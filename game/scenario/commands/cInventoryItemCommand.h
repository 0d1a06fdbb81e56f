#pragma once
// The common part of "addinventory" and "dropinventory": one inventory item
// and a count. An item's "name" is the item name, optionally followed by
// "#" and the count (split at the first "#"; text that is no number counts
// 0); without "#" the count is 1. The last item counts, but the model of
// every item read is kept loaded with the location. Both finish at once.

#include "game/scenario/cScenarioCommand.h"

class cInventoryItemCommand : public cScenarioCommand
{
public:
	using cScenarioCommand::cScenarioCommand;

	void ParseItem(const cXmlNode& item) override;
	int IsReady() override { return kFinished; }

	const std::string& GetItemName() const { return m_itemName; }
	int GetCount() const { return m_count; }

protected:
	std::string m_itemName;
	int m_count = 1;
};
