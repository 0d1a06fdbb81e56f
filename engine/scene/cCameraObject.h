#pragma once
// The object type "camera": places a camera in the scene tree. Every object
// the draw collection and the input pass reach after it (its subtree, its
// later siblings and what follows) is drawn through its camera and picked
// with its ray, until another camera object takes over. The camera's world
// matrix is the offset followed by the object's world matrix.
//
// Properties: "fov", "znear", "zfar", "aspect" and "ortho" (write only;
// the projection is rebuilt at the next update), and "offset" (twelve
// numbers; takes effect at the next view update). "aspect" is kept but the
// projection takes the back buffer's aspect.

#include "engine/graphics/cCamera.h"
#include "engine/scene/cSceneObject.h"

class cCameraObject : public cSceneObject
{
public:
	cCameraObject(const std::string& name, cSceneObject* parent);
	~cCameraObject() override;
	static cSceneObject* Create(const std::string& name, cSceneObject* parent);

	// Brings the transforms of the tree the camera is in up to date, places
	// the camera and moves the object to the front of its siblings, so that
	// it covers its parent's whole subtree.
	void OnLoaded() override;
	// The scene's pick ray becomes this camera's ray under the cursor.
	void PreInput() override;
	std::string GetTypeName() const override { return "camera"; }
	void CollectDraw(std::vector<sDrawEntry>& queue, cCamera*& camera) override;
	// After the base update, a changed camera gets its projection again (a
	// perspective, or the default camera's with "ortho"); a changed camera,
	// or one whose object a motion moves, is placed again.
	void Update(float dt) override;

	cCamera& GetCamera() { return m_camera; }
	bool IsDirty() const { return m_dirty; }
	const cMatrix& GetOffset() const { return m_offset; }

private:
	void RebuildProjection();
	void PlaceCamera();
	void SetDirtyFloat(float* target, const float* value);
	void OnFov(float* value) { SetDirtyFloat(&m_fov, value); }
	void OnNear(float* value) { SetDirtyFloat(&m_near, value); }
	void OnFar(float* value) { SetDirtyFloat(&m_far, value); }
	void OnAspect(float* value) { SetDirtyFloat(&m_aspect, value); }
	void OnOrtho(bool* value);

	cCamera m_camera;
	bool m_dirty = false;
	bool m_ortho = false;
	float m_aspect = 4.0f / 3.0f;
	float m_fov = 1.5707964f;
	float m_near = 1.0f;
	float m_far = 1000.0f;
	cMatrix m_offset;
};
