#pragma once
// An object whose geometry is a vertex buffer game code fills (laser beams,
// for example). Created directly by game code, never by type name.

#include "engine/scene/cSceneObject.h"

class cTextureResource;
class cVertexBuffer;
class cVertexBufferVisual;

class cGameVbObject : public cSceneObject
{
public:
	cGameVbObject(const std::string& name, cSceneObject* parent);

	std::string GetTypeName() const override { return "game_vb"; }

	// Takes over one reference the caller holds (see cVertexBufferVisual).
	void SetTexture(cTextureResource* texture);
	// The buffer the caller formats and fills.
	cVertexBuffer& GetVertexBuffer();

private:
	cVertexBufferVisual* m_visual;
};
