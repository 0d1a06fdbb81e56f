#include "engine/scene/cVisual.h"

const cMatrix& cVisual::GetLocalMatrix()
{
	static const cMatrix identity;
	return identity;
}

const cBoundingBox& cVisual::GetLocalBox()
{
	static const cBoundingBox empty;
	return empty;
}
