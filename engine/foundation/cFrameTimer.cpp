#include "engine/foundation/cFrameTimer.h"

namespace
{
const float kMaxStep = 0.1f;
}

float cFrameTimer::Step(double now)
{
	double exact = (now - m_last) + m_carry;
	float dt = static_cast<float>(exact);
	if (static_cast<double>(dt) >= static_cast<double>(kMaxStep))
	{
		dt = kMaxStep;
		m_carry = 0.0;
		m_last = now;
	}
	else if (dt < 0.0f)
		dt = 0.0f;
	else
	{
		m_carry = exact - static_cast<double>(dt);
		m_last = now;
	}
	return dt;
}
