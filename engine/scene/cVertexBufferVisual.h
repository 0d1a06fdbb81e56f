#pragma once
// Draws a vertex buffer that game code formats and fills, as a triangle
// list at the owner's world matrix, optionally textured.

#include "engine/graphics/cVertexBuffer.h"
#include "engine/scene/cInertVisual.h"

class cTextureResource;

class cVertexBufferVisual : public cInertVisual
{
public:
	using cInertVisual::cInertVisual;
	// Gives the texture's reference back.
	~cVertexBufferVisual() override;

	// Nothing while the buffer is empty; otherwise whole triangles from
	// vertex 0 (a trailing partial triangle is left out).
	void Draw() override;

	// Takes over one reference the caller holds; the previous texture's is
	// given back. Null draws untextured.
	void SetTexture(cTextureResource* texture);

	cVertexBuffer& GetVertexBuffer() { return m_buffer; }
	cTextureResource* GetTexture() const { return m_texture; }

private:
	cVertexBuffer m_buffer;
	cTextureResource* m_texture = nullptr;
};
