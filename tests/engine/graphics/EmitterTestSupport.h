#pragma once
// Emitter sets for the emitter tests, written by the emitter writer and
// read back the way the emitter resource reads them.

#include "engine/foundation/cMemoryStream.h"
#include "engine/graphics/cEmitterWriter.h"
#include "engine/graphics/sEmitterSet.h"

#include <gtest/gtest.h>

#include <memory>

inline bool SameVector(const cVector3d& a, const cVector3d& b)
{
	return a.x == b.x && a.y == b.y && a.z == b.z;
}

inline std::unique_ptr<sEmitterSet> ReadSet(const cEmitterWriter& writer)
{
	cMemoryStream bytes;
	writer.Write(bytes);
	bytes.Seek(0, cStream::FromStart);
	auto set = std::make_unique<sEmitterSet>();
	EXPECT_TRUE(set->Read(bytes));
	return set;
}

// A set of one description without any track.
inline std::unique_ptr<sEmitterSet> TracklessSet(bool loop)
{
	cEmitterWriter writer;
	writer.AddDescription();
	writer.SetLoop(loop);
	return ReadSet(writer);
}
