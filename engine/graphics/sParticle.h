#pragma once
// One particle of an emitter, and the emitter's own particle that the
// emitter tracks write into. The motion values are this update's: the
// emitter resets them and its tracks add to them before the particle is
// stepped in closed form from its age. The four corners are kept in the
// vertex layout of the emitter group's buffer, ready to be copied.

#include "engine/foundation/cVector3d.h"
#include "engine/foundation/sColor.h"
#include "platform/d3d9/D3D9Types.h"

struct sBillboardBasis;

// Vertex format 322: position, ARGB colour, one texture coordinate pair.
struct sParticleVertex
{
	float x, y, z;
	D3DCOLOR color;
	float u, v;
};

static_assert(sizeof(sParticleVertex) == 24);

constexpr int kParticleRandomValues = 58;
constexpr int kTrackFunctorCount = 21;

struct sParticle
{
	cVector3d position;
	cVector3d velocity;
	cVector3d acceleration;
	cVector3d origin;
	float angle;
	float angularVelocity;
	float angularAcceleration;
	float scale;
	float mass;
	float lifetime;
	float age;
	sColor color;
	float randomValues[kParticleRandomValues];
	// The alternative chosen at birth per functor; -1 for none.
	int alternatives[kTrackFunctorCount];
	sParticleVertex corners[4];
	float depth;

	// A new particle at the origin: motion values 0, white, opaque white
	// corners with their texture coordinates, all random values 0 and then
	// the first n of them drawn in order. The alternatives are left alone.
	void Init(const cVector3d& atOrigin, int n, float life);
	// Motion values 0 and white: the state the tracks of an update add to.
	void ResetValues();

	// The stored random value of a slot; 0 for a slot outside the array.
	float GetRandom(int slot) const
	{
		return slot >= 0 && slot < kParticleRandomValues ? randomValues[slot] : 0.0f;
	}

	// Ages the particle by dt and places its quad from the own particle's
	// values plus its own. False once the lifetime is used up.
	bool Step(const sParticle& own, const sBillboardBasis& basis, float dt);
};
