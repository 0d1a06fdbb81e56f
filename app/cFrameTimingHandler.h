#pragma once
// The game's frame handler with its frames timed: each frame's duration,
// from the start of its update to the end of its drawing, is measured by
// the given clock, and the longest frame that never saw loading is kept.
// Everything else is passed on to the game's handler.

#include "engine/foundation/cApplicationHandler.h"

#include <functional>

class cFrameTimingHandler : public cApplicationHandler
{
public:
	// The clock gives seconds; isLoading tells whether something is being
	// loaded now (frames then may take as long as the loading needs).
	cFrameTimingHandler(cApplicationHandler& game, std::function<double()> clock, std::function<bool()> isLoading);

	bool CanRun() override { return m_game.CanRun(); }
	bool Update(float dt) override;
	void Idle() override { m_game.Idle(); }
	void Render() override;

	// The longest frame outside loading in seconds; 0 before the first.
	double GetLongest() const { return m_longest; }

private:
	cApplicationHandler& m_game;
	std::function<double()> m_clock;
	std::function<bool()> m_isLoading;
	// The start of the frame being run; negative between frames (a drawing
	// while the application is inactive has no update and is not timed).
	double m_frameStart = -1;
	bool m_loadingSeen = false;
	double m_longest = 0;
};
