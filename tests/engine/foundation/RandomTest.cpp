#include "engine/foundation/Random.h"

#include <gtest/gtest.h>

#include <ctime>
#include <thread>
#include <vector>

namespace
{
std::vector<int> FirstValues(int count)
{
	std::vector<int> values;
	for (int i = 0; i < count; ++i)
		values.push_back(Random());
	return values;
}

// The documented generator, stepped by hand.
int NextOf(uint32_t& state)
{
	state = state * 214013u + 2531011u;
	return static_cast<int>((state >> 16) & 0x7FFF);
}
}

TEST(Random, NewThreadStartsFromStateOne)
{
	std::vector<int> first, second;
	std::thread([&] { first = FirstValues(5); }).join();
	std::thread([&] { second = FirstValues(5); }).join();
	const std::vector<int> expected = { 41, 18467, 6334, 26500, 19169 };
	EXPECT_EQ(first, expected);
	EXPECT_EQ(second, expected);
}

TEST(Random, SeedRandomUsesTheTimeInSeconds)
{
	std::vector<int> values;
	uint32_t state = 0;
	std::thread([&] {
		// Retry should the second change between reading the clock and seeding.
		do
		{
			state = static_cast<uint32_t>(std::time(nullptr));
			SeedRandom();
			values = FirstValues(3);
		} while (static_cast<uint32_t>(std::time(nullptr)) != state);
	}).join();
	EXPECT_EQ(values, (std::vector<int> { NextOf(state), NextOf(state), NextOf(state) }));
}

TEST(Random, SeedingOneThreadLeavesOthersAlone)
{
	SeedRandom();
	std::vector<int> values;
	std::thread([&] { values = FirstValues(1); }).join();
	EXPECT_EQ(values, std::vector<int> { 41 });
}

TEST(Random, RangesStayInsideTheirBounds)
{
	for (int i = 0; i < 2000; ++i)
	{
		const int value = Random();
		EXPECT_GE(value, 0);
		EXPECT_LE(value, 32767);
		const float f = RandomFloat();
		EXPECT_GE(f, 0.0f);
		EXPECT_LE(f, 1.0f);
		const float r = RandomFloatRange(-2.0f, 3.0f);
		EXPECT_GE(r, -2.0f);
		EXPECT_LE(r, 3.0f);
		const uint32_t n = RandomIntRange(10, 13);
		EXPECT_GE(n, 10u);
		EXPECT_LT(n, 13u);
	}
}

TEST(Random, EmptyOrReversedRangesGiveTheirStart)
{
	EXPECT_EQ(RandomIntRange(5, 5), 5u);
	EXPECT_EQ(RandomIntRange(7, 3), 7u);
	EXPECT_EQ(RandomFloatRange(2.5f, 2.5f), 2.5f);
	EXPECT_EQ(RandomFloatRange(4.0f, 1.0f), 4.0f);
}

TEST(Random, DerivedValuesFollowTheGenerator)
{
	std::vector<float> floats;
	std::vector<uint32_t> ints;
	std::thread([&] {
		floats.push_back(RandomFloat());
		floats.push_back(RandomFloatRange(10.0f, 20.0f));
		ints.push_back(RandomIntRange(100, 110));
	}).join();
	EXPECT_FLOAT_EQ(floats[0], 41 / 32767.0f);
	EXPECT_FLOAT_EQ(floats[1], 10.0f + 18467 / 32767.0f * 10.0f);
	EXPECT_EQ(ints[0], 100u + 6334 % 10);
}
