#pragma once
// One emitter of an emitter group, built on one emitter description. Each
// update it advances its time (wrapping it when looped), spawns what its
// emission accumulator has collected, lets the description's tracks write
// this update's values into its own particle and its live particles, steps
// every particle and sorts them by depth. The fields are open because the
// tracks write them.

#include "engine/foundation/Singletone.h"
#include "engine/graphics/sParticle.h"

#include <vector>

struct sBillboardBasis;
struct sEmitterDesc;

class cParticleEmitter : public NoCopy
{
public:
	// Spawn modes.
	enum
	{
		SpawnAtPoint = 0,
		SpawnInBox = 1
	};

	explicit cParticleEmitter(const sEmitterDesc* description);
	// Deletes the particles.
	~cParticleEmitter();

	// Takes the description and its defaults for the own particle; the
	// time and the particles stay.
	void Init(const sEmitterDesc* description);
	// Appends a particle for every whole unit of the accumulator.
	void Spawn(const cVector3d& point);
	// One update of dt seconds; adds the live particles to count.
	void Update(const cVector3d& point, const sBillboardBasis& basis, float dt, int& count, bool loop,
		const sColor& color);

	float duration = 0.0f;
	float time = 0.0f;
	// The span of emitter time the current update covered.
	float timeStep = 0.0f;
	sParticle own;
	// Owned, in drawing order.
	std::vector<sParticle*> particles;
	float accumulator = 0.0f;
	const sEmitterDesc* desc = nullptr;
	int spawnMode = SpawnAtPoint;
	cVector3d boxHalfExtents;
};
