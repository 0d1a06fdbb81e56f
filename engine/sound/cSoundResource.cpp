#include "engine/sound/cSoundResource.h"

#include "engine/foundation/cLog.h"
#include "engine/foundation/cSubStream.h"
#include "engine/sound/SoundDecoders.h"
#include "engine/sound/cOggStream.h"
#include "engine/sound/cWaveStream.h"

cSoundResource::cSoundResource(const std::string& name, const sResourceSource& source)
	: cIndexedResource(name, source)
{
}

cSoundResource::~cSoundResource()
{
	delete m_decoder;
}

cResource* cSoundResource::Create(const std::string& name, const sResourceSource& source)
{
	return new cSoundResource(name, source);
}

void cSoundResource::RegisterType(cResourceManager& manager)
{
	manager.RegisterType("sound", Create);
	manager.RegisterExtension("wav", "sound");
	manager.RegisterExtension("ogg", "sound");
	AddSoundDecoder(cOggStream::Create);
	AddSoundDecoder(cWaveStream::Create);
}

cStream* cSoundResource::OpenDecoderStream()
{
	sResourceSource& source = GetSource();
	if (!source.method.empty())
	{
		cMemoryStream* bytes = new cMemoryStream();
		if (source.Read(*bytes))
			return bytes;
		delete bytes;
		return nullptr;
	}
	// A window of its own, so that the decoder can own it while the source
	// keeps the file or pack entry.
	cStream* stream = source.OpenStream();
	return stream ? new cSubStream(stream, 0, stream->GetSize()) : nullptr;
}

bool cSoundResource::Load()
{
	cSoundStream* decoder = CreateSoundDecoder(OpenDecoderStream());
	if (decoder != m_decoder)
		delete m_decoder;
	m_decoder = decoder;
	if (!m_decoder)
		LOG(2, "sound %s is not a WAVE or Ogg Vorbis file it can play", GetName().c_str());
	return m_decoder != nullptr;
}

bool cSoundResource::Unload()
{
	delete m_decoder;
	m_decoder = nullptr;
	return true;
}

bool cSoundResource::IsCompressible()
{
	return GetSource().GetSize() < CompressibleBelow;
}
