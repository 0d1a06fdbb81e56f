#include "engine/graphics/sBillboardBasis.h"

sBillboardBasis MakeBillboardBasis(const cVector3d& right, const cVector3d& up, const cVector3d& view,
	const cVector3d& origin)
{
	return sBillboardBasis { right, up, view, origin, { -right - up, up - right, right + up, right - up } };
}
