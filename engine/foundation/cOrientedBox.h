#pragma once
// A box given in its own space (the local box) and placed in the world by a
// matrix. Its world centre and axes are cached and rebuilt only after the
// matrix or the local box changes.

#include "engine/foundation/cBoundingBox.h"

class cOrientedBox
{
public:
	// Identity matrix, empty local box.
	cOrientedBox();
	cOrientedBox(const cBoundingBox& localBox, const cMatrix& matrix);

	// The local box under the identity matrix.
	void InitFromBox(const cBoundingBox& localBox);
	void SetMatrix(const cMatrix& matrix);

	// Separating-axis test on the 3 + 3 face axes and their 9 cross products.
	// Touching boxes intersect; an empty box intersects nothing.
	bool Intersects(const cOrientedBox& other) const;

private:
	void UpdateCache() const;
	// The projections of the box onto the axis: centre and half length.
	void Project(const cVector3d& axis, float& centre, float& radius) const;

	cMatrix m_matrix;
	cBoundingBox m_localBox;
	mutable cVector3d m_centre;
	mutable cVector3d m_axes[3];
	mutable cVector3d m_halfAxes[3];
	mutable bool m_dirty = true;
};
