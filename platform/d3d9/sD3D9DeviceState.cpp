#include "platform/d3d9/sD3D9DeviceState.h"

#include "platform/d3d9/cD3D9Surface.h"
#include "platform/d3d9/cD3D9Texture.h"
#include "platform/d3d9/cD3D9IndexBuffer.h"
#include "platform/d3d9/cD3D9VertexBuffer.h"
#include "platform/d3d9/cD3D9VertexDeclaration.h"

namespace
{
D3DMATRIX Identity()
{
	D3DMATRIX m {};
	m._11 = m._22 = m._33 = m._44 = 1.0f;
	return m;
}

void SetRenderStateDefaults(std::array<DWORD, D3D9_RENDER_STATE_COUNT>& rs, bool zEnable)
{
	rs.fill(0);
	rs[D3DRS_ZENABLE] = zEnable ? D3DZB_TRUE : D3DZB_FALSE;
	rs[D3DRS_FILLMODE] = D3DFILL_SOLID;
	rs[D3DRS_SHADEMODE] = D3DSHADE_GOURAUD;
	rs[D3DRS_ZWRITEENABLE] = TRUE;
	rs[D3DRS_LASTPIXEL] = TRUE;
	rs[D3DRS_SRCBLEND] = D3DBLEND_ONE;
	rs[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
	rs[D3DRS_CULLMODE] = D3DCULL_CCW;
	rs[D3DRS_ZFUNC] = D3DCMP_LESSEQUAL;
	rs[D3DRS_ALPHAFUNC] = D3DCMP_ALWAYS;
	rs[D3DRS_TEXTUREFACTOR] = 0xFFFFFFFF;
	rs[D3DRS_CLIPPING] = TRUE;
	rs[D3DRS_LIGHTING] = TRUE;
	rs[D3DRS_COLORVERTEX] = TRUE;
	rs[D3DRS_DIFFUSEMATERIALSOURCE] = D3DMCS_COLOR1;
	rs[D3DRS_SPECULARMATERIALSOURCE] = D3DMCS_COLOR2;
	rs[D3DRS_AMBIENTMATERIALSOURCE] = D3DMCS_MATERIAL;
	rs[D3DRS_EMISSIVEMATERIALSOURCE] = D3DMCS_MATERIAL;
	rs[D3DRS_COLORWRITEENABLE] = 0xF;
	rs[D3DRS_BLENDOP] = D3DBLENDOP_ADD;
	rs[D3DRS_SRCBLENDALPHA] = D3DBLEND_ONE;
	rs[D3DRS_DESTBLENDALPHA] = D3DBLEND_ZERO;
	rs[D3DRS_BLENDOPALPHA] = D3DBLENDOP_ADD;
}
}

void sD3D9DeviceState::SetDefaults(bool zEnable)
{
	SetRenderStateDefaults(renderStates, zEnable);
	for (int stage = 0; stage < kStages; ++stage)
	{
		auto& ss = stageStates[stage];
		ss.fill(0);
		ss[D3DTSS_COLOROP] = stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
		ss[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
		ss[D3DTSS_COLORARG2] = D3DTA_CURRENT;
		ss[D3DTSS_ALPHAOP] = stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
		ss[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
		ss[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
		ss[D3DTSS_TEXCOORDINDEX] = stage;
		ss[D3DTSS_TEXTURETRANSFORMFLAGS] = D3DTTFF_DISABLE;
		ss[D3DTSS_RESULTARG] = D3DTA_CURRENT;

		auto& sampler = samplerStates[stage];
		sampler.fill(0);
		sampler[D3DSAMP_ADDRESSU] = D3DTADDRESS_WRAP;
		sampler[D3DSAMP_ADDRESSV] = D3DTADDRESS_WRAP;
		sampler[D3DSAMP_ADDRESSW] = D3DTADDRESS_WRAP;
		sampler[D3DSAMP_MAGFILTER] = D3DTEXF_POINT;
		sampler[D3DSAMP_MINFILTER] = D3DTEXF_POINT;
		sampler[D3DSAMP_MIPFILTER] = D3DTEXF_NONE;
		sampler[D3DSAMP_MAXANISOTROPY] = 1;

		textureMatrices[stage] = Identity();
		textures[stage].Reset();
	}
	dirtySamplers = (1u << kStages) - 1;

	world = view = projection = Identity();
	viewport = {};
	material = {};
	for (int i = 0; i < kLights; ++i)
	{
		lights[i] = {};
		lights[i].Type = D3DLIGHT_DIRECTIONAL;
		lights[i].Diffuse = { 1.0f, 1.0f, 1.0f, 0.0f };
		lights[i].Direction = { 0.0f, 0.0f, 1.0f };
		lightEnabled[i] = false;
	}
	for (auto& plane : clipPlanes)
		plane = { 0.0f, 0.0f, 0.0f, 0.0f };

	streamSource.Reset();
	streamOffset = streamStride = 0;
	fvf = 0;
	declaration.Reset();
	indices.Reset();
	renderTarget.Reset();
	depthStencil.Reset();
	dirty = kDirtyAll;
}
