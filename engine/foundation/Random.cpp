#include "engine/foundation/Random.h"

#include <ctime>

namespace
{
thread_local uint32_t t_randomState = 1;
}

void SeedRandom()
{
	t_randomState = static_cast<uint32_t>(std::time(nullptr));
}

int Random()
{
	t_randomState = t_randomState * 214013u + 2531011u;
	return static_cast<int>((t_randomState >> 16) & 0x7FFF);
}

float RandomFloat()
{
	return static_cast<float>(Random() / 32767.0);
}

float RandomFloatRange(float a, float b)
{
	if (a < b)
		return a + RandomFloat() * (b - a);
	return a;
}

uint32_t RandomIntRange(uint32_t lo, uint32_t hi)
{
	if (lo < hi)
		return lo + static_cast<uint32_t>(Random()) % (hi - lo);
	return lo;
}
