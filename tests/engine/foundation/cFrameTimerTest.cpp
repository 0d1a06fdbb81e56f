#include "engine/foundation/cFrameTimer.h"

#include <gtest/gtest.h>

TEST(cFrameTimer, StallIsCappedAndDropsTheCarry)
{
	cFrameTimer timer(100.0);
	timer.Step(100.0 + 1.0 / 3.0 / 10.0); // leaves a carry
	EXPECT_NE(timer.GetCarry(), 0.0);
	EXPECT_EQ(timer.Step(102.0), 0.1f);
	EXPECT_EQ(timer.GetCarry(), 0.0);
	// The time base moved to the stalled frame: the next step is short again.
	EXPECT_NEAR(timer.Step(102.01), 0.01f, 1e-6);
}

TEST(cFrameTimer, BackwardsClockGivesZeroAndKeepsTheBase)
{
	cFrameTimer timer(50.0);
	EXPECT_EQ(timer.Step(49.0), 0.0f);
	EXPECT_NEAR(timer.Step(50.05), 0.05f, 1e-6);
}

TEST(cFrameTimer, CarryKeepsTheConversionLossFromAccumulating)
{
	// At a large clock value every float step loses a little; the carry
	// hands it to the next step, so the steps add up to the elapsed time.
	const double start = 123456.789;
	const double frame = 1.0 / 60.0;
	cFrameTimer timer(start);
	double total = 0.0;
	const int frames = 6000;
	for (int i = 1; i <= frames; ++i)
		total += timer.Step(start + i * frame);
	EXPECT_NEAR(total, frames * frame, 1e-6);
	EXPECT_LT(std::abs(timer.GetCarry()), 1e-6);
}
