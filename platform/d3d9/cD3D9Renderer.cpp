#include "platform/d3d9/cD3D9Renderer.h"

#include "platform/d3d9/cD3D9IndexBuffer.h"
#include "platform/d3d9/cD3D9Texture.h"
#include "platform/d3d9/cD3D9VertexBuffer.h"
#include "platform/d3d9/cD3D9VertexDeclaration.h"
#include "platform/win32/Win32Internal.h"

#include <algorithm>
#include <cstdio>

namespace
{
using sStage = std::array<DWORD, D3D9_STAGE_STATE_COUNT>;

constexpr uint64_t kUnknownFactor = ~0ull;

// The address GL reads from: a memory address, or an offset into the bound
// buffer object when the base is 0. Built from integers: adding an offset to
// a null pointer is undefined.
const void* GlAddress(uintptr_t base, size_t offset)
{
	return reinterpret_cast<const void*>(base + offset);
}

void ColorToFloats(D3DCOLOR color, float out[4])
{
	out[0] = static_cast<float>((color >> 16) & 0xFF) / 255.0f;
	out[1] = static_cast<float>((color >> 8) & 0xFF) / 255.0f;
	out[2] = static_cast<float>(color & 0xFF) / 255.0f;
	out[3] = static_cast<float>(color >> 24) / 255.0f;
}

GLenum CompareFunction(DWORD function)
{
	switch (function)
	{
	case D3DCMP_NEVER: return GL_NEVER;
	case D3DCMP_LESS: return GL_LESS;
	case D3DCMP_EQUAL: return GL_EQUAL;
	case D3DCMP_LESSEQUAL: return GL_LEQUAL;
	case D3DCMP_GREATER: return GL_GREATER;
	case D3DCMP_NOTEQUAL: return GL_NOTEQUAL;
	case D3DCMP_GREATEREQUAL: return GL_GEQUAL;
	default: return GL_ALWAYS;
	}
}

GLenum BlendFactor(DWORD blend)
{
	switch (blend)
	{
	case D3DBLEND_ZERO: return GL_ZERO;
	case D3DBLEND_SRCCOLOR: return GL_SRC_COLOR;
	case D3DBLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
	case D3DBLEND_SRCALPHA: return GL_SRC_ALPHA;
	case D3DBLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
	case D3DBLEND_DESTALPHA: return GL_DST_ALPHA;
	case D3DBLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
	case D3DBLEND_DESTCOLOR: return GL_DST_COLOR;
	case D3DBLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
	case D3DBLEND_SRCALPHASAT: return GL_SRC_ALPHA_SATURATE;
	default: return GL_ONE;
	}
}

GLenum BlendEquation(DWORD op)
{
	switch (op)
	{
	case D3DBLENDOP_SUBTRACT: return GL_FUNC_SUBTRACT;
	case D3DBLENDOP_REVSUBTRACT: return GL_FUNC_REVERSE_SUBTRACT;
	case D3DBLENDOP_MIN: return GL_MIN;
	case D3DBLENDOP_MAX: return GL_MAX;
	default: return GL_FUNC_ADD;
	}
}

GLint AddressMode(DWORD address)
{
	switch (address)
	{
	case D3DTADDRESS_MIRROR: return GL_MIRRORED_REPEAT;
	case D3DTADDRESS_CLAMP: return GL_CLAMP_TO_EDGE;
	case D3DTADDRESS_BORDER: return GL_CLAMP_TO_BORDER;
	default: return GL_REPEAT;
	}
}

GLint MinFilter(DWORD minFilter, DWORD mipFilter)
{
	bool linear = minFilter == D3DTEXF_LINEAR || minFilter == D3DTEXF_ANISOTROPIC;
	switch (mipFilter)
	{
	case D3DTEXF_POINT: return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
	case D3DTEXF_LINEAR: return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
	default: return linear ? GL_LINEAR : GL_NEAREST;
	}
}

GLenum PrimitiveMode(D3DPRIMITIVETYPE type)
{
	switch (type)
	{
	case D3DPT_POINTLIST: return GL_POINTS;
	case D3DPT_LINELIST: return GL_LINES;
	case D3DPT_LINESTRIP: return GL_LINE_STRIP;
	case D3DPT_TRIANGLESTRIP: return GL_TRIANGLE_STRIP;
	case D3DPT_TRIANGLEFAN: return GL_TRIANGLE_FAN;
	default: return GL_TRIANGLES;
	}
}

D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b)
{
	D3DMATRIX r;
	for (int row = 0; row < 4; ++row)
		for (int col = 0; col < 4; ++col)
			r.m[row][col] = a.m[row][0] * b.m[0][col] + a.m[row][1] * b.m[1][col] + a.m[row][2] * b.m[2][col]
				+ a.m[row][3] * b.m[3][col];
	return r;
}

// A texture argument: its GL source and operand for the colour or the alpha.
struct sArgument
{
	GLint source;
	GLint operand;
};

sArgument Argument(DWORD argument, bool alpha)
{
	sArgument result;
	switch (argument & D3DTA_SELECTMASK)
	{
	case D3DTA_DIFFUSE:
	case D3DTA_SPECULAR: result.source = GL_PRIMARY_COLOR; break;
	case D3DTA_TEXTURE: result.source = GL_TEXTURE; break;
	case D3DTA_TFACTOR: result.source = GL_CONSTANT; break;
	default: result.source = GL_PREVIOUS; break;
	}
	bool complement = (argument & D3DTA_COMPLEMENT) != 0;
	if (alpha || (argument & D3DTA_ALPHAREPLICATE))
		result.operand = complement ? GL_ONE_MINUS_SRC_ALPHA : GL_SRC_ALPHA;
	else
		result.operand = complement ? GL_ONE_MINUS_SRC_COLOR : GL_SRC_COLOR;
	return result;
}

// One channel of a combiner (colour or alpha) from a texture operation.
void SetOperation(DWORD op, DWORD arg1, DWORD arg2, bool alpha, GLint& mode, GLint source[3], GLint operand[3],
	GLint& scale)
{
	sArgument a = Argument(arg1, alpha);
	sArgument b = Argument(arg2, alpha);
	GLint alphaOperand = GL_SRC_ALPHA;
	source[0] = a.source;
	operand[0] = a.operand;
	source[1] = b.source;
	operand[1] = b.operand;
	source[2] = GL_PREVIOUS;
	operand[2] = alpha ? GL_SRC_ALPHA : GL_SRC_COLOR;
	scale = 1;
	auto interpolate = [&](GLint weightSource) {
		mode = GL_INTERPOLATE;
		source[2] = weightSource;
		operand[2] = alphaOperand;
	};
	switch (op)
	{
	case D3DTOP_DISABLE:
		mode = GL_REPLACE;
		source[0] = GL_PREVIOUS;
		operand[0] = alpha ? GL_SRC_ALPHA : GL_SRC_COLOR;
		break;
	case D3DTOP_SELECTARG1: mode = GL_REPLACE; break;
	case D3DTOP_SELECTARG2:
		mode = GL_REPLACE;
		source[0] = b.source;
		operand[0] = b.operand;
		break;
	case D3DTOP_MODULATE2X: mode = GL_MODULATE; scale = 2; break;
	case D3DTOP_MODULATE4X: mode = GL_MODULATE; scale = 4; break;
	case D3DTOP_ADD: mode = GL_ADD; break;
	case D3DTOP_ADDSIGNED: mode = GL_ADD_SIGNED; break;
	case D3DTOP_ADDSIGNED2X: mode = GL_ADD_SIGNED; scale = 2; break;
	case D3DTOP_SUBTRACT: mode = GL_SUBTRACT; break;
	case D3DTOP_BLENDDIFFUSEALPHA: interpolate(GL_PRIMARY_COLOR); break;
	case D3DTOP_BLENDTEXTUREALPHA: interpolate(GL_TEXTURE); break;
	case D3DTOP_BLENDFACTORALPHA: interpolate(GL_CONSTANT); break;
	case D3DTOP_BLENDCURRENTALPHA: interpolate(GL_PREVIOUS); break;
	case D3DTOP_DOTPRODUCT3: mode = alpha ? GL_MODULATE : GL_DOT3_RGBA; break;
	default: mode = GL_MODULATE; break;
	}
}

// How many of its three sources a combine mode reads.
int SourcesRead(GLint mode)
{
	switch (mode)
	{
	case GL_REPLACE: return 1;
	case GL_INTERPOLATE: return 3;
	default: return 2;
	}
}
}

cD3D9Renderer::~cD3D9Renderer()
{
	if (m_context)
		SDL_GL_DeleteContext(m_context);
}

bool cD3D9Renderer::Init(SDL_Window* window, std::string& error)
{
	m_window = window;
	SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
	if (!win32::RunWithWindowHeld(window, [&] { m_context = SDL_GL_CreateContext(window); }))
	{
		error = "no OpenGL context: the window was destroyed";
		return false;
	}
	if (!m_context)
	{
		error = std::string("no OpenGL context: ") + SDL_GetError();
		return false;
	}
	int major = 0;
	int minor = 0;
	const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
	if (!version || std::sscanf(version, "%d.%d", &major, &minor) != 2 || major * 10 + minor < 33)
	{
		error = std::string("OpenGL 3.3 compatibility profile needed, found ") + (version ? version : "none");
		return false;
	}
	SDL_GL_SetSwapInterval(0);
	glGetIntegerv(GL_MAX_TEXTURE_SIZE, &m_maxTextureSize);

	glGenFramebuffers(1, &m_drawFramebuffer);
	glGenFramebuffers(1, &m_scratchFramebuffer);
	glBindFramebuffer(GL_FRAMEBUFFER, m_scratchFramebuffer);
	glReadBuffer(GL_COLOR_ATTACHMENT0);
	glBindFramebuffer(GL_FRAMEBUFFER, m_drawFramebuffer);
	glReadBuffer(GL_COLOR_ATTACHMENT0);
	glDrawBuffer(GL_COLOR_ATTACHMENT0);

	// Stages without a texture sample opaque white.
	const BYTE white[4] = { 255, 255, 255, 255 };
	glGenTextures(1, &m_whiteTexture);
	glBindTexture(GL_TEXTURE_2D, m_whiteTexture);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
	glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_BGRA, GL_UNSIGNED_BYTE, white);

	glGenSamplers(sD3D9DeviceState::kStages, m_samplers.data());
	for (GLuint unit = 0; unit < m_samplers.size(); ++unit)
		glBindSampler(unit, m_samplers[unit]);

	glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
	glPixelStorei(GL_PACK_ALIGNMENT, 4);
	glFrontFace(GL_CCW);
	glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
	glEnable(GL_SCISSOR_TEST);
	glDisable(GL_DITHER);
	glMatrixMode(GL_MODELVIEW);
	ForgetGlState();
	return true;
}

void cD3D9Renderer::MakeCurrent()
{
	if (SDL_GL_GetCurrentContext() != m_context)
		SDL_GL_MakeCurrent(m_window, m_context);
}

void cD3D9Renderer::ForgetGlState()
{
	FlushBatch();
	m_drawFramebufferBound = false;
	m_colorAttachment = { kUnknownTexture, -1, false };
	m_depthAttachment = { kUnknownTexture, -1, true };
	m_scissor = { -1, -1, -1, -1 };
	for (int unit = 0; unit < sD3D9DeviceState::kStages; ++unit)
	{
		SetActiveUnit(unit);
		glDisable(GL_TEXTURE_2D);
		m_unitEnabled[unit] = false;
		m_unitTexture[unit] = kUnknownTexture;
		m_unitCombiner[unit] = {};
		m_unitFactor[unit] = kUnknownFactor;
	}
	m_fvfLayoutCode = ~0u;
	m_vertexInput.valid = false;
	m_primaryColor = kUnknownFactor;
	m_needRaster = true;
}

void cD3D9Renderer::Collect(sGarbage& garbage)
{
	if (!garbage.textures.empty() || !garbage.buffers.empty() || !garbage.renderbuffers.empty())
		FlushBatch();
	if (!garbage.textures.empty())
	{
		glDeleteTextures(static_cast<GLsizei>(garbage.textures.size()), garbage.textures.data());
		m_unitTexture.fill(kUnknownTexture);
		m_colorAttachment = { kUnknownTexture, -1, false };
		garbage.textures.clear();
	}
	if (!garbage.buffers.empty())
	{
		glDeleteBuffers(static_cast<GLsizei>(garbage.buffers.size()), garbage.buffers.data());
		m_vertexInput.valid = false;
		garbage.buffers.clear();
	}
	if (!garbage.renderbuffers.empty())
	{
		glDeleteRenderbuffers(static_cast<GLsizei>(garbage.renderbuffers.size()), garbage.renderbuffers.data());
		m_depthAttachment = { kUnknownTexture, -1, true };
		garbage.renderbuffers.clear();
	}
}

void cD3D9Renderer::SetActiveUnit(int unit)
{
	if (m_activeUnit != unit)
	{
		glActiveTexture(GL_TEXTURE0 + unit);
		m_activeUnit = unit;
	}
}

void cD3D9Renderer::ForgetActiveUnitTexture()
{
	if (m_activeUnit < 0)
		m_unitTexture.fill(kUnknownTexture);
	else
		m_unitTexture[m_activeUnit] = kUnknownTexture;
}

void cD3D9Renderer::SetScissor(LONG x, LONG y, LONG width, LONG height)
{
	std::array<LONG, 4> box = { x, y, width, height };
	if (box != m_scissor)
	{
		glScissor(x, y, width, height);
		m_scissor = box;
	}
}

void cD3D9Renderer::AttachToScratch(GLenum target, const cD3D9Surface::sAttachment& attachment)
{
	glBindFramebuffer(target, m_scratchFramebuffer);
	glFramebufferTexture2D(target, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, attachment.name, attachment.level);
}

void cD3D9Renderer::ApplyTarget(sD3D9DeviceState& state)
{
	if (!m_drawFramebufferBound)
	{
		glBindFramebuffer(GL_FRAMEBUFFER, m_drawFramebuffer);
		m_drawFramebufferBound = true;
	}
	cD3D9Surface::sAttachment color = state.renderTarget->PrepareAttachment();
	ForgetActiveUnitTexture();
	if (color.name != m_colorAttachment.name || color.level != m_colorAttachment.level)
	{
		glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, color.name, color.level);
		m_colorAttachment = color;
	}
	cD3D9Surface::sAttachment depth;
	bool stencil = false;
	if (state.depthStencil)
	{
		depth = state.depthStencil->PrepareAttachment();
		stencil = state.depthStencil->Desc().Format == D3DFMT_D24S8;
	}
	if (depth.name != m_depthAttachment.name || stencil != m_depthHasStencil)
	{
		glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth.name);
		glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, stencil ? depth.name : 0);
		m_depthAttachment = depth;
		m_depthHasStencil = stencil;
	}
	const D3DVIEWPORT9& viewport = state.viewport;
	glViewport(static_cast<GLint>(viewport.X), static_cast<GLint>(viewport.Y), static_cast<GLsizei>(viewport.Width),
		static_cast<GLsizei>(viewport.Height));
	glDepthRange(viewport.MinZ, viewport.MaxZ);
	SetScissor(static_cast<LONG>(viewport.X), static_cast<LONG>(viewport.Y), static_cast<LONG>(viewport.Width),
		static_cast<LONG>(viewport.Height));
	state.dirty &= ~sD3D9DeviceState::kDirtyTarget;
	state.dirty |= sD3D9DeviceState::kDirtyProjection;
}

void cD3D9Renderer::ApplyRaster(const sD3D9DeviceState& state)
{
	const auto& rs = state.renderStates;
	if (rs[D3DRS_ZENABLE])
		glEnable(GL_DEPTH_TEST);
	else
		glDisable(GL_DEPTH_TEST);
	glDepthFunc(CompareFunction(rs[D3DRS_ZFUNC]));
	glDepthMask(rs[D3DRS_ZWRITEENABLE] ? GL_TRUE : GL_FALSE);

	if (rs[D3DRS_ALPHABLENDENABLE])
		glEnable(GL_BLEND);
	else
		glDisable(GL_BLEND);
	if (rs[D3DRS_SEPARATEALPHABLENDENABLE])
	{
		glBlendFuncSeparate(BlendFactor(rs[D3DRS_SRCBLEND]), BlendFactor(rs[D3DRS_DESTBLEND]),
			BlendFactor(rs[D3DRS_SRCBLENDALPHA]), BlendFactor(rs[D3DRS_DESTBLENDALPHA]));
		glBlendEquationSeparate(BlendEquation(rs[D3DRS_BLENDOP]), BlendEquation(rs[D3DRS_BLENDOPALPHA]));
	}
	else
	{
		glBlendFunc(BlendFactor(rs[D3DRS_SRCBLEND]), BlendFactor(rs[D3DRS_DESTBLEND]));
		glBlendEquation(BlendEquation(rs[D3DRS_BLENDOP]));
	}

	if (rs[D3DRS_ALPHATESTENABLE])
		glEnable(GL_ALPHA_TEST);
	else
		glDisable(GL_ALPHA_TEST);
	glAlphaFunc(CompareFunction(rs[D3DRS_ALPHAFUNC]), static_cast<float>(rs[D3DRS_ALPHAREF] & 0xFF) / 255.0f);

	switch (rs[D3DRS_CULLMODE])
	{
	case D3DCULL_NONE: glDisable(GL_CULL_FACE); break;
	case D3DCULL_CW: glEnable(GL_CULL_FACE); glCullFace(GL_FRONT); break;
	default: glEnable(GL_CULL_FACE); glCullFace(GL_BACK); break;
	}

	DWORD mask = rs[D3DRS_COLORWRITEENABLE];
	glColorMask((mask & D3DCOLORWRITEENABLE_RED) != 0, (mask & D3DCOLORWRITEENABLE_GREEN) != 0,
		(mask & D3DCOLORWRITEENABLE_BLUE) != 0, (mask & D3DCOLORWRITEENABLE_ALPHA) != 0);
	glPolygonMode(GL_FRONT_AND_BACK,
		rs[D3DRS_FILLMODE] == D3DFILL_POINT ? GL_POINT : rs[D3DRS_FILLMODE] == D3DFILL_WIREFRAME ? GL_LINE : GL_FILL);
	glShadeModel(rs[D3DRS_SHADEMODE] == D3DSHADE_FLAT ? GL_FLAT : GL_SMOOTH);
	if (rs[D3DRS_NORMALIZENORMALS])
		glEnable(GL_NORMALIZE);
	else
		glDisable(GL_NORMALIZE);
	m_needRaster = false;
}

void cD3D9Renderer::ApplyLighting(const sD3D9DeviceState& state, const sD3D9VertexLayout& layout)
{
	const auto& rs = state.renderStates;
	if (!rs[D3DRS_LIGHTING])
	{
		glDisable(GL_LIGHTING);
		glDisable(GL_COLOR_MATERIAL);
		return;
	}
	glEnable(GL_LIGHTING);
	float ambient[4];
	ColorToFloats(rs[D3DRS_AMBIENT], ambient);
	glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);

	const D3DMATERIAL9& material = state.material;
	const float black[4] = { 0.0f, 0.0f, 0.0f, 1.0f };
	glDisable(GL_COLOR_MATERIAL);
	glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, &material.Diffuse.r);
	glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, &material.Ambient.r);
	glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, &material.Emissive.r);
	glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, rs[D3DRS_SPECULARENABLE] ? &material.Specular.r : black);
	glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, std::clamp(material.Power, 0.0f, 128.0f));

	// Vertex colours stand in for the material colours whose source is COLOR1.
	if (layout.diffuseOffset >= 0 && rs[D3DRS_COLORVERTEX])
	{
		bool diffuse = rs[D3DRS_DIFFUSEMATERIALSOURCE] == D3DMCS_COLOR1;
		bool ambientFromVertex = rs[D3DRS_AMBIENTMATERIALSOURCE] == D3DMCS_COLOR1;
		if (diffuse || ambientFromVertex)
		{
			glColorMaterial(GL_FRONT_AND_BACK,
				diffuse && ambientFromVertex ? GL_AMBIENT_AND_DIFFUSE : diffuse ? GL_DIFFUSE : GL_AMBIENT);
			glEnable(GL_COLOR_MATERIAL);
		}
	}

	// Light positions and directions are in world space: give them with the view alone.
	glLoadMatrixf(&state.view._11);
	for (int index = 0; index < sD3D9DeviceState::kLights; ++index)
	{
		GLenum light = GL_LIGHT0 + index;
		if (!state.lightEnabled[index])
		{
			glDisable(light);
			continue;
		}
		const D3DLIGHT9& l = state.lights[index];
		glLightfv(light, GL_DIFFUSE, &l.Diffuse.r);
		glLightfv(light, GL_AMBIENT, &l.Ambient.r);
		glLightfv(light, GL_SPECULAR, &l.Specular.r);
		if (l.Type == D3DLIGHT_DIRECTIONAL)
		{
			const float toLight[4] = { -l.Direction.x, -l.Direction.y, -l.Direction.z, 0.0f };
			glLightfv(light, GL_POSITION, toLight);
			glLightf(light, GL_SPOT_CUTOFF, 180.0f);
		}
		else
		{
			const float position[4] = { l.Position.x, l.Position.y, l.Position.z, 1.0f };
			glLightfv(light, GL_POSITION, position);
			glLightf(light, GL_CONSTANT_ATTENUATION, l.Attenuation0);
			glLightf(light, GL_LINEAR_ATTENUATION, l.Attenuation1);
			glLightf(light, GL_QUADRATIC_ATTENUATION, l.Attenuation2);
			if (l.Type == D3DLIGHT_SPOT)
			{
				glLightfv(light, GL_SPOT_DIRECTION, &l.Direction.x);
				glLightf(light, GL_SPOT_CUTOFF, std::clamp(l.Phi * 0.5f * 57.29578f, 0.0f, 90.0f));
				glLightf(light, GL_SPOT_EXPONENT, std::clamp(l.Falloff, 0.0f, 128.0f));
			}
			else
				glLightf(light, GL_SPOT_CUTOFF, 180.0f);
		}
		glEnable(light);
	}
}

void cD3D9Renderer::ApplyClipPlanes(const sD3D9DeviceState& state)
{
	// Planes are in world space: give them with the view alone.
	glLoadMatrixf(&state.view._11);
	DWORD enabled = state.renderStates[D3DRS_CLIPPLANEENABLE];
	for (int index = 0; index < sD3D9DeviceState::kClipPlanes; ++index)
	{
		GLenum plane = GL_CLIP_PLANE0 + index;
		if (enabled & (1u << index))
		{
			const auto& p = state.clipPlanes[index];
			const GLdouble equation[4] = { p[0], p[1], p[2], p[3] };
			glClipPlane(plane, equation);
			glEnable(plane);
		}
		else
			glDisable(plane);
	}
}

void cD3D9Renderer::ApplyWorldView(const sD3D9DeviceState& state)
{
	D3DMATRIX worldView = Multiply(state.world, state.view);
	glLoadMatrixf(&worldView._11);
	m_modelviewStale = false;
}

void cD3D9Renderer::ApplyProjection(const sD3D9DeviceState& state)
{
	// Row-vector correction applied after the projection: x moves right and y
	// (flipped) down by half a pixel, and depth goes from 0..1 to -1..1.
	const D3DVIEWPORT9& viewport = state.viewport;
	D3DMATRIX correction {};
	correction._11 = 1.0f;
	correction._22 = -1.0f;
	correction._33 = 2.0f;
	correction._41 = viewport.Width ? 1.0f / static_cast<float>(viewport.Width) : 0.0f;
	correction._42 = viewport.Height ? 1.0f / static_cast<float>(viewport.Height) : 0.0f;
	correction._43 = -1.0f;
	correction._44 = 1.0f;
	D3DMATRIX projection = Multiply(state.projection, correction);
	glMatrixMode(GL_PROJECTION);
	glLoadMatrixf(&projection._11);
	glMatrixMode(GL_MODELVIEW);
}

int cD3D9Renderer::ActiveStageCount(const sD3D9DeviceState& state) const
{
	int count = 0;
	while (count < sD3D9DeviceState::kStages && state.stageStates[count][D3DTSS_COLOROP] != D3DTOP_DISABLE)
		++count;
	return count;
}

const sD3D9VertexLayout& cD3D9Renderer::CurrentLayout(const sD3D9DeviceState& state)
{
	if (state.declaration)
		return state.declaration->Layout();
	if (state.fvf != m_fvfLayoutCode)
	{
		m_fvfLayout = sD3D9VertexLayout::FromFvf(state.fvf);
		m_fvfLayoutCode = state.fvf;
	}
	return m_fvfLayout;
}

int cD3D9Renderer::CoordinateSet(const sD3D9DeviceState& state, const sD3D9VertexLayout& layout, int stage) const
{
	// A stage whose coordinate set the vertices lack reads the first set.
	DWORD set = state.stageStates[stage][D3DTSS_TEXCOORDINDEX] & 0xFFFF;
	if (set < sD3D9VertexLayout::kMaxTexSets && layout.texOffset[set] >= 0)
		return static_cast<int>(set);
	return layout.texOffset[0] >= 0 ? 0 : -1;
}

cD3D9Renderer::sCombiner cD3D9Renderer::MakeCombiner(const sStage& stage) const
{
	sCombiner c;
	SetOperation(stage[D3DTSS_COLOROP], stage[D3DTSS_COLORARG1], stage[D3DTSS_COLORARG2], false, c.rgbMode,
		c.rgbSource, c.rgbOperand, c.rgbScale);
	SetOperation(stage[D3DTSS_ALPHAOP], stage[D3DTSS_ALPHAARG1], stage[D3DTSS_ALPHAARG2], true, c.alphaMode,
		c.alphaSource, c.alphaOperand, c.alphaScale);
	return c;
}

bool cD3D9Renderer::FactorAsPrimaryColor(const sD3D9DeviceState& state, const sD3D9VertexLayout& layout) const
{
	if (state.renderStates[D3DRS_LIGHTING] || layout.diffuseOffset >= 0)
		return false;
	bool readsFactor = false;
	int active = ActiveStageCount(state);
	for (int unit = 0; unit < active; ++unit)
	{
		const sCombiner combiner = MakeCombiner(state.stageStates[unit]);
		auto check = [&](GLint mode, const GLint source[3]) {
			bool free = true;
			for (int i = 0; i < SourcesRead(mode); ++i)
			{
				// The first unit's previous colour is the primary colour too.
				free = free && source[i] != GL_PRIMARY_COLOR && !(unit == 0 && source[i] == GL_PREVIOUS);
				readsFactor = readsFactor || source[i] == GL_CONSTANT;
			}
			return free;
		};
		if (!check(combiner.rgbMode, combiner.rgbSource) || !check(combiner.alphaMode, combiner.alphaSource))
			return false;
	}
	return readsFactor;
}

void cD3D9Renderer::ApplyStages(const sD3D9DeviceState& state, bool combinersDirty)
{
	int active = ActiveStageCount(state);
	DWORD factor = state.renderStates[D3DRS_TEXTUREFACTOR];
	for (int unit = 0; unit < sD3D9DeviceState::kStages; ++unit)
	{
		if (unit >= active)
		{
			if (m_unitEnabled[unit])
			{
				SetActiveUnit(unit);
				glDisable(GL_TEXTURE_2D);
				m_unitEnabled[unit] = false;
			}
			continue;
		}
		cD3D9Texture* texture = state.textures[unit].Get();
		if (texture ? texture->NeedsBind(m_unitTexture[unit]) : m_unitTexture[unit] != m_whiteTexture)
		{
			SetActiveUnit(unit);
			if (texture)
				m_unitTexture[unit] = texture->BindForDraw();
			else
			{
				glBindTexture(GL_TEXTURE_2D, m_whiteTexture);
				m_unitTexture[unit] = m_whiteTexture;
			}
		}
		if (!m_unitEnabled[unit])
		{
			SetActiveUnit(unit);
			glEnable(GL_TEXTURE_2D);
			m_unitEnabled[unit] = true;
		}
		if (combinersDirty || m_unitFactor[unit] == kUnknownFactor)
		{
			sCombiner combiner = MakeCombiner(state.stageStates[unit]);
			if (m_factorAsColor)
			{
				std::replace(
					std::begin(combiner.rgbSource), std::end(combiner.rgbSource), GL_CONSTANT, GL_PRIMARY_COLOR);
				std::replace(
					std::begin(combiner.alphaSource), std::end(combiner.alphaSource), GL_CONSTANT, GL_PRIMARY_COLOR);
			}
			if (!(combiner == m_unitCombiner[unit]))
			{
				SetActiveUnit(unit);
				glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
				glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, combiner.rgbMode);
				glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, combiner.alphaMode);
				for (int i = 0; i < 3; ++i)
				{
					glTexEnvi(GL_TEXTURE_ENV, GL_SRC0_RGB + i, combiner.rgbSource[i]);
					glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB + i, combiner.rgbOperand[i]);
					glTexEnvi(GL_TEXTURE_ENV, GL_SRC0_ALPHA + i, combiner.alphaSource[i]);
					glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA + i, combiner.alphaOperand[i]);
				}
				glTexEnvi(GL_TEXTURE_ENV, GL_RGB_SCALE, combiner.rgbScale);
				glTexEnvi(GL_TEXTURE_ENV, GL_ALPHA_SCALE, combiner.alphaScale);
				m_unitCombiner[unit] = combiner;
			}
		}
		if (!m_factorAsColor && m_unitFactor[unit] != factor)
		{
			SetActiveUnit(unit);
			float color[4];
			ColorToFloats(factor, color);
			glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, color);
			m_unitFactor[unit] = factor;
		}
	}
}

void cD3D9Renderer::ApplySamplers(sD3D9DeviceState& state)
{
	for (int unit = 0; unit < sD3D9DeviceState::kStages; ++unit)
	{
		if (!(state.dirtySamplers & (1u << unit)))
			continue;
		const auto& s = state.samplerStates[unit];
		GLuint sampler = m_samplers[unit];
		glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, AddressMode(s[D3DSAMP_ADDRESSU]));
		glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, AddressMode(s[D3DSAMP_ADDRESSV]));
		glSamplerParameteri(sampler, GL_TEXTURE_WRAP_R, AddressMode(s[D3DSAMP_ADDRESSW]));
		float border[4];
		ColorToFloats(s[D3DSAMP_BORDERCOLOR], border);
		glSamplerParameterfv(sampler, GL_TEXTURE_BORDER_COLOR, border);
		bool linearMag = s[D3DSAMP_MAGFILTER] == D3DTEXF_LINEAR || s[D3DSAMP_MAGFILTER] == D3DTEXF_ANISOTROPIC;
		glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, linearMag ? GL_LINEAR : GL_NEAREST);
		glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, MinFilter(s[D3DSAMP_MINFILTER], s[D3DSAMP_MIPFILTER]));
		glSamplerParameterf(sampler, GL_TEXTURE_MIN_LOD, static_cast<float>(s[D3DSAMP_MAXMIPLEVEL]));
	}
	state.dirtySamplers = 0;
}

void cD3D9Renderer::ApplyTextureMatrices(const sD3D9DeviceState& state, const sD3D9VertexLayout& layout)
{
	int active = ActiveStageCount(state);
	glMatrixMode(GL_TEXTURE);
	for (int unit = 0; unit < active; ++unit)
	{
		SetActiveUnit(unit);
		DWORD count = state.stageStates[unit][D3DTSS_TEXTURETRANSFORMFLAGS] & 0xFF;
		if (count == D3DTTFF_DISABLE)
		{
			glLoadIdentity();
			continue;
		}
		// A two-component coordinate is (u, v, 1) here and (s, t, 0, 1) in GL:
		// the third row holds the translation and moves to GL's fourth.
		D3DMATRIX m = state.textureMatrices[unit];
		int set = CoordinateSet(state, layout, unit);
		if (set < 0 || layout.texSize[set] <= 2)
		{
			m._41 = m._31;
			m._42 = m._32;
			m._43 = m._33;
			m._31 = m._32 = 0.0f;
			m._33 = 1.0f;
		}
		// Coordinates are not projected: q stays 1.
		m._14 = m._24 = m._34 = 0.0f;
		m._44 = 1.0f;
		glLoadMatrixf(&m._11);
	}
	glMatrixMode(GL_MODELVIEW);
}

cD3D9Renderer::sVertexInput cD3D9Renderer::MakeVertexInput(const sD3D9DeviceState& state,
	const sD3D9VertexLayout& layout, uintptr_t base, GLuint arrayBuffer) const
{
	sVertexInput input;
	input.base = base;
	input.arrayBuffer = arrayBuffer;
	input.stride = state.streamStride;
	input.layout = layout;
	input.activeUnits = ActiveStageCount(state);
	for (int unit = 0; unit < sD3D9DeviceState::kStages; ++unit)
		input.unitSet[unit] = unit < input.activeUnits ? CoordinateSet(state, layout, unit) : -1;
	input.valid = true;
	return input;
}

void cD3D9Renderer::ApplyVertexInput(const sVertexInput& input)
{
	if (input == m_vertexInput)
		return;
	const sD3D9VertexLayout& layout = input.layout;
	const uintptr_t base = input.base;
	GLsizei stride = static_cast<GLsizei>(input.stride);
	glEnableClientState(GL_VERTEX_ARRAY);
	glVertexPointer(layout.positionSize, GL_FLOAT, stride, GlAddress(base, layout.positionOffset));
	if (layout.normalOffset >= 0)
	{
		glEnableClientState(GL_NORMAL_ARRAY);
		glNormalPointer(GL_FLOAT, stride, GlAddress(base, layout.normalOffset));
	}
	else
	{
		glDisableClientState(GL_NORMAL_ARRAY);
		glNormal3f(0.0f, 0.0f, 0.0f);
	}
	// Without vertex colours the diffuse colour is opaque white.
	if (layout.diffuseOffset >= 0)
	{
		glEnableClientState(GL_COLOR_ARRAY);
		glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, stride, GlAddress(base, layout.diffuseOffset));
	}
	else
		glDisableClientState(GL_COLOR_ARRAY);
	for (int unit = 0; unit < sD3D9DeviceState::kStages; ++unit)
	{
		glClientActiveTexture(GL_TEXTURE0 + unit);
		int set = input.unitSet[unit];
		if (set >= 0)
		{
			glEnableClientState(GL_TEXTURE_COORD_ARRAY);
			glTexCoordPointer(layout.texSize[set], GL_FLOAT, stride, GlAddress(base, layout.texOffset[set]));
		}
		else
		{
			glDisableClientState(GL_TEXTURE_COORD_ARRAY);
			glMultiTexCoord4f(GL_TEXTURE0 + unit, 0.0f, 0.0f, 0.0f, 1.0f);
		}
	}
	m_vertexInput = input;
}

void cD3D9Renderer::ApplyPrimaryColor(const sD3D9DeviceState& state, const sD3D9VertexLayout& layout)
{
	// The colour is undefined after a draw from a colour array.
	if (layout.diffuseOffset >= 0)
	{
		m_primaryColor = kUnknownFactor;
		return;
	}
	// Without vertex colours the diffuse colour is opaque white.
	const DWORD color = m_factorAsColor ? state.renderStates[D3DRS_TEXTUREFACTOR] : 0xFFFFFFFF;
	if (m_primaryColor != color)
	{
		float rgba[4];
		ColorToFloats(color, rgba);
		glColor4fv(rgba);
		m_primaryColor = color;
	}
}

bool cD3D9Renderer::Draw(sD3D9DeviceState& state, const sDrawCall& call)
{
	cD3D9VertexBuffer* vertices = state.streamSource.Get();
	cD3D9IndexBuffer* indices = state.indices.Get();
	if (!vertices || state.streamStride == 0 || (call.indexed && !indices))
		return false;
	const sD3D9VertexLayout& layout = CurrentLayout(state);
	if (layout.positionOffset < 0)
		return false;
	if (call.elementCount == 0 || (call.indexed && call.vertexCount == 0))
		return true;

	// Every vertex the draw may read must lie in the buffer (its components
	// may reach into the slack when the stride is short of the layout).
	int64_t first = call.indexed ? int64_t(call.baseVertex) + call.minIndex : int64_t(call.baseVertex);
	int64_t count = call.indexed ? call.vertexCount : call.elementCount;
	int64_t end = state.streamOffset + (first + count) * int64_t(state.streamStride);
	if (first < 0 || end > int64_t(vertices->Store().Size())
		|| layout.size > int64_t(state.streamStride) + cD3D9BufferStore::kReadSlack)
		return false;
	if (call.indexed
		&& (int64_t(call.startIndex) + call.elementCount) * indices->IndexSize() > int64_t(indices->Store().Size()))
		return false;

	if (!m_batch.Empty() && CanJoinBatch(state, call, layout) && AddToBatch(state, call, layout))
	{
		// What changed travels in the gathered vertices.
		state.dirty = 0;
		return true;
	}
	FlushBatch();

	if ((state.dirty & sD3D9DeviceState::kDirtyTarget) || !m_drawFramebufferBound)
		ApplyTarget(state);
	if ((state.dirty & sD3D9DeviceState::kDirtyRaster) || m_needRaster)
		ApplyRaster(state);
	if (!(layout == m_vertexInput.layout))
		state.dirty |= sD3D9DeviceState::kDirtyLighting | sD3D9DeviceState::kDirtyTextureMatrices;
	unsigned modelviewUsers = sD3D9DeviceState::kDirtyLighting | sD3D9DeviceState::kDirtyClipPlanes;
	if (state.dirty & sD3D9DeviceState::kDirtyLighting)
		ApplyLighting(state, layout);
	if (state.dirty & sD3D9DeviceState::kDirtyClipPlanes)
		ApplyClipPlanes(state);
	if ((state.dirty & (modelviewUsers | sD3D9DeviceState::kDirtyWorldView)) || m_modelviewStale)
		ApplyWorldView(state);
	if (state.dirty & sD3D9DeviceState::kDirtyProjection)
		ApplyProjection(state);
	bool combinersDirty = (state.dirty & sD3D9DeviceState::kDirtyStages) != 0;
	if (state.dirty & (sD3D9DeviceState::kDirtyStages | sD3D9DeviceState::kDirtyLighting))
	{
		const bool factorAsColor = FactorAsPrimaryColor(state, layout);
		combinersDirty = combinersDirty || factorAsColor != m_factorAsColor;
		m_factorAsColor = factorAsColor;
	}
	ApplyStages(state, combinersDirty);
	if (state.dirtySamplers)
		ApplySamplers(state);
	if (state.dirty & sD3D9DeviceState::kDirtyTextureMatrices)
		ApplyTextureMatrices(state, layout);

	state.dirty = 0;

	if (Batchable(state, call, layout))
	{
		ApplyPrimaryColor(state, layout);
		m_batchInput = MakeVertexInput(state, layout, 0, 0);
		m_batchView = state.view;
		m_batchFactor = state.renderStates[D3DRS_TEXTUREFACTOR];
		if (AddToBatch(state, call, layout))
			return true;
	}
	uintptr_t base = reinterpret_cast<uintptr_t>(vertices->Store().BindForDraw(GL_ARRAY_BUFFER));
	ApplyVertexInput(MakeVertexInput(state, layout, base + state.streamOffset, vertices->Store().GlBuffer()));
	ApplyPrimaryColor(state, layout);

	GLenum mode = PrimitiveMode(call.type);
	GLsizei elements = static_cast<GLsizei>(call.elementCount);
	if (call.indexed)
	{
		uintptr_t indexBase = reinterpret_cast<uintptr_t>(indices->Store().BindForDraw(GL_ELEMENT_ARRAY_BUFFER));
		UINT indexSize = indices->IndexSize();
		glDrawRangeElementsBaseVertex(mode, call.minIndex, call.minIndex + call.vertexCount - 1, elements,
			indexSize == 4 ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT, GlAddress(indexBase, size_t(call.startIndex) * indexSize),
			call.baseVertex);
	}
	else
		glDrawArrays(mode, call.baseVertex, elements);
	return true;
}

bool cD3D9Renderer::Batchable(const sD3D9DeviceState& state, const sDrawCall& call,
	const sD3D9VertexLayout& layout) const
{
	return call.type == D3DPT_TRIANGLELIST && !state.renderStates[D3DRS_LIGHTING]
		&& cD3D9DrawBatch::Accepts(layout, state.streamStride, state.world);
}

bool cD3D9Renderer::CanJoinBatch(const sD3D9DeviceState& state, const sDrawCall& call,
	const sD3D9VertexLayout& layout) const
{
	constexpr unsigned kCarried =
		sD3D9DeviceState::kDirtyWorldView | sD3D9DeviceState::kDirtyFactor | sD3D9DeviceState::kDirtyVertexInput;
	if ((state.dirty & ~kCarried) || state.dirtySamplers || m_needRaster || !Batchable(state, call, layout)
		|| !(layout == m_batchInput.layout) || state.streamStride != m_batchInput.stride)
		return false;
	// A factor the combiners read as a constant cannot vary within one draw.
	if (!m_factorAsColor && state.renderStates[D3DRS_TEXTUREFACTOR] != m_batchFactor)
		return false;
	for (int unit = 0; unit < m_batchInput.activeUnits; ++unit)
	{
		cD3D9Texture* texture = state.textures[unit].Get();
		if (texture ? texture->NeedsBind(m_unitTexture[unit]) : m_unitTexture[unit] != m_whiteTexture)
			return false;
	}
	return true;
}

bool cD3D9Renderer::AddToBatch(const sD3D9DeviceState& state, const sDrawCall& call,
	const sD3D9VertexLayout& layout)
{
	const UINT stride = state.streamStride;
	const int64_t first = call.indexed ? int64_t(call.baseVertex) + call.minIndex : int64_t(call.baseVertex);
	cD3D9DrawBatch::sSource source {};
	source.vertices = state.streamSource->Store().Data() + state.streamOffset + first * stride;
	source.stride = stride;
	source.vertexCount = call.indexed ? call.vertexCount : call.elementCount;
	if (call.indexed)
	{
		source.indexSize = state.indices->IndexSize();
		source.indices = state.indices->Store().Data() + size_t(call.startIndex) * source.indexSize;
		source.firstIndex = call.minIndex;
	}
	source.elementCount = call.elementCount;
	// Without vertex colours the primary colour is the factor or white, as ApplyPrimaryColor sets it.
	const DWORD color = m_factorAsColor ? state.renderStates[D3DRS_TEXTUREFACTOR] : 0xFFFFFFFF;
	return m_batch.Add(layout, source, state.world, color);
}

void cD3D9Renderer::FlushBatch()
{
	if (m_batch.Empty())
		return;
	sVertexInput input = m_batchInput;
	input.base = reinterpret_cast<uintptr_t>(m_batch.Vertices());
	input.arrayBuffer = 0;
	glBindBuffer(GL_ARRAY_BUFFER, 0);
	glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
	ApplyVertexInput(input);
	if (m_batch.Joined())
	{
		// Positions are in world space, and each draw's colour is in its
		// vertices or in the batch's colour array.
		glLoadMatrixf(&m_batchView._11);
		m_modelviewStale = true;
		if (const D3DCOLOR* colors = m_batch.Colors())
		{
			glEnableClientState(GL_COLOR_ARRAY);
			glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, 0, colors);
			m_vertexInput.valid = false;
		}
		m_primaryColor = kUnknownFactor;
	}
	const std::vector<uint16_t>& indices = m_batch.Indices();
	glDrawRangeElements(GL_TRIANGLES, 0, m_batch.VertexCount() - 1, static_cast<GLsizei>(indices.size()),
		GL_UNSIGNED_SHORT, indices.data());
	// A filled batch goes to the GL at once, so that its rasterizing overlaps
	// the gathering of the next.
	if (m_batch.VertexCount() > cD3D9DrawBatch::kMaxVertices - cD3D9DrawBatch::kMaxDrawVertices)
		glFlush();
	m_batch.Clear();
}

void cD3D9Renderer::Clear(sD3D9DeviceState& state, DWORD rectCount, const D3DRECT* rects, DWORD flags,
	D3DCOLOR color, float z, DWORD stencil)
{
	if ((state.dirty & sD3D9DeviceState::kDirtyTarget) || !m_drawFramebufferBound)
		ApplyTarget(state);
	GLbitfield mask = 0;
	if (flags & D3DCLEAR_TARGET)
	{
		float rgba[4];
		ColorToFloats(color, rgba);
		glClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
		glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
		mask |= GL_COLOR_BUFFER_BIT;
	}
	if ((flags & D3DCLEAR_ZBUFFER) && state.depthStencil)
	{
		glClearDepth(z);
		glDepthMask(GL_TRUE);
		mask |= GL_DEPTH_BUFFER_BIT;
	}
	if ((flags & D3DCLEAR_STENCIL) && m_depthHasStencil)
	{
		glClearStencil(static_cast<GLint>(stencil));
		glStencilMask(0xFF);
		mask |= GL_STENCIL_BUFFER_BIT;
	}
	m_needRaster = true;
	if (mask == 0)
		return;

	const D3DVIEWPORT9& viewport = state.viewport;
	LONG left = static_cast<LONG>(viewport.X);
	LONG top = static_cast<LONG>(viewport.Y);
	LONG right = left + static_cast<LONG>(viewport.Width);
	LONG bottom = top + static_cast<LONG>(viewport.Height);
	if (rectCount == 0 || !rects)
		glClear(mask);
	for (DWORD i = 0; rects && i < rectCount; ++i)
	{
		LONG x1 = std::max(left, rects[i].x1);
		LONG y1 = std::max(top, rects[i].y1);
		LONG x2 = std::min(right, rects[i].x2);
		LONG y2 = std::min(bottom, rects[i].y2);
		if (x1 >= x2 || y1 >= y2)
			continue;
		SetScissor(x1, y1, x2 - x1, y2 - y1);
		glClear(mask);
	}
	SetScissor(left, top, right - left, bottom - top);
}

void cD3D9Renderer::ColorFill(cD3D9Surface& surface, const RECT& rect, D3DCOLOR color)
{
	cD3D9Surface::sAttachment target = surface.PrepareAttachment();
	ForgetActiveUnitTexture();
	AttachToScratch(GL_DRAW_FRAMEBUFFER, target);
	m_drawFramebufferBound = false;
	SetScissor(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
	float rgba[4];
	ColorToFloats(color, rgba);
	glClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
	glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
	m_needRaster = true;
	glClear(GL_COLOR_BUFFER_BIT);
}

void cD3D9Renderer::ReadColor(const cD3D9Surface::sAttachment& source, UINT width, UINT height, BYTE* pixels,
	UINT pitch)
{
	ForgetActiveUnitTexture();
	AttachToScratch(GL_READ_FRAMEBUFFER, source);
	glPixelStorei(GL_PACK_ROW_LENGTH, static_cast<GLint>(pitch / 4));
	glReadPixels(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height), GL_BGRA, GL_UNSIGNED_BYTE, pixels);
	glPixelStorei(GL_PACK_ROW_LENGTH, 0);
}

void cD3D9Renderer::WriteColor(const cD3D9Surface::sAttachment& target, UINT width, UINT height,
	const BYTE* pixels, UINT pitch)
{
	ForgetActiveUnitTexture();
	glBindTexture(GL_TEXTURE_2D, target.name);
	glPixelStorei(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(pitch / 4));
	glTexSubImage2D(GL_TEXTURE_2D, target.level, 0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height),
		GL_BGRA, GL_UNSIGNED_BYTE, pixels);
	glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

void cD3D9Renderer::Present(cD3D9Surface& backBuffer)
{
	const D3DSURFACE_DESC& desc = backBuffer.Desc();
	AttachToScratch(GL_READ_FRAMEBUFFER, backBuffer.PrepareAttachment());
	ForgetActiveUnitTexture();
	glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
	m_drawFramebufferBound = false;
	int width = 0;
	int height = 0;
	SDL_GL_GetDrawableSize(m_window, &width, &height);
	// Software drivers take a changed window size only at a swap: the first
	// frame after a change is presented twice, the second time at the new size.
	const bool resized = width != m_presentedWidth || height != m_presentedHeight;
	m_presentedWidth = width;
	m_presentedHeight = height;
	for (int pass = resized ? 2 : 1; pass > 0; --pass)
	{
		if (width > 0 && height > 0)
		{
			// The back buffer holds its top row first; the window its bottom row.
			glDisable(GL_SCISSOR_TEST);
			glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
			m_needRaster = true;
			bool sameSize = desc.Width == static_cast<UINT>(width) && desc.Height == static_cast<UINT>(height);
			glBlitFramebuffer(0, 0, static_cast<GLint>(desc.Width), static_cast<GLint>(desc.Height), 0, height, width,
				0, GL_COLOR_BUFFER_BIT, sameSize ? GL_NEAREST : GL_LINEAR);
			glEnable(GL_SCISSOR_TEST);
		}
		SDL_GL_SwapWindow(m_window);
	}
}
