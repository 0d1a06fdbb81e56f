#pragma once
// The object type "geometry": a plain sprite drawn through a quad visual.

#include "engine/scene/cSceneObject.h"

class cGeometry : public cSceneObject
{
public:
	// The typed-cast kind a geometry object answers.
	static constexpr int CastKind = 1;

	cGeometry(const std::string& name, cSceneObject* parent);
	static cSceneObject* Create(const std::string& name, cSceneObject* parent);

	void AcceptCast(sCastQuery& query) override;
	std::string GetTypeName() const override { return "geometry"; }
};
