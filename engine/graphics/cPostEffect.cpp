#include "engine/graphics/cPostEffect.h"

#include "engine/foundation/StringUtils.h"
#include "engine/graphics/cFakeShaderResource.h"
#include "engine/graphics/cGraphics.h"

#include <sstream>

namespace
{
// Vertex format 258: position and one texture coordinate pair.
constexpr int kQuadFormat = D3DFVF_XYZ | D3DFVF_TEX1;

struct sQuadVertex
{
	float x, y, z, u, v;
};

// The logical screen the quads are laid out on.
constexpr float kScreenWidth = 1024.0f;
constexpr float kScreenHeight = 768.0f;
}

cPostEffect::cPostEffect()
{
	m_quads.SetFormat(kQuadFormat, nullptr, 0);
	m_quads.SetCount(40);
	m_defaultShader.BindByName<cFakeShaderResource>("pe_default");
}

cPostEffect::~cPostEffect()
{
	m_quads.SetCapacity(0);
	m_defaultShader.Reset();
	for (cFakeShaderResource* effect : m_effects)
		effect->Release();
}

void cPostEffect::SetEffects(const std::string& names)
{
	std::istringstream pieces(names);
	std::string name;
	while (std::getline(pieces, name, ','))
	{
		TrimString(name);
		if (cFakeShaderResource* shader = cResourceManager::GetResourceByName<cFakeShaderResource>(name))
			m_effects.push_back(shader);
	}

	std::vector<sQuadVertex> vertices;
	float sx = 1.0f;
	float sy = 1.0f;
	for (cFakeShaderResource* shader : m_effects)
	{
		cShaderEffect* effect = shader->GetEffect();
		const UINT passes = effect ? effect->GetPassCount() : 0;
		for (UINT pass = 0; pass < passes; ++pass)
		{
			const float oldX = sx;
			const float oldY = sy;
			float scaleX = 1.0f;
			float scaleY = 1.0f;
			if (sEffectParameter annotation = effect->GetPassAnnotation(pass, "fScaleX"))
				annotation.effect->GetFloat(annotation.handle, &scaleX);
			if (sEffectParameter annotation = effect->GetPassAnnotation(pass, "fScaleY"))
				annotation.effect->GetFloat(annotation.handle, &scaleY);
			sx *= scaleX;
			sy *= scaleY;
			vertices.push_back({ -0.0f, 0, 0, 0, 1 });
			vertices.push_back({ -0.0f, sy * kScreenHeight, 0, 0, 1 - oldY });
			vertices.push_back({ sx * kScreenWidth, sy * kScreenHeight, 0, oldX, 1 - oldY });
			vertices.push_back({ sx * kScreenWidth, 0, 0, oldX, 1 });
		}
	}
	for (const sQuadVertex& vertex : { sQuadVertex { 0, 0, 0, 0, 1 }, sQuadVertex { 0, kScreenHeight, 0, 0, 0 },
			 sQuadVertex { kScreenWidth, kScreenHeight, 0, 1, 0 }, sQuadVertex { kScreenWidth, 0, 0, 1, 1 } })
		vertices.push_back(vertex);
	m_quads.SetData(vertices.data(), unsigned(vertices.size()));
}

void cPostEffect::BeginCapture()
{
	cGraphics* graphics = Singletone<cGraphics>::GetInstance();
	for (size_t index = 0; index < m_effects.size(); ++index)
		graphics->PushRenderTarget();
}

void cPostEffect::BindQuads()
{
	cGraphics* graphics = Singletone<cGraphics>::GetInstance();
	m_quads.Bind();
	graphics->GetQuadIndexBuffer().Bind();
	cMatrix offset;
	graphics->SetWorldMatrix(offset.MakeTranslation(cVector3d(-0.5f, 0.5f, 0)));
}

void cPostEffect::DrawQuad(int quad)
{
	cGraphics::GetDevice()->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 4 * quad, 0, m_quads.GetCount(), 0, 2);
}

int cPostEffect::RenderChain()
{
	cGraphics* graphics = Singletone<cGraphics>::GetInstance();
	int quad = 0;
	for (cFakeShaderResource* shader : m_effects)
	{
		cTexture* source = graphics->PopRenderTarget();
		if (!source)
			break;
		cShaderEffect* effect = shader->GetEffect();
		if (!effect)
			continue;
		effect->SetTexture(0, source);
		while (effect->NextPass())
			DrawQuad(quad++);
	}
	return quad;
}

void cPostEffect::Render()
{
	if (m_effects.empty())
		return;
	BindQuads();
	RenderChain();
}

void cPostEffect::RenderBlended(float strength)
{
	if (m_effects.empty())
		return;
	cGraphics* graphics = Singletone<cGraphics>::GetInstance();
	const int top = graphics->GetRenderTargetIndex();
	cTexture* unprocessed = top >= 0 ? graphics->GetRenderTargetStack()[top] : nullptr;
	BindQuads();
	const int quad = RenderChain();
	cFakeShaderResource* shader = m_defaultShader.Get<cFakeShaderResource>();
	cShaderEffect* blend = shader ? shader->GetEffect() : nullptr;
	if (!blend)
		return;
	blend->SetTexture(0, unprocessed);
	blend->SetColor(sColor(1, 1, 1, 1 - strength));
	while (blend->NextPass())
		DrawQuad(quad);
}
