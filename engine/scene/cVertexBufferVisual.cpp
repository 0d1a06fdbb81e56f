#include "engine/scene/cVertexBufferVisual.h"

#include "engine/graphics/cGraphics.h"
#include "engine/graphics/cTexture.h"
#include "engine/graphics/cTextureResource.h"
#include "engine/scene/cSceneObject.h"

cVertexBufferVisual::~cVertexBufferVisual()
{
	cResourceManager::ReleaseResource(m_texture);
}

void cVertexBufferVisual::Draw()
{
	const unsigned count = m_buffer.GetCount();
	if (count == 0)
		return;
	if (m_texture)
		if (cTexture* texture = m_texture->GetTexture())
			texture->Bind(0);
	m_buffer.Bind();
	cGraphics* graphics = cGraphics::GetInstance();
	graphics->SetWorldMatrix(m_owner->GetTransform().GetWorldMatrix());
	graphics->DrawTriangles(0, int(count / 3));
}

void cVertexBufferVisual::SetTexture(cTextureResource* texture)
{
	if (texture == m_texture)
	{
		// The caller's extra reference is not needed twice.
		cResourceManager::ReleaseResource(texture);
		return;
	}
	cResourceManager::ReleaseResource(m_texture);
	m_texture = texture;
}
