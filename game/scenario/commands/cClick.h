#pragma once
// "click": waits for a click on one of the objects its children handle
// (each child's "result" is the path of its object), made while exactly the
// inventory item of its "name" is held on the cursor ("" means none may
// be held), and runs the child of the clicked object. While the cursor
// shows the lens over a sub-location opener the held item plays no part,
// so that openers work whatever the player holds. In the pending-event
// collection it tells which objects react to which item.

#include "game/scenario/cScenarioCommand.h"

class cClick : public cScenarioCommand
{
public:
	using cScenarioCommand::cScenarioCommand;

	void Execute() override { m_outcome.clear(); }
	// 1 with the clicked object's name as the outcome; 2 without a click or
	// with another item held.
	int IsReady() override;
	// Marks the location's click as consumed.
	void BeforeRunChild() override;
	std::string GetName() const override { return "click"; }
	// Reads the item from the element's own "name".
	bool Load(const cXmlNode& element) override;
	// Without the item in the inventory, nothing. Otherwise every enabled,
	// visible target (only the filter object, and only for a click without
	// an item, in a filtered walk) becomes the context object and position,
	// records a use of the item on it, and has its child walked.
	void CollectEvents(std::vector<cScenarioEvent>& events, bool filtered) override;

	const std::string& GetItem() const { return m_item; }

private:
	std::string m_item;
};
