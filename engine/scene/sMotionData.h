#pragma once
// The keyframes of a motion: four tracks (positions, rotations, scales,
// colours) indexed by one shared, ascending array of key times. Key i of
// every track belongs to key time i; a track may be shorter or empty.
//
// Stored form (little-endian, no header): for each track in that order a
// u32 count and count records of four floats, then a u32 count of key
// times and that many floats. Positions and scales use x, y, z (the fourth
// float is not used), rotations are quaternions x, y, z, w and colours r,
// g, b, a.

#include "engine/foundation/cQuaternion.h"
#include "engine/foundation/cStream.h"
#include "engine/foundation/sColor.h"

#include <string>
#include <vector>

struct sMotionVector
{
	float x = 0;
	float y = 0;
	float z = 0;
	float unused = 0;
};

struct sMotionData
{
	std::vector<sMotionVector> positions;
	std::vector<cQuaternion> rotations;
	std::vector<sMotionVector> scales;
	std::vector<sColor> colours;
	std::vector<float> keyTimes;

	void Write(cStream& out) const;
	// Every count is checked against the bytes left before anything is
	// allocated and every read must deliver all its bytes. On the first
	// failure the arrays are cleared, error names the section and the
	// result is false.
	bool Read(cStream& in, std::string& error);
};

static_assert(sizeof(sMotionVector) == 16);
