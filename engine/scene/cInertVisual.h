#pragma once
// A visual that answers every operation with nothing: no length, no time,
// not playing, no hit, its own empty name. The special visuals derive from
// it and override only what they do.

#include "engine/scene/cVisual.h"

class cInertVisual : public cVisual
{
public:
	using cVisual::cVisual;

	float GetAnimationLength() override { return 0.0f; }
	float GetAnimationTime() override { return 0.0f; }
	void PlayAnimation(const std::string&) override {}
	void ResumeAnimation() override {}
	void SetAnimationParam(const std::string&, int) override {}
	void SetAnimationTime(float) override {}
	void SeekAnimation(float) override {}
	void StopAnimation() override {}
	bool IsAnimationPlaying() override { return false; }
	bool IsNamedAnimationPlaying(const std::string&) override { return false; }
	bool IsCurrentAnimation(const std::string&) override { return false; }
	const std::string& GetAnimationName() override { return m_name; }
	bool IsAnimationLooping() override { return false; }
	bool HitTestPoint(const sRay&, cVector3d&) override { return false; }
	bool HitTest(const sRay&) override { return false; }
	void Draw() override {}
	void Update(float) override {}
	void UpdateOwnerBox() override {}
	void SetModel(const std::string&) override {}
	void SetAnimatorParam(const std::string&, float) override {}
	void SetTextureOffset(float, float) override {}
};
