// A particle-system description ("psys"), read as the particle resource
// reads it, then its first programs run for a few frames each.

#include "support/FuzzTarget.h"

#include "engine/foundation/cMemoryStream.h"
#include "engine/graphics/cParticleResource.h"
#include "engine/graphics/cParticleSystem.h"
#include "engine/graphics/cParticleSystemWriter.h"

namespace
{
// A system may spawn thousands of particles a frame: two programs reach
// every path of a run.
constexpr size_t kRunPrograms = 2;

void Run(const uint8_t* data, size_t size)
{
	cParticleResource resource("fuzzed", MemorySource(data, size));
	if (!resource.Load())
		return;
	const sParticleSystemDesc& description = resource.GetDescription();
	for (size_t i = 0; i < description.programs.size() && i < kRunPrograms; ++i)
	{
		cParticleSystem system(&description);
		system.Start(description.programs[i].name);
		for (int frame = 0; frame < 4 && system.IsRunning(); ++frame)
			system.Update(0.25f);
	}
}

std::vector<std::string> Seeds()
{
	sParticleSystemDesc desc;
	desc.count = 3;
	desc.interval = 0.25f;
	desc.rotationFactor = 1;
	desc.windowLength = 10;
	desc.lifetime = 0.5f;
	desc.lifetimeVariation = 0.2f;
	desc.speed = 1;
	desc.size = 16;
	desc.rotationPeriod = 2;
	desc.polarSpread = 0.5f;
	desc.acceleration = cVector3d(0, -1, 0);
	desc.fadeIn = 0.1f;
	desc.fadeOut = 0.1f;
	desc.textureName = "spark";
	desc.colorKeys = {{0, 1, 0, 0, 1}, {0.5f, 1, 1, 0, 1}, {1, 0, 0, 1, 0}};
	desc.programs = {{"start", 10, true}, {"burst", 1, false}};
	cMemoryStream out;
	cParticleSystemWriter(out).Write(desc);
	return {StreamBytes(out)};
}
}

ZV2_FUZZ_TARGET(ParticleSystem, Run, Seeds)
