#pragma once
// The camera's axes for camera-facing quads: right, up and view axis with
// an origin for the depth, and the four corner directions of a quad.

#include "engine/foundation/cVector3d.h"

struct sBillboardBasis
{
	cVector3d right;
	cVector3d up;
	cVector3d view;
	cVector3d origin;
	// -right - up, up - right, right + up, right - up.
	cVector3d corners[4];
};

sBillboardBasis MakeBillboardBasis(const cVector3d& right, const cVector3d& up, const cVector3d& view,
	const cVector3d& origin);
