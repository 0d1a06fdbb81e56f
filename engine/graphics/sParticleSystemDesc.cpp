#include "engine/graphics/sParticleSystemDesc.h"

#include "engine/foundation/StreamSerialization.h"

namespace
{
// The bytes of a colour key and the fewest of a program.
constexpr uint64_t kColorKeySize = 5 * sizeof(float);
constexpr uint64_t kSmallestProgramSize = sizeof(uint32_t) + sizeof(float) + 1;

bool ReadColorKey(cStream& stream, sColorKey& key)
{
	for (float* value : { &key.time, &key.r, &key.g, &key.b, &key.a })
		if (!StreamReadFloat(stream, *value))
			return false;
	return true;
}

bool ReadProgram(cStream& stream, sParticleProgram& program)
{
	return StreamReadString(stream, program.name) && StreamReadFloat(stream, program.duration)
		&& StreamReadBool(stream, program.loop);
}
}

bool ReadParticleSystemDesc(cStream& stream, sParticleSystemDesc& desc)
{
	sParticleSystemDesc read;
	sParticleSystemParams& params = read;
	if (stream.Read(&params, sizeof params) != sizeof params || !StreamReadString(stream, read.textureName))
		return false;
	uint32_t count = 0;
	if (!StreamReadCount(stream, count, kColorKeySize))
		return false;
	read.colorKeys.resize(count);
	for (sColorKey& key : read.colorKeys)
		if (!ReadColorKey(stream, key))
			return false;
	if (!StreamReadCount(stream, count, kSmallestProgramSize))
		return false;
	read.programs.resize(count);
	for (sParticleProgram& program : read.programs)
		if (!ReadProgram(stream, program))
			return false;
	desc = std::move(read);
	return true;
}
