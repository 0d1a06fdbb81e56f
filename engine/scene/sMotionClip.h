#pragma once
// A named time window of a motion: the key times where it begins and ends,
// how many seconds it plays and whether it loops.

struct sMotionClip
{
	float first = 0;
	float last = 0;
	float length = 0;
	bool loop = false;
};
