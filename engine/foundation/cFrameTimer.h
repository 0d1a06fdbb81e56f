#pragma once
// The frame loop's time step: the time since the last frame, capped at
// 0.1 s (the excess is dropped), 0 when the clock went backwards, and the
// part lost in the conversion to float carried into the next frame.

class cFrameTimer
{
public:
	explicit cFrameTimer(double now) : m_last(now) {}

	// The step for a frame at the time now (in seconds).
	float Step(double now);

	double GetCarry() const { return m_carry; }

private:
	double m_last;
	double m_carry = 0.0;
};
