#pragma once
// The description of a particle system: the contents of a "psys" file.
// The file is the fixed part below, field for field (little-endian, 144
// bytes), then the texture name (u32 length and bytes), the colour keys
// (u32 count, then per key the time and r, g, b, a as five floats) and the
// programs (u32 count, then per program the name as u32 length and bytes,
// the duration as a float and the loop flag as one byte).
//
// Variations are relative: a random factor 1 + (2r - 1) x variation
// multiplies the base value. Spreads are absolute: (2r - 1) x spread is
// added to it.

#include "engine/foundation/cVector3d.h"

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

class cStream;

struct sParticleSystemParams
{
	int32_t count = 0; // particles made per spawn
	uint32_t reserved = 0;
	float interval = 0; // seconds between spawns
	float rotationFactor = 0; // multiplies the rotation period
	float windowStart = 0; // the emission window in program time (s)
	float windowLength = 0;
	float lifetime = 0; // seconds
	float lifetimeVariation = 0;
	float speed = 0; // multiplied by 10
	float speedVariation = 0;
	float size = 0; // quad size
	float sizeVariation = 0;
	int32_t rotationPeriod = 0; // half-turn period before the rotation factor
	float rotationPeriodVariation = 0;
	float angle = 0; // start angle (radians)
	float angleVariation = 0;
	int32_t directionMode = 0; // kept, drives nothing
	float reservedPairs[6] = {};
	float polarAngle = 0; // the direction's angle from +y (radians)
	float polarSpread = 0;
	float azimuth = 0; // the direction's angle around y (radians)
	float azimuthSpread = 0;
	cVector3d direction; // kept, drives nothing
	cVector3d acceleration; // added to the velocity x speed x 10 per second
	float deviation = 0; // kept, drives nothing
	float fadeIn = 0; // seconds over which the size grows from 0
	float fadeOut = 0; // seconds over which the size shrinks to 0 at the end of life
};

static_assert(sizeof(sParticleSystemParams) == 144, "the fixed part of a \"psys\" file");
static_assert(std::endian::native == std::endian::little, "the fixed part is read as it lies in memory");

struct sColorKey
{
	float time = 0; // a fraction of the particle's life
	float r = 1;
	float g = 1;
	float b = 1;
	float a = 1;
};

struct sParticleProgram
{
	std::string name;
	float duration = 0;
	bool loop = false;
};

struct sParticleSystemDesc : sParticleSystemParams
{
	std::string textureName;
	// In increasing time.
	std::vector<sColorKey> colorKeys;
	std::vector<sParticleProgram> programs;
};

// Reads a description from the stream's position. Every read is checked
// and every length and count must fit in the bytes left; on failure the
// description is left as it was and false is returned.
bool ReadParticleSystemDesc(cStream& stream, sParticleSystemDesc& desc);
