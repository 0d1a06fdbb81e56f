#include "engine/scene/cQuadRun.h"

#include "engine/graphics/cGraphics.h"
#include "engine/graphics/cModel.h"
#include "engine/scene/cQuadVisual.h"
#include "engine/scene/cSceneObject.h"

#include <cstring>
#include <typeinfo>

namespace
{
// The layout the members' models have: a position and a texture coordinate pair.
constexpr int kMemberFormat = D3DFVF_XYZ | D3DFVF_TEX1;
// The largest model a member has: the draws the device gathers by itself.
constexpr unsigned kMaxMemberVertices = 256;

struct sModelVertex
{
	float x, y, z, u, v;
};
}

cQuadRun::cQuadRun() : m_vertexBuffer(D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1, nullptr, 0)
{
	m_vertexBuffer.SetDynamic(true);
}

bool cQuadRun::Member(const cSceneObject* object, sMemberKey& key, unsigned& vertexCount)
{
	// Types derived from these may draw more than the model.
	const cVisual* visual = object->GetVisual();
	if (typeid(*object) != typeid(cSceneObject) || !visual || typeid(*visual) != typeid(cQuadVisual))
		return false;
	const auto* quad = static_cast<const cQuadVisual*>(visual);
	const cModelController& controller = quad->GetController();
	cModel* model = controller.GetModel();
	// An animator's own vertex buffer, several materials or several
	// textures take the object's own draw.
	if (!model || model->vertexFormat != kMemberFormat || controller.GetVertexBuffer() != &model->GetVertexBuffer() ||
		controller.GetMaterials().size() != 1 || model->materials.size() != 1)
		return false;
	// Turned or projecting placements take the object's own draw: under
	// linear filtering a turned quad's texels may blend a last bit apart
	// with the way its draw is gathered with others.
	const cMatrix& w = object->GetTransform().GetWorldMatrix();
	if (w._12 != 0 || w._13 != 0 || w._14 != 0 || w._21 != 0 || w._23 != 0 || w._24 != 0 || w._31 != 0 ||
		w._32 != 0 || w._34 != 0 || w._44 != 1)
		return false;
	vertexCount = model->GetVertexCount();
	const cMaterialController& material = controller.GetMaterials().front();
	key = { material.GetStageTexture(0), material.GetOffsetU(), material.GetOffsetV(),
		model->materials.front().textureNames.size(), quad->IsFiltered() };
	return vertexCount <= kMaxMemberVertices && key.textureCount <= 1;
}

void cQuadRun::Draw(const sDrawEntry* entries, size_t count)
{
	const auto modelOf = [entries](size_t n) -> const cModel& {
		return *static_cast<const cQuadVisual*>(entries[n].object->GetVisual())->GetController().GetModel();
	};
	size_t vertexTotal = 0;
	size_t indexTotal = 0;
	for (size_t n = 0; n < count; ++n)
	{
		vertexTotal += modelOf(n).GetVertexCount();
		indexTotal += size_t(modelOf(n).materials.front().triangleCount) * 3;
	}
	m_vertices.resize(vertexTotal);
	m_indices.resize(indexTotal);
	sVertex* out = m_vertices.data();
	uint16_t* outIndex = m_indices.data();
	for (size_t n = 0; n < count; ++n)
	{
		const cModel& model = modelOf(n);
		const cTransformNode& transform = entries[n].object->GetTransform();
		const cMatrix& w = transform.GetWorldMatrix();
		const sColor& shade = transform.GetEffectiveColor();
		const uint32_t color = ColorToArgb(shade.a, shade.r, shade.g, shade.b);
		const size_t base = size_t(out - m_vertices.data());
		const unsigned vertexCount = model.GetVertexCount();
		for (unsigned v = 0; v < vertexCount; ++v)
		{
			sModelVertex p;
			std::memcpy(&p, model.vertexBytes.data() + size_t(v) * sizeof p, sizeof p);
			// In the order of the device's own move to world space.
			*out++ = { p.x * w._11 + p.y * w._21 + p.z * w._31 + w._41, p.x * w._12 + p.y * w._22 + p.z * w._32 + w._42,
				p.x * w._13 + p.y * w._23 + p.z * w._33 + w._43, color, p.u, p.v };
		}
		const sModelMaterial& material = model.materials.front();
		const uint16_t* in = &model.indices[material.startIndex];
		for (size_t i = 0; i < size_t(material.triangleCount) * 3; ++i)
			*outIndex++ = uint16_t(base + in[i]);
	}

	cQuadVisual& first = *static_cast<cQuadVisual*>(entries[0].object->GetVisual());
	cGraphics* graphics = cGraphics::GetInstance();
	first.ApplyFilter();
	graphics->SetWorldMatrix(cMatrix::Identity());
	m_vertexBuffer.SetData(m_vertices.data(), unsigned(m_vertices.size()));
	// Grown, not re-created, as runs of other lengths follow.
	m_indexBuffer.SetCount(unsigned(m_indices.size()));
	if (void* data = m_indexBuffer.Lock(0, unsigned(m_indices.size())))
	{
		std::memcpy(data, m_indices.data(), m_indices.size() * sizeof(uint16_t));
		m_indexBuffer.Unlock();
	}
	m_vertexBuffer.Bind();
	m_indexBuffer.Bind();
	first.GetModelController()->GetMaterials().front().Apply();
	IDirect3DDevice9* device = cGraphics::GetDevice();
	device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
	device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
	graphics->DrawIndexedTriangles(int(m_vertices.size()), 0, int(m_indices.size() / 3));

	const cSceneObject& last = *entries[count - 1].object;
	cModelController& controller = *last.GetVisual()->GetModelController();
	graphics->SetWorldMatrix(last.GetTransform().GetWorldMatrix());
	controller.GetVertexBuffer()->Bind();
	controller.GetIndexBuffer()->Bind();
	graphics->SetDrawColor(last.GetTransform().GetEffectiveColor());
}
