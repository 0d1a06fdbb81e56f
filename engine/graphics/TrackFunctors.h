#pragma once
// The 21 functors of the tracks: which field a track's value goes into and
// how. Write receives the emitter, the particle written (the own particle
// for the emitter kinds, each live particle for the particle kinds) and a
// rate: the time step for continuous emitter kinds, 1 for the others.
// Functors marked EmitterOnly act on the emitter itself; tracks of the
// particle kinds leave them unused.

#include "engine/graphics/cParticleEmitter.h"

#include <cmath>
#include <tuple>

enum eTrackFunctor
{
	kPositionFunctor = 0,
	kVelocityFunctor = 1,
	kAccelerationFunctor = 2,
	kAngleFunctor = 3,
	kAngularVelocityFunctor = 4,
	kAngularAccelerationFunctor = 5,
	kMassFunctor = 6,
	kScaleFunctor = 7,
	kColorFunctor = 8,
	kEmitFunctor = 9,
	kLifeTimeFunctor = 10,
	kPositionXFunctor = 11,
	kPositionYFunctor = 12,
	kPositionZFunctor = 13,
	kVelocityXFunctor = 14,
	kVelocityYFunctor = 15,
	kVelocityZFunctor = 16,
	kAccelerationXFunctor = 17,
	kAccelerationYFunctor = 18,
	kAccelerationZFunctor = 19,
	kBoundingBoxFunctor = 20
};

// Adds the value to a field of the particle.
template <class T, T sParticle::*Field>
struct sAddFunctor
{
	using Value = T;
	static constexpr bool EmitterOnly = false;
	static void Write(cParticleEmitter&, sParticle& particle, const T& value, float) { particle.*Field += value; }
};

// Adds the value to one axis (0 x, 1 y, 2 z) of a vector field of the particle.
template <cVector3d sParticle::*Field, int Axis>
struct sAddAxisFunctor
{
	using Value = float;
	static constexpr bool EmitterOnly = false;
	static void Write(cParticleEmitter&, sParticle& particle, float value, float)
	{
		cVector3d& field = particle.*Field;
		if constexpr (Axis == 0)
			field.x += value;
		else if constexpr (Axis == 1)
			field.y += value;
		else
			field.z += value;
	}
};

struct sPositionFunctor : sAddFunctor<cVector3d, &sParticle::position> {};
struct sVelocityFunctor : sAddFunctor<cVector3d, &sParticle::velocity> {};
struct sAccelerationFunctor : sAddFunctor<cVector3d, &sParticle::acceleration> {};
struct sAngleFunctor : sAddFunctor<float, &sParticle::angle> {};
struct sAngularVelocityFunctor : sAddFunctor<float, &sParticle::angularVelocity> {};
struct sAngularAccelerationFunctor : sAddFunctor<float, &sParticle::angularAcceleration> {};
struct sMassFunctor : sAddFunctor<float, &sParticle::mass> {};
struct sScaleFunctor : sAddFunctor<float, &sParticle::scale> {};
struct sPositionXFunctor : sAddAxisFunctor<&sParticle::position, 0> {};
struct sPositionYFunctor : sAddAxisFunctor<&sParticle::position, 1> {};
struct sPositionZFunctor : sAddAxisFunctor<&sParticle::position, 2> {};
struct sVelocityXFunctor : sAddAxisFunctor<&sParticle::velocity, 0> {};
struct sVelocityYFunctor : sAddAxisFunctor<&sParticle::velocity, 1> {};
struct sVelocityZFunctor : sAddAxisFunctor<&sParticle::velocity, 2> {};
struct sAccelerationXFunctor : sAddAxisFunctor<&sParticle::acceleration, 0> {};
struct sAccelerationYFunctor : sAddAxisFunctor<&sParticle::acceleration, 1> {};
struct sAccelerationZFunctor : sAddAxisFunctor<&sParticle::acceleration, 2> {};

// Stores all four channels.
struct sColorFunctor
{
	using Value = sColor;
	static constexpr bool EmitterOnly = false;
	static void Write(cParticleEmitter&, sParticle& particle, const sColor& value, float) { particle.color = value; }
};

// Particles to spawn: a rate times the time step, or a burst at a key.
struct sEmitFunctor
{
	using Value = float;
	static constexpr bool EmitterOnly = true;
	static void Write(cParticleEmitter& emitter, sParticle&, float value, float rate)
	{
		emitter.accumulator += value * rate;
	}
};

// The lifetime that particles spawned from now on receive.
struct sLifeTimeFunctor
{
	using Value = float;
	static constexpr bool EmitterOnly = true;
	static void Write(cParticleEmitter&, sParticle& own, float value, float) { own.lifetime = value; }
};

// Switches the emitter to spawning inside a box of the given half extents.
struct sBoundingBoxFunctor
{
	using Value = cVector3d;
	static constexpr bool EmitterOnly = true;
	static void Write(cParticleEmitter& emitter, sParticle&, const cVector3d& value, float)
	{
		emitter.spawnMode = cParticleEmitter::SpawnInBox;
		emitter.boxHalfExtents = cVector3d(std::fabs(value.x), std::fabs(value.y), std::fabs(value.z));
	}
};

// The functor type of each functor number.
using TrackFunctorList = std::tuple<sPositionFunctor, sVelocityFunctor, sAccelerationFunctor, sAngleFunctor,
	sAngularVelocityFunctor, sAngularAccelerationFunctor, sMassFunctor, sScaleFunctor, sColorFunctor, sEmitFunctor,
	sLifeTimeFunctor, sPositionXFunctor, sPositionYFunctor, sPositionZFunctor, sVelocityXFunctor, sVelocityYFunctor,
	sVelocityZFunctor, sAccelerationXFunctor, sAccelerationYFunctor, sAccelerationZFunctor, sBoundingBoxFunctor>;

template <int Functor>
using TrackFunctor = std::tuple_element_t<Functor, TrackFunctorList>;

static_assert(std::tuple_size_v<TrackFunctorList> == kTrackFunctorCount);
