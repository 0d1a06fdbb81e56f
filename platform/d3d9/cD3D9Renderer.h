#pragma once
// The OpenGL side of the device: owns the context and turns the recorded
// device state into GL state before each draw, clear and present. Runs only
// on the thread that created the context, under the device lock.
//
// Direct3D's conventions are kept by one correction of the projection: the
// y axis is flipped, so every framebuffer and render-target texture stores
// its top row first (viewports, scissors and read-backs then count rows
// from the top as Direct3D does, and render targets sample with v = 0 at the
// top); depth is mapped from 0..1 to GL's -1..1; and the image is moved by
// half a pixel so that pixel centres sit on integer coordinates. The y flip
// mirrors the winding: clockwise triangles on screen are GL's
// counter-clockwise front faces.
//
// Small triangle-list draws that follow one another with nothing changed
// but the world matrix, the texture factor and the buffers are gathered and
// drawn at once (see cD3D9DrawBatch): every other GL use draws what was
// gathered first.

#include "platform/d3d9/D3D9VertexLayout.h"
#include "platform/d3d9/cD3D9DrawBatch.h"
#include "platform/d3d9/cD3D9Surface.h"
#include "platform/d3d9/sD3D9DeviceState.h"

#include <SDL.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class cD3D9Renderer
{
public:
	struct sDrawCall
	{
		D3DPRIMITIVETYPE type;
		bool indexed;
		INT baseVertex;    // the start vertex of a non-indexed draw
		UINT minIndex;
		UINT vertexCount;  // vertices the draw may read, from baseVertex + minIndex
		UINT startIndex;
		UINT elementCount; // vertices or indices drawn
	};

	// GL objects whose owners went away, deleted on the drawing thread.
	struct sGarbage
	{
		std::vector<GLuint> textures;
		std::vector<GLuint> buffers;
		std::vector<GLuint> renderbuffers;
	};

	cD3D9Renderer() = default;
	cD3D9Renderer(const cD3D9Renderer&) = delete;
	cD3D9Renderer& operator=(const cD3D9Renderer&) = delete;
	~cD3D9Renderer();

	// Creates the GL context on the window; on failure error tells why.
	bool Init(SDL_Window* window, std::string& error);

	GLint MaxTextureSize() const { return m_maxTextureSize; }

	// Makes the device's context current again if other GL code took the thread.
	void MakeCurrent();

	// Forgets what GL is believed to hold, so the next draw sets everything.
	void ForgetGlState();
	void Collect(sGarbage& garbage);
	// Draws the gathered draws; before any GL use other than a draw.
	void FlushBatch();

	void Clear(sD3D9DeviceState& state, DWORD rectCount, const D3DRECT* rects, DWORD flags, D3DCOLOR color,
		float z, DWORD stencil);
	// False when the draw would read outside its buffers.
	bool Draw(sD3D9DeviceState& state, const sDrawCall& call);
	void ColorFill(cD3D9Surface& surface, const RECT& rect, D3DCOLOR color);
	void ReadColor(const cD3D9Surface::sAttachment& source, UINT width, UINT height, BYTE* pixels, UINT pitch);
	void WriteColor(const cD3D9Surface::sAttachment& target, UINT width, UINT height, const BYTE* pixels, UINT pitch);
	// Stretches the back buffer over the window and shows it.
	void Present(cD3D9Surface& backBuffer);

private:
	// What one texture unit's combiner does.
	struct sCombiner
	{
		GLint rgbMode, rgbSource[3], rgbOperand[3], rgbScale;
		GLint alphaMode, alphaSource[3], alphaOperand[3], alphaScale;
		bool operator==(const sCombiner&) const = default;
	};

	// What the vertex arrays were last pointed at.
	struct sVertexInput
	{
		uintptr_t base = 0;
		GLuint arrayBuffer = 0;
		UINT stride = 0;
		sD3D9VertexLayout layout;
		int activeUnits = 0;
		std::array<int, sD3D9DeviceState::kStages> unitSet = {};
		bool valid = false;
		bool operator==(const sVertexInput&) const = default;
	};

	static constexpr GLuint kUnknownTexture = ~0u;

	void ApplyTarget(sD3D9DeviceState& state);
	void ApplyRaster(const sD3D9DeviceState& state);
	void ApplyLighting(const sD3D9DeviceState& state, const sD3D9VertexLayout& layout);
	void ApplyClipPlanes(const sD3D9DeviceState& state);
	void ApplyWorldView(const sD3D9DeviceState& state);
	void ApplyProjection(const sD3D9DeviceState& state);
	// Whether the texture factor can reach the combiners as the primary colour
	// instead of the unit's constant colour: with lighting off, no vertex
	// colours and no combiner reading the diffuse colour. A changed constant
	// colour costs the GL far more per draw than a changed current colour.
	bool FactorAsPrimaryColor(const sD3D9DeviceState& state, const sD3D9VertexLayout& layout) const;
	void ApplyStages(const sD3D9DeviceState& state, bool combinersDirty);
	void ApplySamplers(sD3D9DeviceState& state);
	void ApplyTextureMatrices(const sD3D9DeviceState& state, const sD3D9VertexLayout& layout);
	sVertexInput MakeVertexInput(const sD3D9DeviceState& state, const sD3D9VertexLayout& layout, uintptr_t base,
		GLuint arrayBuffer) const;
	void ApplyVertexInput(const sVertexInput& input);
	// The current colour drawn without a colour array: white, or the texture factor.
	void ApplyPrimaryColor(const sD3D9DeviceState& state, const sD3D9VertexLayout& layout);

	// Whether the draw may be gathered, and whether it may join the gathered
	// draws: nothing but the world matrix, the buffers and (read as the
	// primary colour) the texture factor changed since they were set up.
	bool Batchable(const sD3D9DeviceState& state, const sDrawCall& call, const sD3D9VertexLayout& layout) const;
	bool CanJoinBatch(const sD3D9DeviceState& state, const sDrawCall& call, const sD3D9VertexLayout& layout) const;
	bool AddToBatch(const sD3D9DeviceState& state, const sDrawCall& call, const sD3D9VertexLayout& layout);

	int ActiveStageCount(const sD3D9DeviceState& state) const;
	const sD3D9VertexLayout& CurrentLayout(const sD3D9DeviceState& state);
	int CoordinateSet(const sD3D9DeviceState& state, const sD3D9VertexLayout& layout, int stage) const;
	sCombiner MakeCombiner(const std::array<DWORD, D3D9_STAGE_STATE_COUNT>& stage) const;
	void SetActiveUnit(int unit);
	// A texture was bound outside the stage setup: the active unit's binding is unknown.
	void ForgetActiveUnitTexture();
	void SetScissor(LONG x, LONG y, LONG width, LONG height);
	void AttachToScratch(GLenum target, const cD3D9Surface::sAttachment& attachment);

	SDL_Window* m_window = nullptr;
	SDL_GLContext m_context = nullptr;
	GLint m_maxTextureSize = 0;

	GLuint m_drawFramebuffer = 0;
	GLuint m_scratchFramebuffer = 0;
	GLuint m_whiteTexture = 0;
	std::array<GLuint, sD3D9DeviceState::kStages> m_samplers = {};

	// What GL is believed to hold.
	bool m_drawFramebufferBound = false;
	cD3D9Surface::sAttachment m_colorAttachment;
	cD3D9Surface::sAttachment m_depthAttachment;
	bool m_depthHasStencil = false;
	std::array<LONG, 4> m_scissor = { -1, -1, -1, -1 };
	int m_activeUnit = -1;
	std::array<GLuint, sD3D9DeviceState::kStages> m_unitTexture = {};
	std::array<bool, sD3D9DeviceState::kStages> m_unitEnabled = {};
	std::array<sCombiner, sD3D9DeviceState::kStages> m_unitCombiner = {};
	std::array<uint64_t, sD3D9DeviceState::kStages> m_unitFactor = {}; // texture factor per unit, or unknown
	bool m_needRaster = true; // a clear or blit changed the write masks
	int m_presentedWidth = 0; // the window size at the last present
	int m_presentedHeight = 0;
	sD3D9VertexLayout m_fvfLayout;
	DWORD m_fvfLayoutCode = ~0u;
	sVertexInput m_vertexInput;
	bool m_factorAsColor = false;     // the combiners read the texture factor as the primary colour
	uint64_t m_primaryColor = ~0ull;  // the current colour, or unknown
	bool m_modelviewStale = false;    // a batch left the view alone in the modelview matrix

	cD3D9DrawBatch m_batch;
	sVertexInput m_batchInput; // the first gathered draw's vertex input
	D3DMATRIX m_batchView {};
	DWORD m_batchFactor = 0;
};
