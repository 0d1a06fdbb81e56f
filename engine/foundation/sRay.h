#pragma once
// A ray from origin along direction. The direction is not normalised: taken
// as a segment, the ray runs from origin to origin + direction.

#include "engine/foundation/cVector3d.h"

struct sRay
{
	cVector3d origin;
	cVector3d direction;
};
