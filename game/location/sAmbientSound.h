#pragma once
// One of a location's random ambient sounds and its weight in the draw.

#include "engine/resources/cResourceHandle.h"

struct sAmbientSound
{
	cResourceHandle sound;
	float weight = 0;
};
