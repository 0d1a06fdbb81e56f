#include "engine/scene/cGameVbObject.h"

#include "engine/scene/cVertexBufferVisual.h"

cGameVbObject::cGameVbObject(const std::string& name, cSceneObject* parent)
	: cSceneObject(name, parent), m_visual(new cVertexBufferVisual(this))
{
	SetVisual(m_visual);
}

void cGameVbObject::SetTexture(cTextureResource* texture)
{
	m_visual->SetTexture(texture);
}

cVertexBuffer& cGameVbObject::GetVertexBuffer()
{
	return m_visual->GetVertexBuffer();
}
