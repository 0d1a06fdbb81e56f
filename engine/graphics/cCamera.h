#pragma once
// A projection and a placement, with an optional clip box and a depth-test
// switch. Applying the camera makes it the graphics device's current one:
// screen viewport, view and projection transforms, the cached matrix
// products, the user clip planes and the depth test. Projections are
// left-handed; the orthographic one has y growing upward on the screen.

#include "engine/foundation/cBoundingBox.h"
#include "engine/foundation/cFrustum.h"
#include "engine/foundation/cMatrix.h"
#include "engine/foundation/sRay.h"
#include "engine/graphics/cDirectXGraphicsObject.h"

class cCamera : public cDirectXGraphicsObject
{
public:
	// No clip box, depth test on.
	cCamera() = default;
	// Stops being the device's current camera, so nothing reads it once gone.
	~cCamera() override;

	void SetPerspective(float fieldOfView, float aspect, float zNear, float zFar);
	// Maps x to x + width onto the viewport's left to right edge and y to
	// y + height onto its bottom to top edge.
	void SetOrtho(float x, float y, float width, float height, float zNear, float zFar);
	// The camera's world matrix; the view is its inverse.
	void SetTransform(const cMatrix& placement);
	// When enabled, drawing is clipped to the box's x and y extent.
	void SetClipBox(bool enabled, const cBoundingBox& box);
	void SetDepthTest(bool on) { m_depthTest = on; }

	void Apply();

	// The ray under a point given in back-buffer pixels of the screen
	// viewport (y from the top) at depth z: from the point unprojected at z
	// to the point unprojected at depth 1, not normalised.
	sRay GetPickRay(const cVector3d& screenPoint, const cMatrix& world) const;

	const cMatrix& GetProjection() const { return m_projection; }
	const cMatrix& GetView() const { return m_view; }
	const cBoundingBox& GetClipBox() const { return m_clipBox; }
	bool IsClipEnabled() const { return m_clipEnabled; }
	bool GetDepthTest() const { return m_depthTest; }
	const cFrustum& GetFrustum() const { return m_frustum; }

private:
	void UpdateFrustum();

	cMatrix m_projection;
	cMatrix m_view;
	cBoundingBox m_clipBox;
	bool m_clipEnabled = false;
	bool m_depthTest = true;
	cFrustum m_frustum;
};
