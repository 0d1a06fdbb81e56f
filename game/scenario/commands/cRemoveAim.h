#pragma once
// "removeaim": marks the named aims solved on the game panel, in order.

#include "game/scenario/commands/cObjectListCommand.h"

class cRemoveAim : public cObjectListCommand
{
public:
	using cObjectListCommand::cObjectListCommand;

	void Execute() override;
	int IsReady() override { return kFinished; }
	std::string GetName() const override { return "removeaim"; }
};
