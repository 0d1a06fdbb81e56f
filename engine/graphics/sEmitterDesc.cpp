#include "engine/graphics/sEmitterDesc.h"

#include "engine/animation/TrackFunctors.h"
#include "engine/animation/cTrackBase.h"
#include "engine/animation/cTrackFactory.h"
#include "engine/foundation/StreamSerialization.h"

#include <algorithm>

namespace
{
// The smallest track record: functor, kind, flag and an empty key list.
constexpr uint64_t kSmallestTrackRecord = 4 + 4 + 1 + 4;

void WriteTrackList(cStream& stream, const std::vector<cTrackBase*>& list)
{
	StreamWriteU32(stream, uint32_t(list.size()));
	for (const cTrackBase* track : list)
	{
		StreamWriteU32(stream, uint32_t(track->GetFunctor()));
		StreamWriteU32(stream, uint32_t(track->GetKind()));
		const uint8_t flag = track->IsAlternative() ? 1 : 0;
		stream.Write(&flag, 1);
		track->Write(stream);
	}
}

// A vector field and its three per-axis functors.
struct sVectorFunctors
{
	cVector3d sParticle::*field;
	int whole;
	int axes[3];
};

constexpr sVectorFunctors kVectorFunctors[] = {
	{ &sParticle::position, kPositionFunctor, { kPositionXFunctor, kPositionYFunctor, kPositionZFunctor } },
	{ &sParticle::velocity, kVelocityFunctor, { kVelocityXFunctor, kVelocityYFunctor, kVelocityZFunctor } },
	{ &sParticle::acceleration, kAccelerationFunctor,
		{ kAccelerationXFunctor, kAccelerationYFunctor, kAccelerationZFunctor } },
};

// The float fields of the own particle that a track may drive, with the
// default each takes when none does.
struct sFloatFunctor
{
	float sParticle::*field;
	int functor;
	float fallback;
};

constexpr sFloatFunctor kFloatFunctors[] = {
	{ &sParticle::angle, kAngleFunctor, 0.0f },
	{ &sParticle::angularVelocity, kAngularVelocityFunctor, 0.0f },
	{ &sParticle::angularAcceleration, kAngularAccelerationFunctor, 0.0f },
	{ &sParticle::mass, kMassFunctor, 1.0f },
	{ &sParticle::scale, kScaleFunctor, 100.0f },
	{ &sParticle::lifetime, kLifeTimeFunctor, 1.0f },
};
}

sEmitterDesc::~sEmitterDesc()
{
	Clear();
}

void sEmitterDesc::Clear()
{
	for (std::vector<cTrackBase*>* list : { &emitterTracks, &particleTracks })
	{
		for (cTrackBase* track : *list)
			delete track;
		list->clear();
	}
	for (std::vector<cTrackBase*>& choices : alternatives)
		choices.clear();
	functors.reset();
	duration = 0.0f;
}

bool sEmitterDesc::Read(cStream& stream)
{
	Clear();
	if (!ReadTrackList(stream, emitterTracks) || !ReadTrackList(stream, particleTracks))
	{
		Clear();
		return false;
	}
	NumberTracks();
	return true;
}

bool sEmitterDesc::ReadTrackList(cStream& stream, std::vector<cTrackBase*>& list)
{
	uint32_t count = 0;
	if (!StreamReadCount(stream, count, kSmallestTrackRecord))
		return false;
	list.reserve(count);
	for (uint32_t i = 0; i < count; ++i)
	{
		uint32_t functor = 0;
		uint32_t kind = 0;
		uint8_t flag = 0;
		if (!StreamReadU32(stream, functor) || !StreamReadU32(stream, kind) || stream.Read(&flag, 1) != 1)
			return false;
		// Validated before anything is built: the key layout that follows
		// depends on the functor, so a bad record ends the file.
		if (functor >= uint32_t(kTrackFunctorCount) || kind >= uint32_t(kTrackKindCount))
			return false;
		functors.set(functor);
		cTrackBase* track = Singletone<cTrackFactory>::GetInstance()->CreateTrack(int(kind), int(functor), flag != 0);
		list.push_back(track);
		if (!track->Read(stream))
			return false;
	}
	return true;
}

void sEmitterDesc::Write(cStream& stream) const
{
	WriteTrackList(stream, emitterTracks);
	WriteTrackList(stream, particleTracks);
}

void sEmitterDesc::NumberTracks()
{
	duration = 0.0f;
	int slot = 0;
	for (cTrackBase* track : emitterTracks)
	{
		duration = std::max(duration, track->GetMaxTime());
		if (track->GetKind() == 1 || track->GetKind() == 4)
			track->SetRandomSlot(slot++);
	}
	for (std::vector<cTrackBase*>& choices : alternatives)
		choices.clear();
	slot = 0;
	for (cTrackBase* track : particleTracks)
	{
		if (track->IsAlternative())
		{
			std::vector<cTrackBase*>& choices = alternatives[track->GetFunctor()];
			track->SetAlternativeIndex(int(choices.size()));
			choices.push_back(track);
		}
		if (track->GetKind() == 7)
			track->SetRandomSlot(slot++);
	}
}

bool sEmitterDesc::AppliesParticlesInRuns() const
{
	const auto onParticles = [](const cTrackBase* track) { return track->GetKind() >= kFirstParticleKind; };
	const auto drawsPerParticle = [](const cTrackBase* track) { return track->GetKind() == kDrawnParticleKind; };
	return std::none_of(emitterTracks.begin(), emitterTracks.end(), onParticles) &&
		std::all_of(particleTracks.begin(), particleTracks.end(), onParticles) &&
		std::count_if(particleTracks.begin(), particleTracks.end(), drawsPerParticle) <= 1;
}

void sEmitterDesc::ApplyDefaults(sParticle& own) const
{
	for (const sFloatFunctor& entry : kFloatFunctors)
		if (!HasFunctor(entry.functor))
			own.*entry.field = entry.fallback;
	if (!HasFunctor(kColorFunctor))
		own.color = sColor(1, 1, 1, 1);
	for (const sVectorFunctors& entry : kVectorFunctors)
	{
		if (HasFunctor(entry.whole))
			continue;
		cVector3d& field = own.*entry.field;
		float* axes[3] = { &field.x, &field.y, &field.z };
		for (int axis = 0; axis < 3; ++axis)
			if (!HasFunctor(entry.axes[axis]))
				*axes[axis] = 0.0f;
	}
}

void sEmitterDesc::ResetEmitterValues(sParticle& own) const
{
	for (const sVectorFunctors& entry : kVectorFunctors)
		if (HasFunctor(entry.whole) || HasFunctor(entry.axes[0]) || HasFunctor(entry.axes[1]) ||
			HasFunctor(entry.axes[2]))
			own.*entry.field = cVector3d();
	for (const sFloatFunctor& entry : kFloatFunctors)
		if (HasFunctor(entry.functor))
			own.*entry.field = 0.0f;
}
