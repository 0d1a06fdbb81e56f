#include "engine/scene/cEmitterObject.h"

#include "engine/scene/cEmitterVisual.h"
#include "engine/scene/sCastQuery.h"

cEmitterObject::cEmitterObject(const std::string& name, cSceneObject* parent) : cSceneObject(name, parent)
{
	SetVisual(new cEmitterVisual(this));
}

cSceneObject* cEmitterObject::Create(const std::string& name, cSceneObject* parent)
{
	return new cEmitterObject(name, parent);
}

void cEmitterObject::AcceptCast(sCastQuery& query)
{
	if (query.kind == kCastKind)
		query.result = this;
}
