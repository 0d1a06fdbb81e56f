// An emitter file, read as the emitter resource reads it, then played as
// an emitter group for a few frames so that every track it holds is
// evaluated.

#include "support/FuzzTarget.h"

#include "engine/graphics/TrackFunctors.h"
#include "engine/foundation/sColor.h"
#include "engine/graphics/cEmitterGroup.h"
#include "engine/graphics/cEmitterResource.h"
#include "engine/graphics/cEmitterWriter.h"

namespace
{
void Run(const uint8_t* data, size_t size)
{
	cEmitterResource resource("fuzzed", MemorySource(data, size));
	if (!resource.Load())
		return;
	cEmitterGroup group(resource.GetSet());
	group.Play();
	for (int frame = 0; frame < 4; ++frame)
		group.Update(0.25f, sColor(1, 1, 1, 1));
}

std::vector<std::string> Seeds()
{
	cEmitterWriter writer;
	// Every kind once: emitter kinds 0 to 5, particle kinds 6 to 8.
	writer.AddTrack<float>(false, 0, kEmitFunctor, false, {{20, 0}, {20, 1}});
	writer.AddTrack<float>(false, 1, kLifeTimeFunctor, false, {{0.5f, 0}, {1, 0}});
	writer.AddTrack<cVector3d>(false, 2, kVelocityFunctor, false, {{cVector3d(0, 1, 0), 0}, {cVector3d(1, 1, 0), 0}});
	writer.AddTrack<float>(false, 3, kEmitFunctor, false, {{5, 0.25f}});
	writer.AddTrack<cVector3d>(false, 4, kBoundingBoxFunctor, false, {{cVector3d(1, 1, 1), 0}, {cVector3d(2, 2, 2), 0}});
	writer.AddTrack<float>(false, 5, kEmitFunctor, false, {{1, 0.5f}, {3, 0.5f}});
	writer.AddTrack<sColor>(true, 6, kColorFunctor, true, {{sColor(1, 0, 0, 1), 0}, {sColor(0, 0, 1, 0), 1}});
	writer.AddTrack<sColor>(true, 6, kColorFunctor, true, {{sColor(0, 1, 0, 1), 0}});
	writer.AddTrack<float>(true, 7, kScaleFunctor, false, {{10, 0}, {20, 0}, {5, 1}, {8, 1}});
	writer.AddTrack<float>(true, 8, kAngularVelocityFunctor, false, {{0, 0}, {3, 0}});
	writer.AddDescription();
	writer.AddTrack<float>(false, 0, kPositionYFunctor, false, {{0, 0}, {2, 1}});
	writer.SetTexture("spark");
	writer.SetName("sparks");
	writer.SetLoop(true);
	return {writer.GetBytes()};
}
}

ZV2_FUZZ_TARGET(Emitter, Run, Seeds)
