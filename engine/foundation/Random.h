#pragma once
// The process's random numbers: one linear congruential generator per
// thread, state := state x 214013 + 2531011 (mod 2^32), each value bits 16
// to 30 of the new state. A thread's state is 1 until that thread seeds it.

#include <cstdint>

// Seeds the calling thread's generator with the current time in seconds.
void SeedRandom();

// 0 to 32767 inclusive.
int Random();

// Random() / 32767: 0 to 1, both ends included.
float RandomFloat();

// a + RandomFloat() x (b - a) when a < b, else a.
float RandomFloatRange(float a, float b);

// lo + Random() mod (hi - lo) when lo < hi, else lo; hi itself never comes.
uint32_t RandomIntRange(uint32_t lo, uint32_t hi);
