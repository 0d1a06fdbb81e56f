#pragma once
// The six planes of a view x projection matrix. A point lies on the inner
// side of a plane when a·x + b·y + c·z + d >= 0. The planes are not
// normalised.

#include "engine/foundation/cMatrix.h"
#include "engine/foundation/cPlane.h"

class cFrustum
{
public:
	enum ePlane
	{
		PLANE_LEFT,
		PLANE_RIGHT,
		PLANE_TOP,
		PLANE_BOTTOM,
		PLANE_FAR,
		PLANE_NEAR,
		PLANE_COUNT
	};

	// All planes zero until SetFromMatrix.
	cFrustum() = default;

	void SetFromMatrix(const cMatrix& viewProjection);

	const cPlane& GetPlane(ePlane plane) const { return m_planes[plane]; }

private:
	cPlane m_planes[PLANE_COUNT];
};
