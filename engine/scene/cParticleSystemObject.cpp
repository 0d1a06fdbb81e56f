#include "engine/scene/cParticleSystemObject.h"

#include "engine/scene/cParticleSystemVisual.h"

namespace
{
const int kParticleSortKey = 100;
}

cParticleSystemObject::cParticleSystemObject(const std::string& name, cSceneObject* parent)
	: cSceneObject(name, parent)
{
	SetVisual(new cParticleSystemVisual(this));
	SetSortKey(kParticleSortKey);
}

cSceneObject* cParticleSystemObject::Create(const std::string& name, cSceneObject* parent)
{
	return new cParticleSystemObject(name, parent);
}
