#include "engine/graphics/cEmitterWriter.h"

#include "engine/animation/cTrackBase.h"
#include "engine/graphics/cTrackFactory.h"
#include "engine/graphics/sEmitterDesc.h"

#include <memory>

void cEmitterWriter::AddDescription()
{
	m_set.descriptions.push_back(new sEmitterDesc);
}

bool cEmitterWriter::AddTrackBytes(bool particleList, int kind, int functor, bool alternative, cMemoryStream& keys)
{
	std::unique_ptr<cTrackBase> track(Singletone<cTrackFactory>::GetInstance()->CreateTrack(kind, functor, alternative));
	keys.Seek(0, cStream::FromStart);
	// Keys of another value type would not read back as the bytes written.
	if (!track || !track->Read(keys) || !keys.IsEnd())
		return false;
	if (m_set.descriptions.empty())
		AddDescription();
	sEmitterDesc& description = *m_set.descriptions.back();
	(particleList ? description.particleTracks : description.emitterTracks).push_back(track.release());
	return true;
}

void cEmitterWriter::Write(cStream& out) const
{
	m_set.Write(out);
}

std::string cEmitterWriter::GetBytes() const
{
	cMemoryStream bytes;
	Write(bytes);
	return std::string(reinterpret_cast<const char*>(bytes.GetData()), bytes.GetSize());
}
