// The import layout of track keys: float, angle, colour and vector tracks.

#include "engine/graphics/cTrack.h"
#include "engine/foundation/cMemoryStream.h"

#include <gtest/gtest.h>

#include <bit>
#include <vector>

namespace
{
// Builds import bytes.
class cImportBytes
{
public:
	cImportBytes& FloatKeys(std::initializer_list<std::pair<float, float>> keys)
	{
		StreamWriteU32(m_stream, uint32_t(keys.size()));
		for (const auto& [time, value] : keys)
		{
			StreamWriteU32(m_stream, std::bit_cast<uint32_t>(time));
			StreamWriteU32(m_stream, std::bit_cast<uint32_t>(value));
		}
		return *this;
	}

	cImportBytes& ColorKeys(std::initializer_list<std::pair<float, uint32_t>> keys)
	{
		StreamWriteU32(m_stream, uint32_t(keys.size()));
		for (const auto& [time, argb] : keys)
		{
			StreamWriteU32(m_stream, std::bit_cast<uint32_t>(time));
			StreamWriteU32(m_stream, argb);
		}
		return *this;
	}

	cMemoryStream& Stream()
	{
		m_stream.Seek(0, cStream::FromStart);
		return m_stream;
	}

private:
	cMemoryStream m_stream;
};

template <class Track>
std::vector<float> Times(const Track& track)
{
	std::vector<float> times;
	for (const auto& key : track.GetKeys().keys)
		times.push_back(key.time);
	return times;
}
}

TEST(TrackImport, FloatKeysImportAsStoredAndMatchRead)
{
	cImportBytes bytes;
	bytes.FloatKeys({ { 0, 1 }, { 1, 3 } });
	TrackOf<7, kScaleFunctor> imported(false);
	ASSERT_TRUE(imported.Import(bytes.Stream()));
	TrackOf<7, kScaleFunctor> read(false);
	ASSERT_TRUE(read.Read(bytes.Stream()));
	ASSERT_EQ(imported.GetKeys().keys.size(), 2u);
	for (size_t i = 0; i < 2; ++i)
	{
		EXPECT_EQ(imported.GetKeys().keys[i].time, read.GetKeys().keys[i].time);
		EXPECT_EQ(imported.GetKeys().keys[i].value, read.GetKeys().keys[i].value);
	}
	EXPECT_EQ(imported.GetKeys().keys[1].value, 3);
}

TEST(TrackImport, AnglesTurnIntoRadians)
{
	cImportBytes bytes;
	bytes.FloatKeys({ { 0.25f, 180 } });
	TrackOf<0, kAngularVelocityFunctor> track(false);
	ASSERT_TRUE(track.Import(bytes.Stream()));
	EXPECT_EQ(track.GetKeys().keys[0].value, 180 * 0.017453292f);
	EXPECT_FLOAT_EQ(track.GetKeys().keys[0].value, 3.1415927f);
	EXPECT_EQ(track.GetKeys().keys[0].time, 0.25f);
}

TEST(TrackImport, ColoursUnpackFromArgb)
{
	cImportBytes bytes;
	bytes.ColorKeys({ { 0.5f, 0x80FF0000u } });
	TrackOf<6, kColorFunctor> track(false);
	ASSERT_TRUE(track.Import(bytes.Stream()));
	const sColor c = track.GetKeys().keys[0].value;
	EXPECT_EQ(c.r, 1);
	EXPECT_EQ(c.g, 0);
	EXPECT_EQ(c.b, 0);
	EXPECT_FLOAT_EQ(c.a, 128.0f / 255.0f);
	EXPECT_EQ(track.GetKeys().keys[0].time, 0.5f);
}

TEST(TrackImport, PlainVectorKeysMergeAtDistinctTimes)
{
	cImportBytes bytes;
	bytes.FloatKeys({ { 0, 0 }, { 1, 10 } }).FloatKeys({ { 0.5f, 7 } }).FloatKeys({ { 1.000005f, -2 } });
	TrackOf<0, kPositionFunctor> track(false);
	ASSERT_TRUE(track.Import(bytes.Stream()));
	EXPECT_EQ(Times(track), (std::vector<float> { 0, 0.5f, 1 }));
	const auto& keys = track.GetKeys().keys;
	EXPECT_FLOAT_EQ(keys[1].value.x, 5);
	for (const auto& key : keys)
	{
		EXPECT_EQ(key.value.y, 7);
		EXPECT_EQ(key.value.z, -2);
	}
}

TEST(TrackImport, PairedVectorKeysBecomePairsAtEachTime)
{
	// Per axis: A then B at 0, A then B at 1.
	cImportBytes bytes;
	for (float axis = 1; axis <= 3; ++axis)
		bytes.FloatKeys({ { 0, axis }, { 0, 10 * axis }, { 1, 2 * axis }, { 1, 20 * axis } });
	TrackOf<1, kVelocityFunctor> track(false);
	ASSERT_TRUE(track.Import(bytes.Stream()));
	EXPECT_EQ(Times(track), (std::vector<float> { 0, 0, 1, 1 }));
	const auto& keys = track.GetKeys().keys;
	EXPECT_EQ(keys[0].value.z, 3);
	EXPECT_EQ(keys[1].value.z, 30);
	EXPECT_EQ(keys[2].value.y, 4);
	EXPECT_EQ(keys[3].value.x, 20);

	// An event track gets pairs too; the event reports the first of a pair.
	TrackOf<3, kBoundingBoxFunctor> events(false);
	ASSERT_TRUE(events.Import(bytes.Stream()));
	EXPECT_EQ(events.GetKeys().keys.size(), 4u);
	cVector3d out;
	ASSERT_TRUE(events.GetKeys().GetEvent(1, 0.5f, out));
	EXPECT_EQ(out.x, 2);
}

TEST(TrackImport, UniqueTimesComparesWithTheLastKeptTime)
{
	std::vector<float> times { 1.000008f, 1, 0, 1.000016f, 1.000004f };
	UniqueTimes(times);
	EXPECT_EQ(times, (std::vector<float> { 0, 1, 1.000016f }));
}

TEST(TrackImport, ShortStreamsLeaveNoKeys)
{
	cImportBytes bytes;
	bytes.FloatKeys({ { 0, 1 } }).FloatKeys({ { 0, 1 } });
	TrackOf<6, kPositionFunctor> vectors(false);
	EXPECT_FALSE(vectors.Import(bytes.Stream())) << "the z list is missing";
	EXPECT_TRUE(vectors.GetKeys().keys.empty());

	cImportBytes colors;
	StreamWriteU32(colors.Stream(), 3);
	TrackOf<0, kColorFunctor> color(false);
	EXPECT_FALSE(color.Import(colors.Stream()));
	EXPECT_TRUE(color.GetKeys().keys.empty());
}
