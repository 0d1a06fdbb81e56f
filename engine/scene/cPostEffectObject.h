#pragma once
// Type "posteffect": full-screen effects over the picture drawn before it
// (see cPostEffectVisual). Only a device with shader support creates it
// by type name.

#include "engine/scene/cSceneObject.h"

class cPostEffectVisual;

class cPostEffectObject : public cSceneObject
{
public:
	cPostEffectObject(const std::string& name, cSceneObject* parent);
	static cSceneObject* Create(const std::string& name, cSceneObject* parent);

	std::string GetTypeName() const override { return "posteffect"; }
	// Collects the subtree through its own camera slot, so that a camera
	// below it does not change the camera of the rest of the walk.
	void CollectDraw(std::vector<sDrawEntry>& queue, cCamera*& camera) override;

	cPostEffectVisual* GetPostEffectVisual() const { return m_visual; }

protected:
	cPostEffectVisual* m_visual;
};
