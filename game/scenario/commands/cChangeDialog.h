#pragma once
// "changedialog": from now on a start of the dialogue part of its first
// name plays the part of its last name (a single name maps a part to
// itself). Without names it is logged and does nothing.

#include "game/scenario/commands/cObjectListCommand.h"

class cChangeDialog : public cObjectListCommand
{
public:
	using cObjectListCommand::cObjectListCommand;

	void Execute() override;
	int IsReady() override { return kFinished; }
	std::string GetName() const override { return "changedialog"; }
};
