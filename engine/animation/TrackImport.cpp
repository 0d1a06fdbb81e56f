#include "engine/animation/TrackImport.h"

#include <array>

namespace
{
// Degrees to radians in 32-bit float.
constexpr float kRadiansPerDegree = 0.017453292f;
// Times closer than this to the last kept one are the same time.
constexpr float kSameTime = 0.00001f;

// The vector import's working lists, kept between imports of a thread so
// that repeated imports do not allocate.
struct sVectorImportLists
{
	std::array<sTrackData<float>, 3> axes;
	std::array<sTrackData<float>, 3> first;
	std::array<sTrackData<float>, 3> second;
	std::vector<float> times;
};

thread_local sVectorImportLists t_lists;
}

bool ReadFloatKeys(cStream& stream, sTrackData<float>& list)
{
	return list.Read(stream);
}

bool ImportFloatKeys(cStream& stream, sTrackData<float>& keys, bool angles)
{
	if (!ReadFloatKeys(stream, keys))
		return false;
	if (angles)
		for (sTrackKey<float>& key : keys.keys)
			key.value *= kRadiansPerDegree;
	return true;
}

bool ImportColorKeys(cStream& stream, sTrackData<sColor>& keys)
{
	keys.keys.clear();
	uint32_t count = 0;
	if (!StreamReadCount(stream, count, 8))
		return false;
	keys.keys.resize(count);
	for (sTrackKey<sColor>& key : keys.keys)
	{
		uint32_t bytes[2];
		if (stream.Read(bytes, sizeof(bytes)) != sizeof(bytes))
		{
			keys.keys.clear();
			return false;
		}
		key.time = std::bit_cast<float>(GetU32LE(reinterpret_cast<const uint8_t*>(&bytes[0])));
		ColorToFloats(GetU32LE(reinterpret_cast<const uint8_t*>(&bytes[1])), key.value.a, key.value.r, key.value.g,
			key.value.b);
	}
	return true;
}

void UniqueTimes(std::vector<float>& times)
{
	std::sort(times.begin(), times.end());
	if (times.empty())
		return;
	size_t kept = 0;
	for (size_t i = 1; i < times.size(); ++i)
		if (!(times[i] - times[kept] < kSameTime))
			times[++kept] = times[i];
	times.resize(kept + 1);
}

void SplitKeyPairs(const sTrackData<float>& list, sTrackData<float>& first, sTrackData<float>& second)
{
	first.keys.clear();
	second.keys.clear();
	for (size_t i = 0; i < list.keys.size(); ++i)
		(i % 2 == 0 ? first : second).keys.push_back(list.keys[i]);
}

bool ImportVectorKeys(cStream& stream, sTrackData<cVector3d>& keys, bool paired)
{
	keys.keys.clear();
	sVectorImportLists& lists = t_lists;
	lists.times.clear();
	for (sTrackData<float>& axis : lists.axes)
	{
		if (!ReadFloatKeys(stream, axis))
			return false;
		for (const sTrackKey<float>& key : axis.keys)
			lists.times.push_back(key.time);
	}
	UniqueTimes(lists.times);
	const auto valueAt = [](const std::array<sTrackData<float>, 3>& curves, float t) {
		return cVector3d(curves[0].GetValue(t), curves[1].GetValue(t), curves[2].GetValue(t));
	};
	if (!paired)
	{
		for (float t : lists.times)
			keys.keys.push_back({ valueAt(lists.axes, t), t });
		return true;
	}
	for (size_t axis = 0; axis < 3; ++axis)
		SplitKeyPairs(lists.axes[axis], lists.first[axis], lists.second[axis]);
	for (float t : lists.times)
	{
		keys.keys.push_back({ valueAt(lists.first, t), t });
		keys.keys.push_back({ valueAt(lists.second, t), t });
	}
	return true;
}
