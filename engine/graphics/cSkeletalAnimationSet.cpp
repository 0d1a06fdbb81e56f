#include "engine/graphics/cSkeletalAnimationSet.h"

#include "engine/graphics/cSkeletalAnimator.h"

#include <algorithm>
#include <cmath>

namespace
{
// Key k of a track list, held at its last key.
template <class T>
const T& KeyAt(const std::vector<T>& keys, size_t k)
{
	return keys[std::min(k, keys.size() - 1)];
}

cVector3d Interpolate(const std::vector<cVector3d>& keys, size_t previous, size_t next, float c)
{
	const cVector3d& from = KeyAt(keys, previous);
	return from + (KeyAt(keys, next) - from) * c;
}

// The first key whose time is not below t, at most the last key.
size_t KeyAtOrAfter(const std::vector<float>& times, float t)
{
	size_t key = 0;
	if (times.size() > 1)
		while (times[key] < t && key + 1 < times.size())
			++key;
	return key;
}
}

cSkeletalAnimationSet::cSkeletalAnimationSet(cSkeletalAnimator* animator, const sAnimationSetDesc* description,
	const sBoneKeys* keys)
	: m_description(description), m_keys(keys), m_animator(animator)
{
	for (const sBoneTrack& track : keys->tracks)
		if (sModelFrame* frame = animator->FindFrame(track.frameName))
			m_channels.push_back({ frame, &track });
	m_startKey = KeyAtOrAfter(keys->keyTimes, description->beginTime);
	m_endKey = KeyAtOrAfter(keys->keyTimes, description->endTime);
	Seek(0.0f);
}

void cSkeletalAnimationSet::Start(float fadeTime)
{
	if (m_state != STATE_STOPPED)
		return;
	m_fadeTime = fadeTime;
	m_state = STATE_FADING_IN;
	m_fadeTimer = 0.0f;
	m_time = 0.0f;
	const float* length = m_animator->FindSetLength(m_description->setName);
	m_length = length ? *length : 1.0f;
	Seek(0.0f);
}

void cSkeletalAnimationSet::Stop()
{
	if (m_state == STATE_FADING_OUT || m_state == STATE_STOPPED)
		return;
	m_state = STATE_FADING_OUT;
	m_fadeTimer = 0.0f;
}

void cSkeletalAnimationSet::Update(float dt)
{
	m_fadeTimer += dt;
	m_time += dt;
	if (m_state == STATE_FADING_IN && m_fadeTime <= m_fadeTimer)
		m_state = STATE_PLAYING;
	else if (m_state == STATE_FADING_OUT && m_fadeTime <= m_fadeTimer)
		m_state = STATE_STOPPED;
}

void cSkeletalAnimationSet::Seek(float t)
{
	m_time = t;
	m_previousKey = m_nextKey = m_startKey;
	while (m_nextKey < m_endKey && KeyTime(m_nextKey) < t)
		m_previousKey = m_nextKey++;
}

void cSkeletalAnimationSet::Apply()
{
	if (m_keys->keyTimes.empty())
		return;
	// A length that is not positive holds the set at its start.
	if (m_length <= 0.0f)
		Seek(0.0f);
	else if (m_length <= m_time)
		Seek(std::fmod(m_time, m_length));
	const float startTime = KeyTime(m_startKey);
	const float fraction = m_length > 0.0f ? m_time / m_length : 0.0f;
	const float keyTime = startTime + (KeyTime(m_endKey) - startTime) * fraction;
	while (m_nextKey < m_endKey && KeyTime(m_nextKey) < keyTime)
		m_previousKey = m_nextKey++;
	const float previousTime = KeyTime(m_previousKey);
	const float nextTime = KeyTime(m_nextKey);
	const float c = nextTime == previousTime ? 0.0f : (keyTime - previousTime) / (nextTime - previousTime);

	for (const sChannel& channel : m_channels)
	{
		const sBoneTrack& track = *channel.track;
		cMatrix& local = channel.frame->local;
		local = cMatrix::Identity();
		if (!track.rotationKeys.empty())
		{
			cQuaternion rotation;
			KeyAt(track.rotationKeys, m_previousKey).Slerp(rotation, KeyAt(track.rotationKeys, m_nextKey), c);
			local.MakeRotation(rotation);
			channel.frame->changed = true;
		}
		if (!track.scaleKeys.empty())
		{
			const cVector3d scale = Interpolate(track.scaleKeys, m_previousKey, m_nextKey, c);
			const float factors[3] = { scale.x, scale.y, scale.z };
			for (int row = 0; row < 3; ++row)
				for (int column = 0; column < 3; ++column)
					local.m[row][column] *= factors[row];
			channel.frame->changed = true;
		}
		if (!track.translationKeys.empty())
		{
			cMatrix translation;
			translation.MakeTranslation(Interpolate(track.translationKeys, m_previousKey, m_nextKey, c));
			local = local * translation;
			channel.frame->changed = true;
		}
	}
}

cSkeletalAnimationSet* cSkeletalAnimationSet::Clone(cSkeletalAnimator* animator) const
{
	return new cSkeletalAnimationSet(animator, m_description, m_keys);
}

float cSkeletalAnimationSet::KeyTime(size_t key) const
{
	return KeyAt(m_keys->keyTimes, key);
}
