#pragma once
// What a scenario's commands reach of the location that owns them: its
// states by name, the state it is in and the command it ticks each frame.
// The location form implements it over its cScenario.

#include <string>

class cScenarioCommand;

class cScenarioOwner
{
public:
	virtual ~cScenarioOwner() = default;

	// The root of the named state; an empty name gives the current state
	// root. Null when there is none.
	virtual cScenarioCommand* GetState(const std::string& name) = 0;
	// Makes the named state current; a name without a state leaves none.
	virtual void SetState(const std::string& name) = 0;
	// The command ticked each frame; null when the scenario has stopped.
	virtual cScenarioCommand* GetRunningCommand() const = 0;
	virtual void SetRunningCommand(cScenarioCommand* command) = 0;
};
