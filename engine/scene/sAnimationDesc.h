#pragma once
// An "animation" entry of a scene description: the visual's animator
// parameter named after the animation is set to the speed.

#include <string>

struct sAnimationDesc
{
	std::string name;
	float speed = 1;

	bool operator==(const sAnimationDesc&) const = default;
};
