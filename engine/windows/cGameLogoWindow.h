#pragma once
// A start-up logo: a window that builds the scene of its name, plays it
// once and hands over to the next window. It shows the next window as soon
// as it starts to disappear, so the two overlap, and when it has closed it
// sets the next window's "logo_end" to "true" and hides any global box
// still visible. A mouse click skips the
// logo, except in its first 0.3 s: the disappear then starts from the point
// that mirrors how far the logo had got.

#include "engine/windows/cGameWindow.h"

class cGameLogoWindow : public cGameWindow
{
public:
	// Hangs under the default camera at z -1000 and sets the next window's
	// "logo_end" to "false". A missing scene builds nothing: the logo then
	// leaves as soon as it reaches working.
	cGameLogoWindow(const std::string& sceneName, cGameWindow* next);

	// The window's update, then the countdown to the first skippable moment.
	void Update(float dt) override;
	// Skips the logo on a click; never takes the input.
	bool HandleInput() override;
	void EnterState(int state) override;

private:
	// Starts the disappear at the fraction of its clips that mirrors the
	// fraction of the current clips played so far.
	void Skip();

	cGameWindow* m_next;
	float m_countdown = 0.3f;
};
