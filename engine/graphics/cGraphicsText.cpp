#include "engine/graphics/cGraphicsText.h"

#include "engine/graphics/cGraphics.h"
#include "engine/graphics/cTexture.h"

#include <algorithm>

namespace
{
// 16-bit indices address the vertices of the first 16384 quads only.
const unsigned kLargestDrawnVertexCount = 65536;

void SetSampler0Filter(IDirect3DDevice9* device, DWORD filter)
{
	device->SetSamplerState(0, D3DSAMP_MINFILTER, filter);
	device->SetSamplerState(0, D3DSAMP_MAGFILTER, filter);
}
}

void cGraphicsText::Render(const sColor& color)
{
	IDirect3DDevice9* device = GraphicsDevice();
	const unsigned vertexCount = std::min(m_vertexBuffer.GetCount(), kLargestDrawnVertexCount);
	if (!device || vertexCount == 0)
		return;
	m_vertexBuffer.Bind();
	Singletone<cGraphics>::GetInstance()->GetQuadIndexBuffer().Bind();

	device->SetRenderState(D3DRS_TEXTUREFACTOR, ColorToArgb(color.a, color.r, color.g, color.b));
	device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_TFACTOR);
	device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_TFACTOR);
	DWORD filter = D3DTEXF_LINEAR;
	device->GetSamplerState(0, D3DSAMP_MINFILTER, &filter);
	const bool unfiltered = filter == D3DTEXF_NONE;
	if (unfiltered)
		SetSampler0Filter(device, D3DTEXF_LINEAR);
	for (int stage = 1; stage < kTextureStageCount; ++stage)
		cTexture::Unbind(stage);

	device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, vertexCount, 0, vertexCount / 2);

	if (unfiltered)
		SetSampler0Filter(device, D3DTEXF_NONE);
}
