#pragma once
// "delay": waits for a time, for a click or for what the location's wait
// list holds. The item's "name" is "click", a number of seconds, or 0 (or
// no item) for the wait list, which is cleared when the wait ends. Any
// time other than 0 finishes once that many seconds have passed since the
// delay started, so a negative time finishes at once. The outcome stays ""
// so the children without "result" run when the delay ends.

#include "game/scenario/cScenarioCommand.h"

class cDelay : public cScenarioCommand
{
public:
	using cScenarioCommand::cScenarioCommand;

	void ParseItem(const cXmlNode& item) override;
	void Execute() override;
	int IsReady() override;
	std::string GetName() const override { return "delay"; }

	bool IsClickMode() const { return m_clickMode; }
	float GetDuration() const { return m_duration; }

private:
	bool m_clickMode = false;
	float m_duration = 0;
	double m_startTime = 0;
};
