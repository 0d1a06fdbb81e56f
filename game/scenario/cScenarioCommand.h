#pragma once
// A command of a location's scenario and the tree below it. A command
// executes once per activation, then reports each frame whether it still
// runs (0), has finished so that its children may run (1), or ends the run
// with another code. Its children are alternatives tried in document order:
// those whose "result" equals this command's outcome run. A sequence of
// actions is a chain of nested commands.

#include "game/scenario/cScenarioEvent.h"

#include <memory>
#include <string>
#include <vector>

class cScenarioOwner;
class cStream;
class cXmlNode;

class cScenarioCommand
{
public:
	// The codes of Run beside those a command's IsReady returns.
	enum
	{
		kRunning = 0,
		kFinished = 1,
		kNoBranch = 2,
		kBranchDone = 3
	};

	// Commands nested deeper than this are not loaded, so that walking a
	// tree never runs out of stack.
	static constexpr int MaxDepth = 1000;

	// The keyword is the element's name; the kinds that know their own
	// keyword ignore it.
	cScenarioCommand(const std::string& keyword, cScenarioOwner* location);
	virtual ~cScenarioCommand() = default;
	cScenarioCommand(const cScenarioCommand&) = delete;
	cScenarioCommand& operator=(const cScenarioCommand&) = delete;

	// Starts the command's action.
	virtual void Execute() = 0;
	// 0 while the command runs, 1 when it has finished and its children may
	// run; any other value ends the run with that value.
	virtual int IsReady() = 0;
	// Reads one "item" child element; nothing by default.
	virtual void ParseItem(const cXmlNode& item);
	// Called before a matching child runs; nothing by default.
	virtual void BeforeRunChild();
	// The command's keyword.
	virtual std::string GetName() const = 0;
	// Writes the keyword, whether this is the running command, then the
	// children the same way: the shape of the tree and its position only.
	virtual void Save(cStream& stream);
	// Reads "result", the items and the child commands. False when a child
	// command's own Load fails or the tree is nested too deep.
	virtual bool Load(const cXmlNode& element);
	// Reads a record that Save wrote and makes the command it marks the
	// running one. False when a keyword differs from this tree or the record
	// ends early; what was restored before stays.
	virtual bool Restore(cStream& stream);
	// Walks the children with the same arguments.
	virtual void CollectEvents(std::vector<cScenarioEvent>& events, bool filtered);

	// One activation step: out receives the deepest command reached. 0 while
	// a command of the tree runs, 2 when no branch matched, 3 when the branch
	// finished, or another code an IsReady gave.
	int Run(cScenarioCommand*& out);
	// The per-frame step: the command to keep running, which is the current
	// state root (possibly null) once the branch has ended.
	cScenarioCommand* Tick();
	// Clears the started flag here and below, so that every command executes
	// again when it is next reached.
	void Reset();

	const std::string& GetResult() const { return m_result; }
	const std::string& GetOutcome() const { return m_outcome; }
	bool IsCollecting() const { return m_collecting; }
	const std::vector<std::unique_ptr<cScenarioCommand>>& GetChildren() const { return m_children; }

protected:
	std::string m_outcome;
	cScenarioOwner* m_location;

private:
	// Execute has run for the present activation.
	bool m_started = false;
	// The children are being walked; keeps a state from being walked twice.
	bool m_collecting = false;
	std::string m_result;
	std::vector<std::unique_ptr<cScenarioCommand>> m_children;
};
