#pragma once
// One live particle of a cParticleSystem. The corners are the quad's four
// vertices in world space, in the layout of vertex format 322 (position,
// ARGB colour, one texture coordinate pair).

#include "engine/foundation/cMatrix.h"
#include "platform/d3d9/D3D9Types.h"

struct sParticleCorner
{
	float x, y, z;
	D3DCOLOR color;
	float u, v;
};

static_assert(sizeof(sParticleCorner) == 24);

struct sSystemParticle
{
	cMatrix orientation; // the spawn matrix without its translation
	cVector3d position; // the spawn matrix's translation
	cVector3d offset; // travelled since spawning
	cVector3d velocity;
	sParticleCorner corners[4];
	D3DCOLOR color;
	// Positions in the description's colour keys; past the end when none.
	size_t nextKey;
	size_t previousKey;
	float angle; // radians
	float angularSpeed; // radians per second
	float speed;
	float size;
	float age; // seconds
	float lifetime; // seconds
};
