#pragma once
// One key of a track: a value and the time at which the track takes it.

template <class T>
struct sTrackKey
{
	T value;
	float time;
};
