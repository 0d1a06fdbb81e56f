#pragma once
// The states of one location's scenario and where it stands: the state
// trees by name, the current state root and the command ticked each frame.
// The location form owns one and hands its states to the commands as their
// cScenarioOwner. A missing state never stops the game: without a current
// state root the scenario stands still, collects no events and saves an
// empty record.

#include "game/scenario/cScenarioCommand.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class cPlayerProgress;
class cXmlNode;

class cScenario
{
public:
	// The location's name keys its entry in the progress and names it in the log.
	explicit cScenario(const std::string& locationName);
	~cScenario();
	cScenario(const cScenario&) = delete;
	cScenario& operator=(const cScenario&) = delete;

	// Replaces the states by those of the scenario document's root: every
	// child element is one state named by its "name" (a later one of the
	// same name replaces an earlier one), its commands made for the owner.
	// False, with a log line, when a state could not be read whole; the
	// part read is kept.
	bool Load(const cXmlNode& root, cScenarioOwner* owner);

	// The root of the named state; an empty name gives the current state
	// root. A name without a state is logged and gives null.
	cScenarioCommand* GetState(const std::string& name);
	// Makes the named state current, silently leaving none for a name
	// without a state.
	void SetState(const std::string& name);
	const std::string& GetStateName() const { return m_stateName; }
	cScenarioCommand* GetRunningCommand() const { return m_running; }
	void SetRunningCommand(cScenarioCommand* command) { m_running = command; }

	// Ticks the running command once; nothing once the scenario has stopped.
	void Tick();
	// Starts the scenario again from its state "startup": the first tick
	// runs under the scene lock (it may run on a loader thread and change
	// windows the main thread updates), then every state's commands will
	// execute afresh. A branch of "startup" that ends at once leaves
	// "startup" current. Without "startup" the scenario stands still.
	void Reset();

	// Stores the state name and the current state's record under the
	// location's name; without a current state, an empty name and no record.
	void SaveTo(cPlayerProgress& progress) const;
	// Goes back to the state and command stored under the location's name.
	// False when there is none, the state no longer exists, the record does
	// not fit its tree or marks no command; the caller then resets.
	bool RestoreFrom(cPlayerProgress& progress);

	// Replaces events by what the current state offers now: with an empty
	// name every pending event, stably sorted by kind; with a name only the
	// events of the kind that a click on that object without an item leads
	// to, in the order found. Nothing without a current state root.
	void CollectEvents(std::vector<cScenarioEvent>& events, const std::string& name, int kind);

	const std::map<std::string, std::unique_ptr<cScenarioCommand>>& GetStates() const { return m_states; }

private:
	std::string m_locationName;
	std::map<std::string, std::unique_ptr<cScenarioCommand>> m_states;
	// Usually a state's root; after a reset whose first tick ends in a
	// waiting command, that command.
	cScenarioCommand* m_current = nullptr;
	cScenarioCommand* m_running = nullptr;
	std::string m_stateName;
};
