#pragma once
// Type "psystem": an object that shows a particle system (see
// cParticleSystemVisual), drawn after the ordinary objects (sort key 100).

#include "engine/scene/cSceneObject.h"

class cParticleSystemObject : public cSceneObject
{
public:
	cParticleSystemObject(const std::string& name, cSceneObject* parent);
	static cSceneObject* Create(const std::string& name, cSceneObject* parent);

	std::string GetTypeName() const override { return "psystem"; }
};
