#pragma once
// A stand-in location for scenario tests and benchmarks, and test command
// kinds that write what they do into a trace.

#include "engine/foundation/cMemoryStream.h"
#include "engine/foundation/cXmlDocument.h"
#include "engine/foundation/cXmlNode.h"
#include "game/scenario/cCommandFactory.h"
#include "game/scenario/cScenario.h"
#include "game/scenario/cScenarioOwner.h"
#include "game/scenario/sEventContext.h"

#include <cstdlib>
#include <string>
#include <vector>

// A location that is nothing but its scenario.
class cTestLocation : public cScenarioOwner
{
public:
	explicit cTestLocation(const std::string& name = "location1") : scenario(name) {}

	// Reads the scenario text; false when it does not parse or a state
	// could not be read whole.
	bool LoadText(const std::string& text)
	{
		cMemoryStream stream;
		stream.Write(text.data(), static_cast<uint32_t>(text.size()));
		cXmlDocument document;
		const bool parsed = document.Load(static_cast<cStream&>(stream));
		return scenario.Load(document.GetRoot(), this) && parsed;
	}

	cScenarioCommand* GetState(const std::string& name) override { return scenario.GetState(name); }
	void SetState(const std::string& name) override { scenario.SetState(name); }
	cScenarioCommand* GetRunningCommand() const override { return scenario.GetRunningCommand(); }
	void SetRunningCommand(cScenarioCommand* command) override { scenario.SetRunningCommand(command); }

	cScenario scenario;
};

// What the step commands did, in order: "label!" for an Execute, "label?"
// for an IsReady.
inline std::vector<std::string>& Trace()
{
	static std::vector<std::string> trace;
	return trace;
}

// The trace joined with spaces, emptied.
inline std::string TakeTrace()
{
	std::string joined;
	for (const std::string& entry : Trace())
		joined += (joined.empty() ? "" : " ") + entry;
	Trace().clear();
	return joined;
}

// "step": its item sets a label ("name"), frames to wait ("wait"), the code
// to report after waiting ("ready", 1 by default), its outcome ("outcome"),
// a state to switch to on Execute ("goto") and an event kind it records
// with the filter of the walk as the event's item ("event").
class cStepCommand : public cScenarioCommand
{
public:
	using cScenarioCommand::cScenarioCommand;

	void ParseItem(const cXmlNode& item) override
	{
		label = GetXmlAttribute(&item, "name", "");
		m_wait = atoi(GetXmlAttribute(&item, "wait", "0").c_str());
		m_ready = atoi(GetXmlAttribute(&item, "ready", "1").c_str());
		m_givenOutcome = GetXmlAttribute(&item, "outcome", "");
		m_target = GetXmlAttribute(&item, "goto", "");
		m_eventKind = atoi(GetXmlAttribute(&item, "event", "0").c_str());
	}
	void Execute() override
	{
		Trace().push_back(label + "!");
		m_left = m_wait;
		m_outcome = m_givenOutcome;
		if (!m_target.empty())
			m_location->SetState(m_target);
	}
	int IsReady() override
	{
		Trace().push_back(label + "?");
		if (m_left > 0)
		{
			--m_left;
			return kRunning;
		}
		return m_ready;
	}
	std::string GetName() const override { return "step"; }
	void CollectEvents(std::vector<cScenarioEvent>& events, bool filtered) override
	{
		if (m_eventKind)
		{
			cScenarioEvent event;
			event.kind = m_eventKind;
			event.object = label;
			event.item = GetEventContext().filter;
			events.push_back(event);
		}
		cScenarioCommand::CollectEvents(events, filtered);
	}

	std::string label;

private:
	int m_wait = 0;
	int m_left = 0;
	int m_ready = kFinished;
	std::string m_givenOutcome;
	std::string m_target;
	int m_eventKind = 0;
};

// "broken": a kind whose own Load always fails.
class cBrokenCommand : public cScenarioCommand
{
public:
	using cScenarioCommand::cScenarioCommand;

	void Execute() override {}
	int IsReady() override { return kFinished; }
	std::string GetName() const override { return "broken"; }
	bool Load(const cXmlNode&) override { return false; }
};

inline void RegisterTestCommands()
{
	cCommandFactory* factory = Singletone<cCommandFactory>::GetInstance();
	factory->Register("step", &CreateCommand<cStepCommand>);
	factory->Register("broken", &CreateCommand<cBrokenCommand>);
}

// The label of a step command, or its keyword for any other command; "" for null.
inline std::string Label(const cScenarioCommand* command)
{
	if (const auto* step = dynamic_cast<const cStepCommand*>(command))
		return step->label;
	return command ? command->GetName() : "";
}
