#include "engine/graphics/cTextureAnimator.h"

#include "engine/foundation/cLog.h"
#include "engine/graphics/cModelControllerBase.h"

#include <algorithm>
#include <climits>
#include <cmath>

cTextureAnimator::cTextureAnimator(cModelControllerBase* controller, const sTextureAnimation* animation)
	: cAnimator(controller), m_animation(animation)
{
}

void cTextureAnimator::Play(unsigned, const sAnimationRequest& request)
{
	auto found = m_animation->animations.find(request.name);
	if (found == m_animation->animations.end())
		return;
	const sAnimationRange& range = found->second;
	m_startFrame = range.start;
	m_endFrame = range.end;
	m_name = request.name;
	m_playing = true;
	const bool* loop = FindLoopOverride(request.name);
	m_loop = loop ? *loop : range.loop;
	const float* length = FindLengthOverride(request.name);
	m_length = length ? *length : range.length;
	if (m_animation->framesPerRow <= 0 && !m_warnedAboutGrid)
	{
		LOG(1, "texture animation \"%s\" has %d frames per row; it shows the first cell only", request.name.c_str(),
			m_animation->framesPerRow);
		m_warnedAboutGrid = true;
	}
	SetTime(0.0f);
}

void cTextureAnimator::SetTime(float seconds)
{
	m_time = seconds;
	ShowFrame(FrameAt(m_length == 0.0f ? 0.0f : std::fmod(seconds, m_length) / m_length));
}

void cTextureAnimator::Update(float dt)
{
	if (!m_playing)
		return;
	m_time += dt;
	if (m_time > m_length)
	{
		if (m_loop)
			m_time = m_length > 0.0f ? std::fmod(m_time, m_length) : 0.0f;
		else
		{
			m_playing = false;
			m_time = m_length;
		}
	}
	// The last frame holds once the time runs out; a damaged file's count
	// below one holds the first.
	const int lastFrame = std::max(m_animation->frameCount, 1) - 1;
	ShowFrame(std::min(FrameAt(m_length == 0.0f ? 0.0f : m_time / m_length), lastFrame));
}

cAnimator* cTextureAnimator::Clone(cModelControllerBase* controller) const
{
	return new cTextureAnimator(controller, m_animation);
}

int cTextureAnimator::FrameAt(float fraction) const
{
	// Ranges and lengths come from files: a frame that is no number shows
	// the first, one beyond what an int holds the nearest it holds.
	const double frame = m_startFrame + (m_endFrame - m_startFrame) * fraction;
	if (std::isnan(frame))
		return 0;
	return int(std::clamp(frame, double(INT_MIN), double(INT_MAX)));
}

void cTextureAnimator::ShowFrame(int frame)
{
	m_frame = frame;
	const int perRow = m_animation->framesPerRow;
	if (perRow <= 0)
	{
		m_controller->SetTextureOffset(0.0f, 0.0f);
		return;
	}
	m_controller->SetTextureOffset(float(frame % perRow) * m_animation->uStep,
		float(frame / perRow) * m_animation->vStep);
}
