#pragma once
// A motion clip of a scene description ("add_motion"). The target is
// carried in both stored forms but not used when playing.

#include <string>

struct sMotionDesc
{
	std::string name;
	float first = 0;
	float last = 0;
	float length = 0;
	std::string target;
	bool loop = false;

	bool operator==(const sMotionDesc&) const = default;
};
