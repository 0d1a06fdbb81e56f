#include "engine/graphics/cParticleSystemWriter.h"

#include "engine/foundation/StreamSerialization.h"

void cParticleSystemWriter::Write(const sParticleSystemDesc& desc)
{
	const sParticleSystemParams& params = desc;
	m_stream.Write(&params, sizeof params);
	StreamWriteString(m_stream, desc.textureName);
	StreamWriteU32(m_stream, uint32_t(desc.colorKeys.size()));
	for (const sColorKey& key : desc.colorKeys)
		for (float value : { key.time, key.r, key.g, key.b, key.a })
			StreamWriteFloat(m_stream, value);
	StreamWriteU32(m_stream, uint32_t(desc.programs.size()));
	for (const sParticleProgram& program : desc.programs)
	{
		StreamWriteString(m_stream, program.name);
		StreamWriteFloat(m_stream, program.duration);
		StreamWriteBool(m_stream, program.loop);
	}
}
