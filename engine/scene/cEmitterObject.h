#pragma once
// Type "emitter": an object that shows an emitter effect (see
// cEmitterVisual). Answers the typed-cast query for emitters.

#include "engine/scene/cSceneObject.h"

class cEmitterObject : public cSceneObject
{
public:
	// The kind an emitter answers in the typed-cast query.
	static constexpr int kCastKind = 3;

	cEmitterObject(const std::string& name, cSceneObject* parent);
	static cSceneObject* Create(const std::string& name, cSceneObject* parent);

	void AcceptCast(sCastQuery& query) override;
	std::string GetTypeName() const override { return "emitter"; }
};
