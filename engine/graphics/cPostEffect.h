#pragma once
// A chain of full-screen effects. The scene is drawn into render targets
// pushed for the chain; each effect then draws the previous image through
// its passes into the next target, each pass shrinking the image by the
// scale its "fScaleX" and "fScaleY" annotations announce, and the last
// result lands in the back buffer, optionally blended with the unprocessed
// image through the "pe_default" shader.

#include "engine/graphics/cDirectXGraphicsObject.h"
#include "engine/graphics/cVertexBuffer.h"
#include "engine/resources/cResourceHandle.h"

#include <string>
#include <vector>

class cFakeShaderResource;

class cPostEffect : public cDirectXGraphicsObject
{
public:
	// The quad buffer (format 258, 40 vertices) and the "pe_default" shader.
	cPostEffect();
	~cPostEffect() override;

	// Appends the shaders named in the comma-separated text (each name
	// trimmed; names not found are skipped) and rebuilds the quads: one per
	// pass of every effect, then a full-screen one.
	void SetEffects(const std::string& names);
	// Pushes one render target per effect of the chain.
	void BeginCapture();
	// Runs the chain; stops at the first effect that finds no target to pop.
	void Render();
	// As Render (a missing target ends the chain only), then draws the
	// unprocessed image over the result at alpha 1 - strength.
	void RenderBlended(float strength);

	const std::vector<cFakeShaderResource*>& GetEffects() const { return m_effects; }
	const cVertexBuffer& GetQuads() const { return m_quads; }

private:
	// Draws the chain until an effect finds no target to pop; returns the
	// number of quads used.
	int RenderChain();
	// Binds the quads and the quad index buffer under the half-pixel offset.
	void BindQuads();
	void DrawQuad(int quad);

	std::vector<cFakeShaderResource*> m_effects;
	cResourceHandle m_defaultShader;
	cVertexBuffer m_quads;
};
