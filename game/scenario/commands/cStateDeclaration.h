#pragma once
// The root command of one state: it finishes at once every time it is
// ticked, so each tick tries the state's top-level commands in document
// order. Made by the location for each state element, not by keyword.

#include "game/scenario/cScenarioCommand.h"

class cStateDeclaration : public cScenarioCommand
{
public:
	using cScenarioCommand::cScenarioCommand;

	void Execute() override {}
	int IsReady() override { return kFinished; }
	std::string GetName() const override { return "state_declaration"; }
};
