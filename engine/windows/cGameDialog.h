#pragma once
// A modal window: from its Show to the start of its Hide it is the top of
// the scene's modal list, so that only its subtree takes input.

#include "engine/windows/cGameWindow.h"

class cGameDialog : public cGameWindow
{
public:
	cGameDialog(const std::string& name, cSceneObject* parent, bool attachToCamera)
		: cGameWindow(name, parent, attachToCamera)
	{
	}

	// Shows the window, then makes it the top modal object.
	void Show() override;
	// Starts the disappear, then leaves the modal list.
	void Hide() override;
};
