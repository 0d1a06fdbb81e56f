#include "engine/foundation/InRange.h"

#include <gtest/gtest.h>

TEST(InRange, IncludesBothBounds)
{
	EXPECT_TRUE(InRange(1.0f, 1.0f, 2.0f));
	EXPECT_TRUE(InRange(2.0f, 1.0f, 2.0f));
	EXPECT_FALSE(InRange(2.5f, 1.0f, 2.0f));
	EXPECT_FALSE(InRange(0, 1, 2));
	EXPECT_FALSE(InRange(1, 2, 1));
}
