#pragma once
// The key list of a track, in the order read, and its evaluations: one
// curve, two interleaved curves blended by a weight (a paired list: keys
// 2i and 2i + 1 share a time and belong to curves A and B), and key events
// passed by a time step. Evaluation expects ascending key times, only
// reads the keys and never reads outside them: an empty list yields the
// value type's zero (no event), and a key without its partner reuses the
// last key.

#include "engine/animation/TrackValues.h"
#include "engine/foundation/StreamSerialization.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <vector>

template <class T>
class sTrackData
{
public:
	using Key = sTrackKey<T>;

	std::vector<Key> keys;

	// The single curve at the time: clamped to the first and last key,
	// blended linearly between neighbours.
	T GetValue(float time) const
	{
		const size_t count = keys.size();
		if (count == 0)
			return T();
		if (count == 1)
			return keys[0].value;
		const size_t s = UpperBound(0, time);
		if (s == count)
			return keys[count - 1].value;
		if (s == 0)
			return keys[0].value;
		const Key& p = keys[s - 1];
		return Blend(p.value, keys[s].value, (time - p.time) / (keys[s].time - p.time));
	}

	// Curve A (weight 0) to curve B (weight 1) at the time, clamped to the
	// first and last pair.
	T GetRangeValue(float time, float weight) const
	{
		const size_t count = keys.size();
		if (count == 0)
			return T();
		if (count == 1)
			return Blend(keys[0].value, keys[0].value, weight);
		if (count == 2)
			return Blend(keys[0].value, keys[1].value, weight);
		const size_t s = UpperBound(0, time);
		if (s >= count - 1)
			return Blend(keys[count - 2].value, keys[count - 1].value, weight);
		if (s <= 1)
			return Blend(keys[0].value, keys[1].value, weight);
		const float f = (time - keys[s - 1].time) / (keys[s].time - keys[s - 1].time);
		const T a = Blend(keys[s - 2].value, keys[s].value, f);
		const T b = Blend(keys[s - 1].value, keys[s + 1].value, f);
		return Blend(a, b, weight);
	}

	// The earliest key in (time - step, time]: true with its value in out.
	bool GetEvent(float time, float step, T& out) const
	{
		size_t s1 = 0;
		if (!FindEvent(time, step, s1))
			return false;
		out = keys[s1].value;
		return true;
	}

	// As GetEvent on a paired list; out is the blend of the pair.
	bool GetRangeEvent(float time, float step, float weight, T& out) const
	{
		size_t s1 = 0;
		if (!FindEvent(time, step, s1))
			return false;
		out = Blend(keys[s1].value, keys[std::min(s1 + 1, keys.size() - 1)].value, weight);
		return true;
	}

	// The largest key time; 0 without keys.
	float GetMaxTime() const
	{
		float largest = keys.empty() ? 0.0f : keys[0].time;
		for (const Key& key : keys)
			largest = std::max(largest, key.time);
		return largest;
	}

	// A u32 count, then each key: the time, then the value's floats. The
	// count is checked against the bytes left before anything is
	// allocated; false (no keys) when it does not fit or a read comes up
	// short.
	bool Read(cStream& stream)
	{
		keys.clear();
		uint32_t count = 0;
		if (!StreamReadCount(stream, count, KeySize<T>()))
			return false;
		std::vector<uint8_t> bytes(size_t(count) * KeySize<T>());
		if (stream.Read(bytes.data(), uint32_t(bytes.size())) != bytes.size())
			return false;
		keys.resize(count);
		const uint8_t* cursor = bytes.data();
		for (Key& key : keys)
		{
			float floats[1 + sKeyLayout<T>::Floats];
			for (float& f : floats)
			{
				f = std::bit_cast<float>(GetU32LE(cursor));
				cursor += 4;
			}
			key.time = floats[0];
			sKeyLayout<T>::Get(floats + 1, key.value);
		}
		return true;
	}

	void Write(cStream& stream) const
	{
		StreamWriteU32(stream, uint32_t(keys.size()));
		for (const Key& key : keys)
		{
			float floats[1 + sKeyLayout<T>::Floats];
			floats[0] = key.time;
			sKeyLayout<T>::Put(key.value, floats + 1);
			for (float f : floats)
				StreamWriteU32(stream, std::bit_cast<uint32_t>(f));
		}
	}

private:
	// The first key from first on whose time is greater than the time
	// (equal times resolve past the last of them); the count when none is.
	size_t UpperBound(size_t first, float time) const
	{
		auto found = std::upper_bound(keys.begin() + std::ptrdiff_t(first), keys.end(), time,
			[](float t, const Key& key) { return t < key.time; });
		return size_t(found - keys.begin());
	}

	bool FindEvent(float time, float step, size_t& s1) const
	{
		s1 = UpperBound(0, time - step);
		return s1 < keys.size() && UpperBound(s1, time) != s1;
	}
};
