#pragma once
// What the frame loop drives: the game implements it.

class cApplicationHandler
{
public:
	// Whether a frame may be updated and drawn now.
	virtual bool CanRun() = 0;
	virtual ~cApplicationHandler() = default;
	// One frame of logic with the time step in seconds; false ends the loop.
	virtual bool Update(float dt) = 0;
	// Called while the application is inactive.
	virtual void Idle() {}
	virtual void Render() = 0;
};
