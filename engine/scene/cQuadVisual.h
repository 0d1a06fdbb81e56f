#pragma once
// The visual of most objects: a model instance (usually a textured quad)
// drawn at the owner's world matrix in the owner's effective colour. Its
// animation interface drives the model's animator, which for a texture
// atlas steps through the frames; widgets pick a frame by texture offset.
// Binds "shader" (setter only) and "filter" in the owner's properties.

#include "engine/graphics/cModelController.h"
#include "engine/scene/cVisual.h"

class cQuadVisual : public cVisual
{
public:
	explicit cQuadVisual(cSceneObject* owner);

	float GetAnimationLength() override;
	float GetAnimationTime() override;
	// Plays the named animation on layer 0.
	void PlayAnimation(const std::string& name) override;
	void ResumeAnimation() override;
	// The animator's int parameter of the name (its loop flag).
	void SetAnimationParam(const std::string& name, int value) override;
	void SetAnimationTime(float seconds) override;
	void SeekAnimation(float fraction) override;
	void StopAnimation() override;
	bool IsAnimationPlaying() override;
	bool IsNamedAnimationPlaying(const std::string& name) override;
	bool IsCurrentAnimation(const std::string& name) override;
	const std::string& GetAnimationName() override;
	bool IsAnimationLooping() override;
	// The nearest triangle the ray meets.
	bool HitTestPoint(const sRay& ray, cVector3d& hitPoint) override;
	bool HitTest(const sRay& ray) override;
	cModelController* GetModelController() override { return &m_controller; }
	cModelController* GetSecondModelController() override { return &m_controller; }
	// Nothing without a model. A filtered quad asks for linear filtering when
	// the device's default is none; an unfiltered one puts the default back.
	void Draw() override;
	void Update(float dt) override;
	// The owner's local box becomes the model's box (empty without a model).
	void UpdateOwnerBox() override;
	// Binds the model resource of the name (none when it is missing).
	void SetModel(const std::string& name) override;
	// The animator's float parameter of the name (its length in seconds).
	void SetAnimatorParam(const std::string& name, float value) override;
	// Moves the texture of every material: picks a frame of an atlas.
	void SetTextureOffset(float u, float v) override;

	bool IsFiltered() const { return m_filter; }
	// The texture filter Draw sets before drawing.
	void ApplyFilter() const;
	const cModelController& GetController() const { return m_controller; }

private:
	cAnimator* Animator() const { return m_controller.GetAnimator(); }
	void SetShader(std::string* name);

	cModelController m_controller;
	bool m_filter = false;
};
