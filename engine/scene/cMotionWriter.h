#pragma once
// Builds a motion file key by key, in the layout the motion resource reads
// (see sMotionData). Used by the tests and the content tools.

#include "engine/scene/sMotionData.h"

#include <string>

class cMotionWriter
{
public:
	// Appends one key time; the tracks' keys are appended on their own, so
	// that a track may stay shorter than the key times.
	cMotionWriter& AddKeyTime(float time);
	cMotionWriter& AddPosition(float x, float y, float z);
	cMotionWriter& AddRotation(const cQuaternion& rotation);
	cMotionWriter& AddScale(float x, float y, float z);
	cMotionWriter& AddColour(const sColor& colour);

	const sMotionData& GetData() const { return m_data; }
	void Write(cStream& out) const { m_data.Write(out); }
	// The file's bytes.
	std::string GetBytes() const;

private:
	sMotionData m_data;
};
