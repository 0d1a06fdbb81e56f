#pragma once
// What cAnimator::Play receives. The visuals pass weight 1, the name, no
// fade, and loop false; only the name and (for skeletal sets) the fade time
// are read.

#include <string>

struct sAnimationRequest
{
	float weight = 1.0f;
	std::string name;
	// Seconds of fade-in and fade-out of skeletal sets.
	float fadeTime = 0.0f;
	float reservedTime = 0.0f;
	bool loop = false;
};
