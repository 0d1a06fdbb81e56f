#include "engine/graphics/sParticle.h"

#include "engine/foundation/Random.h"
#include "engine/foundation/cMatrix.h"
#include "engine/graphics/cGraphics.h"
#include "engine/graphics/sBillboardBasis.h"

#include <algorithm>

namespace
{
constexpr float kCornerUv[4][2] = { { 1, 1 }, { 1, 0 }, { 0, 0 }, { 0, 1 } };
}

void sParticle::Init(const cVector3d& atOrigin, int n, float life)
{
	ResetValues();
	origin = atOrigin;
	lifetime = life;
	age = 0.0f;
	for (int k = 0; k < 4; ++k)
		corners[k] = sParticleVertex { 0, 0, 0, 0xFFFFFFFFu, kCornerUv[k][0], kCornerUv[k][1] };
	depth = 0.0f;
	std::fill(std::begin(randomValues), std::end(randomValues), 0.0f);
	for (int i = 0; i < std::min(n, kParticleRandomValues); ++i)
		randomValues[i] = RandomFloat();
}

void sParticle::ResetValues()
{
	position = velocity = acceleration = cVector3d();
	angle = angularVelocity = angularAcceleration = scale = mass = 0.0f;
	color = sColor(1, 1, 1, 1);
}

bool sParticle::Step(const sParticle& own, const sBillboardBasis& basis, float dt)
{
	age += dt;
	const float t = age;
	const float h = t * t * 0.5f;
	const sColor shade = sColor::Min(color, own.color);
	const D3DCOLOR packed = ColorToArgb(shade.a, shade.r, shade.g, shade.b);
	const float half = (own.scale + scale) * 0.5f;
	const float turn = (own.angularVelocity + angularVelocity) * t + (own.angle + angle) +
		(own.angularAcceleration + angularAcceleration) * h;
	const cVector3d point = (own.position + position) + (own.velocity + velocity) * t +
		(own.acceleration + acceleration) * (own.mass + mass) * h + origin;
	depth = (point - basis.origin).Dot(basis.view);
	cMatrix rotation;
	rotation.MakeRotationAxis(basis.view, turn);
	for (int k = 0; k < 4; ++k)
	{
		const cVector3d corner = TransformPoint(basis.corners[k] * half, rotation) + point;
		corners[k].x = corner.x;
		corners[k].y = corner.y;
		corners[k].z = corner.z;
		corners[k].color = packed;
	}
	return lifetime > age;
}
