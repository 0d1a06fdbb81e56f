#pragma once
// The dial minigames (the lock's pin, the safe's handle) played with the
// mouse: the button held on the dial's hub, the cursor led round it on a
// circle in small steps.

#include "PuzzleTestSupport.h"

#include <cmath>
#include <cstdio>

constexpr float kDialPi = 3.14159265f;

// "spin": a full turn about z, clockwise on the screen, in four quarters
// (key 0 to key 40).
inline std::string SpinBytes()
{
	cMotionWriter writer;
	for (int quarter = 0; quarter <= 4; ++quarter)
	{
		const float half = -float(quarter) * kDialPi / 4;
		writer.AddKeyTime(float(quarter) * 10).AddRotation(cQuaternion(0, 0, std::sin(half), std::cos(half)));
	}
	return writer.GetBytes();
}

// "local=\"1 0 0 0 1 0 0 0 1 x y z\"": a placement attribute.
inline std::string LocalAt(float x, float y, float z = 0)
{
	char text[96];
	std::snprintf(text, sizeof text, R"(local="1 0 0 0 1 0 0 0 1 %g %g %g")", x, y, z);
	return text;
}

class DialTest : public PuzzleTest
{
protected:
	void SetUp() override
	{
		PuzzleTest::SetUp();
		if (!HasFatalFailure())
			content.AddMotion("spin", SpinBytes());
	}

	// The cursor to the point at the angle (degrees, anticlockwise from
	// the right) on the circle about the centre.
	void MoveOnCircle(float degrees)
	{
		const float radians = degrees * kDialPi / 180;
		MoveTo((m_centreX + m_radius * std::cos(radians)) / kScale, (m_centreY + m_radius * std::sin(radians)) / kScale);
		m_degrees = degrees;
	}

	// The button goes down on the hub and the cursor goes out to the
	// circle where it left it last.
	void Grab(float centreX, float centreY, float radius)
	{
		m_centreX = centreX;
		m_centreY = centreY;
		m_radius = radius;
		KeepActive();
		MoveTo(centreX / kScale, centreY / kScale);
		Hold();
		MoveOnCircle(m_degrees);
	}

	// Steps clockwise (anticlockwise for a negative step) until the
	// condition holds; false after two rounds.
	bool TurnUntil(const std::function<bool()>& condition, float stepDegrees)
	{
		for (float turned = 0; turned < 720; turned += std::fabs(stepDegrees))
		{
			if (condition())
				return true;
			MoveOnCircle(m_degrees - stepDegrees);
		}
		return condition();
	}

	// One full round clockwise in steps; the position read after each step
	// adds up its changes across the wraps.
	float TurnOneRound(const std::function<float()>& position, float stepDegrees = 10)
	{
		float total = 0;
		float last = position();
		for (float turned = 0; turned < 360 - 1e-3f; turned += stepDegrees)
		{
			MoveOnCircle(m_degrees - stepDegrees);
			float change = position() - last;
			change -= std::round(change);
			total += change;
			last = position();
		}
		return total;
	}

	float m_centreX = 0;
	float m_centreY = 0;
	float m_radius = 0;
	float m_degrees = 0;
};
