#include "engine/scene/cMotionPlayer.h"

#include "engine/scene/cMotionResource.h"
#include "engine/scene/cTransformNode.h"
#include "engine/scene/sMotionData.h"

#include <cmath>

namespace
{
float Lerp(float from, float to, float s)
{
	return from + (to - from) * s;
}

cVector3d Lerp(const sMotionVector& from, const sMotionVector& to, float s)
{
	return cVector3d(Lerp(from.x, to.x, s), Lerp(from.y, to.y, s), Lerp(from.z, to.z, s));
}

// A track takes part in a pose only when it has a key at the upper index.
template <class T>
bool HasKey(const std::vector<T>& track, int upper)
{
	return static_cast<size_t>(upper) < track.size();
}
}

cMotionPlayer::cMotionPlayer(cTransformNode* target, const cResourceHandle& motion)
	: m_motion(motion), m_target(target)
{
	Rebase(target->GetLocalMatrix());
}

void cMotionPlayer::AddClips(const std::vector<sMotionDesc>& clips)
{
	for (const sMotionDesc& desc : clips)
		m_clips[desc.name] = { desc.first, desc.last, desc.length, desc.loop };
}

const sMotionData* cMotionPlayer::Keys() const
{
	const cMotionResource* motion = m_motion.Get<cMotionResource>();
	const sMotionData* data = motion ? motion->GetData() : nullptr;
	return data && !data->keyTimes.empty() ? data : nullptr;
}

void cMotionPlayer::Play(const std::string& name)
{
	auto found = m_clips.find(name);
	if (found == m_clips.end() || !Keys())
		return;
	sMotionClip* clip = &found->second;
	if (clip == m_clip && clip->loop && m_playing)
		return;
	m_clip = clip;
	m_forward = true;
	m_playing = true;
	m_clipName = name;
	Seek(0);
}

void cMotionPlayer::Seek(float seconds)
{
	const sMotionData* keys = Keys();
	if (!keys)
		return;
	m_time = seconds;
	if (!m_clip)
		return;
	const sMotionClip& clip = *m_clip;
	if (seconds > clip.length)
		// A looping clip of length 0 has no time but 0.
		m_time = clip.loop ? (clip.length > 0 ? std::fmod(seconds, clip.length) : 0.0f) : clip.length;
	const float fraction = clip.length == 0 ? 1.0f : m_time / clip.length;
	const float keyTime = clip.first + (clip.last - clip.first) * fraction;

	const std::vector<float>& times = keys->keyTimes;
	const int last = static_cast<int>(times.size()) - 1;
	m_firstKey = 0;
	while (m_firstKey < last && times[m_firstKey] < clip.first)
		++m_firstKey;
	m_lastKey = last;
	while (m_lastKey > m_firstKey && times[m_lastKey] > clip.last)
		--m_lastKey;
	m_lowerKey = m_upperKey = m_firstKey;
	while (m_upperKey < m_lastKey && times[m_upperKey] < keyTime)
		m_lowerKey = m_upperKey++;

	const bool wasPlaying = m_playing;
	m_playing = true;
	Update(0);
	m_playing = wasPlaying && m_playing;
}

void cMotionPlayer::Update(float dt)
{
	const sMotionData* keys = Keys();
	if (!m_playing || !m_clip || !keys)
		return;
	const sMotionClip& clip = *m_clip;
	if (m_forward)
	{
		m_time += dt;
		if (clip.length == 0)
			m_playing = false;
		else if (m_time >= clip.length)
		{
			if (clip.loop)
			{
				m_time = std::fmod(m_time, clip.length);
				m_lowerKey = m_upperKey = m_firstKey;
			}
			else
			{
				m_playing = false;
				m_time = clip.length;
			}
		}
	}
	else
	{
		m_time -= dt;
		if (clip.length == 0)
			m_playing = false;
		else if (m_time <= 0)
		{
			if (clip.loop)
			{
				m_time = clip.length - std::fmod(-m_time, clip.length);
				m_lowerKey = m_upperKey = m_lastKey;
			}
			else
			{
				m_playing = false;
				m_time = 0;
			}
		}
	}
	const std::vector<float>& times = keys->keyTimes;
	const float fraction = clip.length == 0 ? 1.0f : m_time / clip.length;
	ApplyPose(*keys, times[m_firstKey] + (times[m_lastKey] - times[m_firstKey]) * fraction);
}

void cMotionPlayer::ApplyPose(const sMotionData& keys, float keyTime)
{
	const std::vector<float>& times = keys.keyTimes;
	if (m_forward)
	{
		while (m_upperKey < m_lastKey && times[m_upperKey] < keyTime)
			m_lowerKey = m_upperKey++;
	}
	else
	{
		while (m_lowerKey > m_firstKey && times[m_lowerKey] > keyTime)
			m_upperKey = m_lowerKey--;
		if (m_lowerKey < m_firstKey)
			m_lowerKey = m_firstKey;
	}
	const int lower = m_lowerKey;
	const int upper = m_upperKey;
	// Repeated key times give the earlier key of the pair, not 0 / 0.
	const float s = times[upper] <= times[lower] ? 0.0f : (keyTime - times[lower]) / (times[upper] - times[lower]);

	const bool rotates = HasKey(keys.rotations, upper);
	const bool scales = HasKey(keys.scales, upper);
	const bool moves = HasKey(keys.positions, upper);
	if (rotates || scales || moves)
	{
		cMatrix pose;
		if (rotates)
		{
			cQuaternion rotation;
			keys.rotations[lower].Slerp(rotation, keys.rotations[upper], s);
			pose.MakeRotation(rotation);
		}
		cVector3d scale = m_baseScale;
		if (scales)
			scale += Lerp(keys.scales[lower], keys.scales[upper], s);
		const float factors[3] = { scale.x, scale.y, scale.z };
		for (int row = 0; row < 3; ++row)
			for (int column = 0; column < 3; ++column)
				pose.m[row][column] *= factors[row];
		const cVector3d position = moves ? Lerp(keys.positions[lower], keys.positions[upper], s) : cVector3d();
		pose.SetTranslation(position);
		m_target->SetLocalMatrix(pose * m_baseMatrix);
	}
	if (HasKey(keys.colours, upper))
	{
		const sColor& from = keys.colours[lower];
		const sColor& to = keys.colours[upper];
		m_target->SetColor(Lerp(from.r, to.r, s), Lerp(from.g, to.g, s), Lerp(from.b, to.b, s), Lerp(from.a, to.a, s));
	}
}

void cMotionPlayer::Resume()
{
	if (!m_clipName.empty())
		m_playing = true;
}

void cMotionPlayer::SetClipLoop(const std::string& name, bool loop)
{
	auto found = m_clips.find(name);
	if (found != m_clips.end())
		found->second.loop = loop;
}

float cMotionPlayer::GetClipLength(const std::string& name) const
{
	auto found = m_clips.find(name);
	return found == m_clips.end() ? 0.0f : found->second.length;
}

float cMotionPlayer::GetTimeIfCurrent(const std::string& name) const
{
	return m_clipName == name ? m_time : 0.0f;
}

void cMotionPlayer::Rebase(const cMatrix& local)
{
	cVector3d rows[3];
	bool degenerate = false;
	for (int row = 0; row < 3; ++row)
	{
		rows[row] = cVector3d(local.m[row][0], local.m[row][1], local.m[row][2]);
		degenerate |= rows[row].Length() == 0;
	}
	m_baseScale = cVector3d(rows[0].Length(), rows[1].Length(), rows[2].Length());
	cMatrix rotation;
	if (!degenerate)
		for (int row = 0; row < 3; ++row)
		{
			const cVector3d axis = rows[row] * (1.0f / rows[row].Length());
			rotation.m[row][0] = axis.x;
			rotation.m[row][1] = axis.y;
			rotation.m[row][2] = axis.z;
		}
	cQuaternion turn;
	rotation.GetRotation(turn);
	const float length = std::sqrt(turn.x * turn.x + turn.y * turn.y + turn.z * turn.z + turn.w * turn.w);
	if (length > 0)
		turn = cQuaternion(turn.x / length, turn.y / length, turn.z / length, turn.w / length);
	m_baseMatrix.MakeRotation(turn);
	m_baseMatrix._41 = local._41;
	m_baseMatrix._42 = local._42;
	m_baseMatrix._43 = local._43;
}
