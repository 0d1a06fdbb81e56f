#pragma once
// Writes particle-system descriptions in the "psys" layout that
// ReadParticleSystemDesc reads; the reserved bytes are written as they are
// held (zero unless set).

#include "engine/graphics/sParticleSystemDesc.h"

class cParticleSystemWriter
{
public:
	explicit cParticleSystemWriter(cStream& stream) : m_stream(stream) {}

	void Write(const sParticleSystemDesc& desc);

private:
	cStream& m_stream;
};
