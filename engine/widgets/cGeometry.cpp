#include "engine/widgets/cGeometry.h"

#include "engine/scene/cQuadVisual.h"
#include "engine/scene/sCastQuery.h"

cGeometry::cGeometry(const std::string& name, cSceneObject* parent) : cSceneObject(name, parent)
{
	SetVisual(new cQuadVisual(this));
}

cSceneObject* cGeometry::Create(const std::string& name, cSceneObject* parent)
{
	return new cGeometry(name, parent);
}

void cGeometry::AcceptCast(sCastQuery& query)
{
	if (query.kind == CastKind)
		query.result = this;
}
