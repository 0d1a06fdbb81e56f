#pragma once
// The visual of a render-target object: it captures the owner's subtree
// into a render-target texture (BeginCapture, EndCapture) and draws the
// picture on its own model, or on a full-screen quad when it has none, in
// the colour the owner gives it. The animation interface drives the
// model's animator; while it plays, the owner captures.

#include "engine/foundation/sColor.h"
#include "engine/graphics/cModelController.h"
#include "engine/graphics/cStencilBuffer.h"
#include "engine/graphics/cVertexBuffer.h"
#include "engine/scene/cInertVisual.h"

class cRenderTargetVisual : public cInertVisual
{
public:
	using cInertVisual::cInertVisual;

	float GetAnimationLength() override;
	float GetAnimationTime() override;
	// Plays the named animation of the model on layer 0.
	void PlayAnimation(const std::string& name) override;
	void SetAnimationParam(const std::string& name, int value) override;
	void SetAnimationTime(float seconds) override;
	void StopAnimation() override;
	bool IsAnimationPlaying() override;
	bool IsNamedAnimationPlaying(const std::string& name) override;
	bool IsAnimationLooping() override;
	cModelController* GetModelController() override { return &m_controller; }
	void Update(float dt) override;
	// The owner's local box becomes the model's box (empty without a model).
	void UpdateOwnerBox() override;
	// Binds the model of the name; without one the picture goes on a
	// full-screen quad.
	void SetModel(const std::string& name) override;
	void SetAnimatorParam(const std::string& name, float value) override;
	void SetTextureOffset(float u, float v) override;

	// Pushes a render target cleared to the colour, with a cleared depth
	// buffer; what is drawn next goes into it.
	void BeginCapture(D3DCOLOR color);
	// Pops the target and draws its picture at the owner's world matrix.
	void EndCapture();
	void SetColor(const sColor& color) { m_color = color; }
	const sColor& GetColor() const { return m_color; }

private:
	cAnimator* Animator() const { return m_controller.GetAnimator(); }
	void BuildScreenQuad();

	cModelController m_controller;
	cVertexBuffer m_quad;
	cStencilBuffer m_depthBuffer;
	sColor m_color { 1, 1, 1, 1 };
};
