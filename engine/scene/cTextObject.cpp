#include "engine/scene/cTextObject.h"

#include "engine/scene/sCastQuery.h"

cTextObject::cTextObject(const std::string& name, cSceneObject* parent)
	: cSceneObject(name, parent), m_textVisual(new cTextVisual(this))
{
	SetVisual(m_textVisual);
	m_textVisual->BindTextProperties(GetProperties().GetMap(), cDelegatePtr<std::string*>());
}

cSceneObject* cTextObject::Create(const std::string& name, cSceneObject* parent)
{
	return new cTextObject(name, parent);
}

void cTextObject::AcceptCast(sCastQuery& query)
{
	if (query.kind == CastKind)
		query.result = this;
}
