#pragma once
// "click_but": finishes when the object clicked in this frame is one of the
// objects it names, whatever item is held; the click is not marked as
// consumed and the outcome stays "", so its children without "result" run.
// An empty name matches the empty clicked name of a frame without a click,
// so a list holding one finishes in every frame.

#include "game/scenario/commands/cObjectListCommand.h"

class cClickBut : public cObjectListCommand
{
public:
	using cObjectListCommand::cObjectListCommand;

	void Execute() override { m_outcome.clear(); }
	int IsReady() override;
	std::string GetName() const override { return "click_but"; }
};
