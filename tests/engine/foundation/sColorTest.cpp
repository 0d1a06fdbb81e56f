#include "engine/foundation/sColor.h"

#include <gtest/gtest.h>

TEST(sColor, MinTakesEachChannelSeparately)
{
	const sColor m = sColor::Min(sColor(0.2f, 0.9f, 0.5f, 1.0f), sColor(0.4f, 0.1f, 0.5f, 0.3f));
	EXPECT_FLOAT_EQ(m.r, 0.2f);
	EXPECT_FLOAT_EQ(m.g, 0.1f);
	EXPECT_FLOAT_EQ(m.b, 0.5f);
	EXPECT_FLOAT_EQ(m.a, 0.3f);
}

TEST(sColor, ColorToFloatsSplitsAlphaRedGreenBlue)
{
	struct Case
	{
		DWORD argb;
		float a, r, g, b;
	};
	const Case cases[] = {
		{ 0x80FF0000, 128 / 255.0f, 1.0f, 0.0f, 0.0f },
		{ 0xFFFFFFFF, 1.0f, 1.0f, 1.0f, 1.0f },
		{ 0x00000000, 0.0f, 0.0f, 0.0f, 0.0f },
		{ 0x01020304, 1 / 255.0f, 2 / 255.0f, 3 / 255.0f, 4 / 255.0f },
	};
	for (const Case& c : cases)
	{
		float a = -1, r = -1, g = -1, b = -1;
		ColorToFloats(c.argb, a, r, g, b);
		EXPECT_FLOAT_EQ(a, c.a);
		EXPECT_FLOAT_EQ(r, c.r);
		EXPECT_FLOAT_EQ(g, c.g);
		EXPECT_FLOAT_EQ(b, c.b);
	}
}
