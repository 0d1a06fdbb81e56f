#pragma once
// One instance of a model: the model through its handle, this instance's
// materials, an optional shader resource and the animator that fits the
// model's animation data. When the animator deforms vertices the instance
// owns a dynamic vertex buffer with its own copy of them and draws that.
// Many instances share one model; none changes it.

#include "engine/graphics/cAnimator.h"
#include "engine/foundation/cSharedPtr.h"
#include "engine/foundation/sRay.h"
#include "engine/graphics/cMaterialController.h"
#include "engine/graphics/cModelHandle.h"

class cFakeShaderResource;

class cModelControllerBase
{
public:
	cModelControllerBase() = default;
	explicit cModelControllerBase(const cModelHandle& model);
	cModelControllerBase(const cModelControllerBase& other);
	cModelControllerBase& operator=(const cModelControllerBase&) = delete;
	virtual ~cModelControllerBase();

	// Binds the handle's model, rebuilds the materials and picks the
	// animator: skeletal for animation sets, else morphing for morph
	// channels, else texture for an atlas with frames, else none.
	void SetModel(const cModelHandle& model);
	// Holds the shader resource of the name (null when not found).
	void SetShader(const std::string& name);
	// Becomes an independent instance of the other's model: same materials
	// and shader, a clone of its animator, its own dynamic vertex buffer.
	void CopyFrom(const cModelControllerBase& other);
	// Gives the instance its own deformable copy of the model's vertices
	// and draws from it; nothing when it has one.
	void CreateDynamicVertexBuffer();
	void SetTextureOffset(float u, float v);

	// Whether the ray (in model space, its segment first tested against the
	// model's box) touches a triangle.
	bool HitTest(const sRay& ray) const;
	// Whether the ray meets a triangle; the hit point is the origin moved
	// along the ray by the nearest distance found (100000 when none). Not
	// written without a model or when the segment misses the box.
	bool IntersectRay(const sRay& ray, cVector3d& hitPoint) const;

	cModel* GetModel() const { return m_model.GetModel(); }
	const cModelHandle& GetModelHandle() const { return m_model; }
	cFakeShaderResource* GetShader() const { return m_shader; }
	cAnimator* GetAnimator() const { return m_animator; }
	std::vector<cMaterialController>& GetMaterials() { return m_materials; }
	const std::vector<cMaterialController>& GetMaterials() const { return m_materials; }
	cVertexBuffer* GetVertexBuffer() const { return m_vertexBuffer; }
	cVertexBuffer* GetDynamicVertexBuffer() const { return m_dynamicVertexBuffer.Get(); }
	cIndexBuffer* GetIndexBuffer() const { return m_indexBuffer; }

private:
	void SetAnimator(cAnimator* animator);
	// The positions the picking tests see, a stride apart: the dynamic
	// buffer locked (unlock with ReleasePositions) or the model's bytes.
	const uint8_t* AcquirePositions() const;
	void ReleasePositions() const;

	cModelHandle m_model;
	cFakeShaderResource* m_shader = nullptr;
	cSharedPtr<cVertexBuffer> m_dynamicVertexBuffer;
	// The buffer drawn: the model's, or the dynamic one when it exists.
	cVertexBuffer* m_vertexBuffer = nullptr;
	cIndexBuffer* m_indexBuffer = nullptr;
	std::vector<cMaterialController> m_materials;
	cAnimator* m_animator = nullptr;
};
