#include "engine/graphics/cMorphingAnimator.h"

#include "engine/graphics/cModelControllerBase.h"

#include <algorithm>
#include <cmath>
#include <cstring>

cMorphingAnimator::cMorphingAnimator(cModelControllerBase* controller, const sMorphData* morph)
	: cAnimator(controller), m_morph(morph), m_channelFrames(morph->channels.size()), m_layout(morph->channels.size())
{
	m_length = 100.0f;
	const cVertexBuffer* buffer = controller->GetVertexBuffer();
	for (size_t i = 0; i < m_layout.size(); ++i)
	{
		const uint32_t code = morph->channels[i].component;
		int component = 0;
		unsigned size = 0;
		if (code <= 1)
		{
			component = code == 0 ? D3DFVF_XYZ : D3DFVF_NORMAL;
			size = 12;
		}
		else if (code >= 3 && code <= 10)
		{
			component = 0x100 * int(code - 2);
			size = 8;
		}
		// A component the layout lacks, or one that would run past the
		// vertex, is not blended.
		if (size == 0 || !buffer || !buffer->HasComponent(component))
			continue;
		const int offset = buffer->GetComponentOffset(component);
		if (offset < 0 || unsigned(offset) + size > buffer->GetStride())
			continue;
		m_layout[i] = { unsigned(offset), size == 12 ? KIND_XYZ : KIND_UV };
	}
	if (const cModel* model = controller->GetModel())
		m_vertices = model->vertexBytes;
}

void cMorphingAnimator::Play(unsigned, const sAnimationRequest& request)
{
	auto found = m_morph->animations.find(request.name);
	if (found == m_morph->animations.end())
		return;
	if (request.name == m_name && m_loop && m_playing)
		return;
	const sAnimationRange& range = found->second;
	m_name = request.name;
	m_startTime = range.start;
	m_endTime = range.end;
	const bool* loop = FindLoopOverride(request.name);
	m_loop = loop ? *loop : range.loop;

	const std::vector<float>& keys = m_morph->keyTimes;
	size_t first = 0;
	while (first < keys.size() && keys[first] < m_startTime)
		++first;
	m_firstKey = first < keys.size() ? first : kNoKey;
	m_lastKey = keys.empty() ? kNoKey : keys.size() - 1;
	for (size_t key = first; key < keys.size(); ++key)
		if (keys[key] >= m_endTime)
		{
			m_lastKey = key;
			break;
		}
	const size_t startFrame = keys.empty() ? 0 : std::min(first, keys.size() - 1);
	for (size_t channel = 0; channel < m_channelFrames.size(); ++channel)
		m_channelFrames[channel].start = ClampedFrame(channel, startFrame);

	m_playing = true;
	const float* length = FindLengthOverride(request.name);
	m_length = length ? *length : range.length;
	SetTime(0.0f);
}

void cMorphingAnimator::SetTime(float seconds)
{
	m_time = seconds;
	if (m_firstKey == kNoKey || m_lastKey == kNoKey)
		return;
	if (seconds > m_length)
		m_time = !m_loop ? m_length : m_length > 0.0f ? std::fmod(seconds, m_length) : 0.0f;
	const float keyTime = KeyTimeNow();
	const std::vector<float>& keys = m_morph->keyTimes;
	m_previousKey = m_nextKey = m_firstKey;
	size_t passed = 0;
	while (m_nextKey < m_lastKey && keys[m_nextKey] < keyTime)
	{
		m_previousKey = m_nextKey++;
		++passed;
	}
	for (size_t channel = 0; channel < m_channelFrames.size(); ++channel)
	{
		sChannelFrames& frames = m_channelFrames[channel];
		frames.next = ClampedFrame(channel, frames.start + passed);
		frames.previous = ClampedFrame(channel, frames.start + (passed > 0 ? passed - 1 : 0));
	}
	const bool playing = m_playing;
	m_playing = true;
	Update(0.0f);
	m_playing = playing;
}

void cMorphingAnimator::Update(float dt)
{
	if (!m_playing || m_firstKey == kNoKey || m_lastKey == kNoKey)
		return;
	m_time += dt;
	if (m_time > m_length)
	{
		m_playing = m_loop;
		m_time = !m_loop ? m_length : m_length > 0.0f ? std::fmod(m_time, m_length) : 0.0f;
		m_previousKey = m_nextKey = m_firstKey;
		for (sChannelFrames& frames : m_channelFrames)
			frames.previous = frames.next = frames.start;
	}
	const float keyTime = KeyTimeNow();
	const std::vector<float>& keys = m_morph->keyTimes;
	size_t passed = 0;
	while (m_nextKey < m_lastKey && keys[m_nextKey] < keyTime)
	{
		m_previousKey = m_nextKey++;
		++passed;
	}
	if (passed > 0)
		for (size_t channel = 0; channel < m_channelFrames.size(); ++channel)
		{
			sChannelFrames& frames = m_channelFrames[channel];
			frames.next = ClampedFrame(channel, frames.next + passed);
			frames.previous = frames.next > 0 ? frames.next - 1 : 0;
		}
	const float previousTime = keys[m_previousKey];
	const float nextTime = keys[m_nextKey];
	Blend(nextTime == previousTime ? 0.0f : (keyTime - previousTime) / (nextTime - previousTime));
}

void cMorphingAnimator::SetLoopByName(const std::string& name, bool loop)
{
	cAnimator::SetLoopByName(name, loop);
	if (name == m_name)
		SetLoop(loop);
}

cAnimator* cMorphingAnimator::Clone(cModelControllerBase* controller) const
{
	return new cMorphingAnimator(controller, m_morph);
}

float cMorphingAnimator::KeyTimeNow() const
{
	const float fraction = m_length > 0.0f ? m_time / m_length : 0.0f;
	const std::vector<float>& keys = m_morph->keyTimes;
	return keys[m_firstKey] + fraction * (keys[m_lastKey] - keys[m_firstKey]);
}

size_t cMorphingAnimator::ClampedFrame(size_t channel, size_t frame) const
{
	const size_t frames = m_morph->channels[channel].frames.size();
	return frames == 0 ? 0 : std::min(frame, frames - 1);
}

void cMorphingAnimator::Blend(float c)
{
	cVertexBuffer* buffer = m_controller->GetDynamicVertexBuffer();
	const unsigned stride = buffer ? buffer->GetStride() : 0;
	if (stride == 0)
		return;
	const size_t vertexCount = m_vertices.size() / stride;
	for (size_t channel = 0; channel < m_layout.size(); ++channel)
	{
		const sChannelLayout& layout = m_layout[channel];
		const std::vector<std::vector<cVector3d>>& frames = m_morph->channels[channel].frames;
		if (layout.kind == KIND_NONE || frames.empty())
			continue;
		const std::vector<cVector3d>& previous = frames[m_channelFrames[channel].previous];
		const std::vector<cVector3d>& next = frames[m_channelFrames[channel].next];
		const size_t count = std::min({ previous.size(), next.size(), vertexCount });
		const size_t floats = layout.kind == KIND_XYZ ? 3 : 2;
		for (size_t v = 0; v < count; ++v)
		{
			const cVector3d value = previous[v] + (next[v] - previous[v]) * c;
			memcpy(m_vertices.data() + v * stride + layout.offset, &value, floats * sizeof(float));
		}
	}
	buffer->Write(m_vertices.data(), unsigned(vertexCount));
}
