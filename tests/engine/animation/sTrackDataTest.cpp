// Key lists of the tracks: single and paired curves, key events, colour
// quantisation, the stored layout, and lists that are empty or not well
// paired.

#include "engine/animation/sTrackData.h"
#include "engine/foundation/cMemoryStream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace
{
sTrackData<float> Floats(std::initializer_list<sTrackKey<float>> keys)
{
	sTrackData<float> data;
	data.keys = keys;
	return data;
}

std::string Bytes(cMemoryStream& stream)
{
	return std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

cMemoryStream StreamOf(const std::string& bytes)
{
	cMemoryStream stream;
	stream.Write(bytes.data(), uint32_t(bytes.size()));
	stream.Seek(0, cStream::FromStart);
	return stream;
}
}

TEST(sTrackData, SingleCurveClampsAndBlends)
{
	const sTrackData<float> one = Floats({ { 7, 0.5f } });
	for (float t : { -1.0f, 0.5f, 3.0f })
		EXPECT_EQ(one.GetValue(t), 7);

	// Keys 0 at 0, 10 at 1, a step at 2 from 20 to 40, then 50 at 3.
	const sTrackData<float> curve = Floats({ { 0, 0 }, { 10, 1 }, { 20, 2 }, { 40, 2 }, { 50, 3 } });
	const struct
	{
		float time, value;
	} cases[] = { { -5, 0 }, { 0, 0 }, { 0.25f, 2.5f }, { 1, 10 }, { 1.5f, 15 }, { 1.999f, 19.99f }, { 2, 40 },
		{ 2.5f, 45 }, { 3, 50 }, { 9, 50 } };
	for (const auto& c : cases)
		EXPECT_NEAR(curve.GetValue(c.time), c.value, 1e-3f) << c.time;
}

TEST(sTrackData, PairedCurvesBlendByWeight)
{
	// Curve A: 0 at 0, 10 at 1. Curve B: 100 at 0, 200 at 1.
	const sTrackData<float> pairs = Floats({ { 0, 0 }, { 100, 0 }, { 10, 1 }, { 200, 1 } });
	EXPECT_FLOAT_EQ(pairs.GetRangeValue(0.5f, 0), 5);
	EXPECT_FLOAT_EQ(pairs.GetRangeValue(0.5f, 1), 150);
	EXPECT_FLOAT_EQ(pairs.GetRangeValue(0.5f, 0.5f), 77.5f);
	// Before the first pair and after the last: that pair's blend.
	EXPECT_FLOAT_EQ(pairs.GetRangeValue(-1, 0.5f), 50);
	EXPECT_FLOAT_EQ(pairs.GetRangeValue(4, 0.5f), 105);

	const sTrackData<float> two = Floats({ { 2, 3 }, { 4, 3 } });
	for (float t : { -1.0f, 3.0f, 8.0f })
		EXPECT_FLOAT_EQ(two.GetRangeValue(t, 0.25f), 2.5f);
}

TEST(sTrackData, EventsFireOnceInTheHalfOpenStep)
{
	const sTrackData<float> keys = Floats({ { 1, 0 }, { 5, 0.5f }, { 6, 0.6f } });
	float out = -1;
	// From 0.4 to 0.7: only the earlier of the two keys passed.
	ASSERT_TRUE(keys.GetEvent(0.7f, 0.3f, out));
	EXPECT_EQ(out, 5);
	EXPECT_FALSE(keys.GetEvent(0.9f, 0.2f, out)) << "0.6 is not reported later";
	// A key at the start of the step does not fire; at its end it does.
	EXPECT_FALSE(Floats({ { 5, 0.5f } }).GetEvent(1.0f, 0.5f, out));
	EXPECT_TRUE(Floats({ { 5, 0.5f } }).GetEvent(0.5f, 0.25f, out));
	EXPECT_FALSE(keys.GetEvent(0.1f, 0.1f, out)) << "a key at 0 in a step from 0 to 0.1";
	out = -1;
	ASSERT_TRUE(keys.GetEvent(0.6f, 0.05f, out));
	EXPECT_EQ(out, 6);

	const sTrackData<float> pairs = Floats({ { 0, 1 }, { 10, 1 } });
	ASSERT_TRUE(pairs.GetRangeEvent(1.2f, 0.5f, 0.5f, out));
	EXPECT_FLOAT_EQ(out, 5);
}

TEST(sTrackData, BlendedColoursAreQuantisedCopiedOnesExact)
{
	sTrackData<sColor> colors;
	colors.keys = { { sColor(0, 0, 0, 0), 0 }, { sColor(1, 1, 1, 1), 1 } };
	const sColor half = colors.GetValue(0.5f);
	for (float channel : { half.r, half.g, half.b, half.a })
		EXPECT_FLOAT_EQ(channel, 127.0f / 255.0f);

	colors.keys = { { sColor(0.3f, 0.3f, 0.3f, 0.3f), 0 } };
	EXPECT_EQ(colors.GetValue(1).r, 0.3f) << "a single key is copied";
	sColor out;
	ASSERT_TRUE(colors.GetEvent(0.1f, 0.2f, out));
	EXPECT_EQ(out.a, 0.3f) << "an event copies its key";
	EXPECT_FLOAT_EQ(colors.GetRangeValue(0, 0).r, 76.0f / 255.0f) << "a blend quantises down";
}

TEST(sTrackData, MaxTimeIsTheLargestKeyTime)
{
	EXPECT_EQ(Floats({ { 0, 2 }, { 0, 5 }, { 0, 3 } }).GetMaxTime(), 5);
	EXPECT_EQ(Floats({}).GetMaxTime(), 0);
	EXPECT_EQ(Floats({ { 0, -2 } }).GetMaxTime(), -2);
}

TEST(sTrackData, EmptyAndUnpairedListsStayInsideTheKeys)
{
	float out = 42;
	const sTrackData<float> empty;
	EXPECT_EQ(empty.GetValue(1), 0);
	EXPECT_EQ(empty.GetRangeValue(1, 0.5f), 0);
	EXPECT_FALSE(empty.GetEvent(1, 1, out));
	EXPECT_FALSE(empty.GetRangeEvent(1, 1, 0.5f, out));
	EXPECT_EQ(sTrackData<cVector3d>().GetValue(0).y, 0);
	EXPECT_EQ(sTrackData<sColor>().GetRangeValue(0, 1).a, 0);

	// The last key has no partner: it stands for its own partner.
	const sTrackData<float> odd = Floats({ { 1, 0 }, { 3, 0 }, { 5, 1 } });
	EXPECT_FLOAT_EQ(odd.GetRangeValue(2, 0.5f), 4) << "the last pair clamps to keys 1 and 2";
	ASSERT_TRUE(odd.GetRangeEvent(1, 0.5f, 0.5f, out));
	EXPECT_EQ(out, 5);
	const sTrackData<float> single = Floats({ { 9, 0 } });
	EXPECT_FLOAT_EQ(single.GetRangeValue(4, 0.3f), 9);
	ASSERT_TRUE(single.GetRangeEvent(0, 0.5f, 0.7f, out));
	EXPECT_FLOAT_EQ(out, 9);
}

TEST(sTrackData, StoredLayoutRoundTripsBitForBit)
{
	sTrackData<sColor> colors;
	colors.keys = { { sColor(0.1f, 0.2f, 0.3f, 0.4f), 0.5f }, { sColor(1, 0, 0, 1), 2 } };
	cMemoryStream stream;
	colors.Write(stream);
	const std::string bytes = Bytes(stream);
	ASSERT_EQ(bytes.size(), 4u + 2 * 20);
	float first[5];
	memcpy(first, bytes.data() + 4, sizeof(first));
	EXPECT_EQ(first[0], 0.5f) << "time first";
	EXPECT_EQ(first[1], 0.4f) << "then alpha";
	EXPECT_EQ(first[2], 0.1f);

	cMemoryStream in = StreamOf(bytes);
	sTrackData<sColor> back;
	ASSERT_TRUE(back.Read(in));
	cMemoryStream again;
	back.Write(again);
	EXPECT_EQ(Bytes(again), bytes);

	sTrackData<cVector3d> vectors;
	vectors.keys = { { cVector3d(1, std::numeric_limits<float>::denorm_min(), -0.0f), 3 } };
	cMemoryStream vectorStream;
	vectors.Write(vectorStream);
	EXPECT_EQ(vectorStream.GetSize(), 4u + 16);
	cMemoryStream vectorIn = StreamOf(Bytes(vectorStream));
	sTrackData<cVector3d> vectorBack;
	ASSERT_TRUE(vectorBack.Read(vectorIn));
	EXPECT_EQ(memcmp(&vectorBack.keys[0], &vectors.keys[0], sizeof(vectors.keys[0])), 0);
}

TEST(sTrackData, ReadRefusesCountsTheBytesCannotHold)
{
	sTrackData<float> data;
	data.keys = { { 1, 0 }, { 2, 1 } };
	cMemoryStream stream;
	data.Write(stream);
	const std::string whole = Bytes(stream);
	for (size_t size = 0; size < whole.size(); ++size)
	{
		cMemoryStream cut = StreamOf(whole.substr(0, size));
		sTrackData<float> back = data;
		EXPECT_FALSE(back.Read(cut)) << size;
		EXPECT_TRUE(back.keys.empty());
	}
	std::string huge = whole;
	const uint32_t count = 0xFFFFFFFFu;
	memcpy(huge.data(), &count, 4);
	cMemoryStream hostile = StreamOf(huge);
	sTrackData<float> back;
	EXPECT_FALSE(back.Read(hostile));
}
