#pragma once
// Stands in for a command kind that is not built yet: it keeps its keyword
// (so the tree saves and restores as the real kind will), says once per
// keyword in the log that it does nothing, and finishes at once with the
// outcome "", so its children without "result" run.

#include "game/scenario/cScenarioCommand.h"

class cPlaceholderCommand : public cScenarioCommand
{
public:
	cPlaceholderCommand(const std::string& keyword, cScenarioOwner* location);

	void Execute() override;
	int IsReady() override { return kFinished; }
	std::string GetName() const override { return m_keyword; }

private:
	std::string m_keyword;
	// This command has already made sure its keyword was logged.
	bool m_logged = false;
};
