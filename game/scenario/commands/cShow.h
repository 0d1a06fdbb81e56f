#pragma once
// "show": shows the named objects and makes them opaque again: the local
// colour becomes the present effective colour with alpha 1, so that a
// show undoes a fade-out. An object shown in this step is drawn from the
// next frame on.

#include "game/scenario/commands/cVisibilityCommand.h"

class cShow : public cVisibilityCommand
{
public:
	using cVisibilityCommand::cVisibilityCommand;

	void Execute() override;
	std::string GetName() const override { return "show"; }

	// Makes the object visible, marked just shown only when it was neither
	// visible nor effectively visible; its colour is left alone.
	static void ShowObject(cSceneObject& object);

protected:
	void Apply(cSceneObject& object) override;
};
