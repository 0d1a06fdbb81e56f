#pragma once
// The frame-rate overlay: counts the frames it draws, measures frames per
// second once a second, and draws one line of statistics (rate, triangles
// and draw calls of the frame so far) through its own orthographic camera.

#include "engine/foundation/cVector3d.h"

#include <memory>

class cCamera;

class cDebugManager
{
public:
	// An orthographic camera over (0, 0, width, height), placed at
	// (0, 0, -1000) looking at the origin.
	cDebugManager(float width, float height, float zNear, float zFar, const cVector3d& textPosition);
	virtual ~cDebugManager();

	// Accumulates dt; once a second has gathered, the rate becomes the
	// frames drawn divided by the time, and both counters restart.
	void Update(float dt);
	// Counts the frame and draws the line with font 0 at the text position,
	// aligned to the top of the text rectangle, without depth test.
	void Draw();

	float GetFramesPerSecond() const { return m_framesPerSecond; }
	int GetFrameCount() const { return m_frameCount; }

private:
	std::unique_ptr<cCamera> m_camera;
	cVector3d m_textPosition;
	int m_frameCount = 0;
	float m_elapsed = 0.0f;
	float m_framesPerSecond = 0.0f;
};
