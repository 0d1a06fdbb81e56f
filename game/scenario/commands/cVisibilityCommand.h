#pragma once
// The common part of the commands that show, hide, enable, disable or fade
// objects: each applies its action to the objects it names, or, in its
// "_but" form, to every pickable object of the location that it does not
// name. It finishes in the step in which it runs, with the outcome "".

#include "game/scenario/commands/cObjectListCommand.h"

class cVisibilityCommand : public cObjectListCommand
{
public:
	using cObjectListCommand::cObjectListCommand;

	int IsReady() override { return kFinished; }

protected:
	// The action on one object.
	virtual void Apply(cSceneObject& object) = 0;
	// Applies the action to the named objects; a missing one is logged at
	// the caller's file and line.
	void ApplyToNamed(const char* file, int line);
	// Applies the action to the pickable objects not named.
	void ApplyToOthers();
	// Forgets what the running command waits for, before fades start.
	void ClearWaitList();
};
