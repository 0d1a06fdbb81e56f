#include "engine/graphics/cModelControllerBase.h"

#include "engine/graphics/cMorphingAnimator.h"
#include "engine/graphics/cSkeletalAnimator.h"
#include "engine/graphics/cTextureAnimator.h"
#include "engine/graphics/ModelPicking.h"
#include "engine/graphics/cFakeShaderResource.h"

#include <algorithm>
#include <cstring>

namespace
{
// IntersectRay's distance when no triangle is met.
constexpr float kNoHitDistance = 100000.0f;

cVector3d PositionAt(const uint8_t* vertices, unsigned stride, unsigned index)
{
	cVector3d position;
	memcpy(&position, vertices + size_t(index) * stride, sizeof position);
	return position;
}
}

cModelControllerBase::cModelControllerBase(const cModelHandle& model)
{
	SetModel(model);
}

cModelControllerBase::cModelControllerBase(const cModelControllerBase& other)
{
	CopyFrom(other);
}

cModelControllerBase::~cModelControllerBase()
{
	SetAnimator(nullptr);
	if (m_shader)
		m_shader->Release();
}

void cModelControllerBase::SetAnimator(cAnimator* animator)
{
	delete m_animator;
	m_animator = animator;
}

void cModelControllerBase::SetModel(const cModelHandle& handle)
{
	m_model = handle;
	cModel* model = GetModel();
	m_indexBuffer = model ? &model->GetIndexBuffer() : nullptr;
	m_vertexBuffer = model ? &model->GetVertexBuffer() : nullptr;

	m_materials.clear();
	if (model)
		for (const sModelMaterial& material : model->materials)
			m_materials.emplace_back(material);

	if (!model)
		SetAnimator(nullptr);
	else if (!model->animationSets.empty())
	{
		auto* skeletal = new cSkeletalAnimator(this, nullptr);
		SetAnimator(skeletal);
		skeletal->Init(model->skeleton, model->animationSets, model->boneKeys);
	}
	else if (!model->morph.channels.empty())
		SetAnimator(new cMorphingAnimator(this, &model->morph));
	else if (model->textureAnimation.frameCount != 0)
		SetAnimator(new cTextureAnimator(this, &model->textureAnimation));
	else
		SetAnimator(nullptr);

	m_dynamicVertexBuffer.Reset(nullptr);
	if (m_animator && m_animator->NeedsDynamicVertexBuffer())
		CreateDynamicVertexBuffer();
}

void cModelControllerBase::SetShader(const std::string& name)
{
	cFakeShaderResource* shader = cResourceManager::GetResourceByName<cFakeShaderResource>(name);
	if (m_shader)
		m_shader->Release();
	m_shader = shader;
}

void cModelControllerBase::CopyFrom(const cModelControllerBase& other)
{
	m_model = other.m_model;
	m_vertexBuffer = other.m_vertexBuffer;
	if (other.m_shader)
		other.m_shader->AddRef();
	if (m_shader)
		m_shader->Release();
	m_shader = other.m_shader;
	if (m_dynamicVertexBuffer)
	{
		m_dynamicVertexBuffer.Reset(nullptr);
		CreateDynamicVertexBuffer();
	}
	m_indexBuffer = other.m_indexBuffer;
	m_materials = other.m_materials;
	SetAnimator(other.m_animator ? other.m_animator->Clone(this) : nullptr);
	if (m_animator && m_animator->NeedsDynamicVertexBuffer() && !m_dynamicVertexBuffer)
		CreateDynamicVertexBuffer();
}

void cModelControllerBase::CreateDynamicVertexBuffer()
{
	cModel* model = GetModel();
	if (m_dynamicVertexBuffer || !model)
		return;
	const std::vector<D3DVERTEXELEMENT9>& declaration = model->declaration;
	auto* buffer = new cVertexBuffer(model->vertexFormat, declaration.empty() ? nullptr : declaration.data(),
		unsigned(declaration.size()));
	m_dynamicVertexBuffer.Reset(buffer);
	buffer->SetDynamic(true);
	buffer->SetData(model->vertexBytes.data(), model->GetVertexCount());
	m_vertexBuffer = buffer;
}

void cModelControllerBase::SetTextureOffset(float u, float v)
{
	for (cMaterialController& material : m_materials)
		material.SetTextureOffset(u, v);
}

const uint8_t* cModelControllerBase::AcquirePositions() const
{
	if (m_dynamicVertexBuffer)
		return static_cast<const uint8_t*>(m_dynamicVertexBuffer->Lock(0, 0));
	return GetModel()->vertexBytes.data();
}

void cModelControllerBase::ReleasePositions() const
{
	if (m_dynamicVertexBuffer)
		m_dynamicVertexBuffer->Unlock();
}

bool cModelControllerBase::HitTest(const sRay& ray) const
{
	const cModel* model = GetModel();
	if (!model || !model->GetBoundingBox().IntersectsSegment(ray))
		return false;
	const uint8_t* vertices = AcquirePositions();
	if (!vertices)
		return false;
	const unsigned stride = m_vertexBuffer->GetStride();
	const std::vector<uint16_t>& indices = model->indices;
	bool hit = false;
	for (size_t i = 0; !hit && i + 3 <= indices.size(); i += 3)
		hit = RayTouchesTriangle(ray, PositionAt(vertices, stride, indices[i]), PositionAt(vertices, stride, indices[i + 1]),
			PositionAt(vertices, stride, indices[i + 2]));
	ReleasePositions();
	return hit;
}

bool cModelControllerBase::IntersectRay(const sRay& ray, cVector3d& hitPoint) const
{
	const cModel* model = GetModel();
	if (!model || !model->GetBoundingBox().IntersectsSegment(ray))
		return false;
	float best = kNoHitDistance;
	bool hit = false;
	if (const uint8_t* vertices = AcquirePositions())
	{
		const unsigned stride = m_vertexBuffer->GetStride();
		const std::vector<uint16_t>& indices = model->indices;
		for (size_t i = 0; i + 3 <= indices.size(); i += 3)
		{
			float distance;
			if (RayMeetsTriangle(ray, PositionAt(vertices, stride, indices[i]),
					PositionAt(vertices, stride, indices[i + 1]), PositionAt(vertices, stride, indices[i + 2]), distance))
			{
				hit = true;
				best = std::min(best, distance);
			}
		}
		ReleasePositions();
	}
	cVector3d direction = ray.direction;
	hitPoint = ray.origin + direction.Normalize() * best;
	return hit;
}
