#pragma once
// "additem": fills the items-to-find list of the hidden-object mode with the
// named hidden objects of the location, in order, or, when the first name
// is "random", with as many random groups of hidden objects as the second
// name gives. Without names, or "random" without a number (which then adds
// none), the scenario is logged and goes on.

#include "game/scenario/commands/cObjectListCommand.h"

class cAddItem : public cObjectListCommand
{
public:
	using cObjectListCommand::cObjectListCommand;

	void Execute() override;
	int IsReady() override { return kFinished; }
	std::string GetName() const override { return "additem"; }

private:
	void AddNamedItems(cLocationForm& form) const;
};
