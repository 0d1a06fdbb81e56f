#pragma once
// Steps through the frames of a texture atlas by moving the texture
// offset of every material of its controller: frame f shows the cell
// (f mod frames per row, f div frames per row) of the grid.

#include "engine/graphics/cAnimator.h"
#include "engine/graphics/ModelData.h"

class cTextureAnimator : public cAnimator
{
public:
	cTextureAnimator(cModelControllerBase* controller, const sTextureAnimation* animation);

	bool IsLooping() const override { return m_loop; }
	// Shows the frame of t within the length; the time keeps t unwrapped.
	void SetTime(float seconds) override;
	void Update(float dt) override;
	// Starts the named range from its beginning; an unknown name changes nothing.
	void Play(unsigned layer, const sAnimationRequest& request) override;
	void SetLoop(bool loop) override { m_loop = loop; }
	void Resume(unsigned) override { m_playing = true; }
	void Stop(unsigned) override { m_playing = false; }
	cAnimator* Clone(cModelControllerBase* controller) const override;

	int GetFrame() const { return m_frame; }

private:
	// The frame at a fraction of the range.
	int FrameAt(float fraction) const;
	// Moves the controller's texture offset to the frame's cell; a grid
	// without columns keeps the offset at (0, 0).
	void ShowFrame(int frame);

	const sTextureAnimation* m_animation;
	float m_startFrame = 0.0f;
	float m_endFrame = 0.0f;
	bool m_loop = false;
	int m_frame = 0;
	bool m_warnedAboutGrid = false;
};
