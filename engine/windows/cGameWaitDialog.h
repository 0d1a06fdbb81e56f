#pragma once
// A modal window that someone waits on: showing it sets the waiting flag,
// and the window types built on it clear the flag when the wait is over
// (a click, a key, or the end of their own showing).

#include "engine/windows/cGameDialog.h"

class cGameWaitDialog : public cGameDialog
{
public:
	// Without a parent the dialog hangs under the default camera object.
	cGameWaitDialog(const std::string& name, cSceneObject* parent) : cGameDialog(name, parent, true) {}

	void Show() override;

	bool IsWaiting() const { return m_waiting; }
	void SetWaiting(bool waiting) { m_waiting = waiting; }

private:
	bool m_waiting = false;
};
