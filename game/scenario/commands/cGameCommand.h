#pragma once
// "game": shows the minigame named by the item over the location and waits
// while it is on the screen; the outcome is then its result, "win" after a
// solve or a skip and "" after a close. The minigame is made while the
// scenario loads. With an "arg" the minigame first waits, disabled, for
// the location's dialogue part "need_code". A minigame that could not be
// made counts as won at once, so the story goes on.

#include "game/scenario/cScenarioCommand.h"

class cMinigame;

class cGameCommand : public cScenarioCommand
{
public:
	using cScenarioCommand::cScenarioCommand;

	void ParseItem(const cXmlNode& item) override;
	void Execute() override;
	int IsReady() override;
	std::string GetName() const override { return "game"; }
	void CollectEvents(std::vector<cScenarioEvent>& events, bool filtered) override;

	cMinigame* GetMinigame() const { return m_minigame; }

private:
	// A child of the location form.
	cMinigame* m_minigame = nullptr;
	std::string m_gameName;
	std::string m_argument;
};
