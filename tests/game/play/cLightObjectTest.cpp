// The hover marker's selection effect: it starts on the marker's model
// when the marker is highlighted and dies out when the highlight moves on.

#include "../../engine/graphics/ModelTestSupport.h"

#include "engine/graphics/cParticleSystemWriter.h"
#include "game/play/cLightObject.h"

#include <cmath>

namespace
{
tBytes SelectionBytes()
{
	sParticleSystemDesc desc;
	desc.count = 5;
	desc.interval = 0.25f;
	desc.windowLength = 1;
	desc.lifetime = 1;
	desc.size = 4;
	desc.programs = { { "start", 1, true } };
	cMemoryStream stream;
	cParticleSystemWriter(stream).Write(desc);
	return tBytes(stream.GetData(), stream.GetData() + stream.GetSize());
}
}

TEST(cLightObject, TheHighlightedMarkerRunsTheSelectionOnItsModel)
{
	StartGraphics(64, 48);
	cTestResources resources;
	resources.Add("particle", "gamepanel.p_selection", SelectionBytes());
	cModel model;
	AddQuad(model, -10, -10, 10, 10);
	model.materials.push_back(Material(0, 2));
	resources.Add("model", "plate", ModelBytes(model));
	cModelController controller { cModelHandle("plate") };

	cLightObject light;
	cLightObject other;
	light.SetModel(&controller);
	cMatrix world;
	world.MakeTranslation(cVector3d(100, 50, 0));
	light.SetWorldMatrix(world);
	light.Update(0.25f);
	EXPECT_FALSE(light.GetParticleSystem().IsRunning()) << "not highlighted";
	EXPECT_FLOAT_EQ(light.GetFadeCountdown(), -1.25f);

	light.OnLightSet();
	EXPECT_EQ(cLightObject::GetHighlighted(), &light);
	light.Update(0.25f);
	ASSERT_TRUE(light.GetParticleSystem().IsRunning());
	for (int frame = 0; frame < 2; ++frame)
		light.Update(0.25f);
	const auto& particles = light.GetParticleSystem().GetParticles();
	ASSERT_EQ(particles.size(), 10u) << "two bursts since the start";
	// At random depths inside the model, around the marker.
	for (const auto& particle : particles)
		EXPECT_LE(std::max(std::fabs(particle->position.x - 100), std::fabs(particle->position.y - 50)), 10.001f);

	// The highlight moves on: one more duration, then the effect is gone.
	other.OnLightSet();
	light.Update(0.25f);
	EXPECT_FALSE(light.GetParticleSystem().IsLooping());
	for (int frame = 0; frame < 4; ++frame)
		light.Update(0.25f);
	EXPECT_TRUE(light.GetParticleSystem().IsRunning());
	light.Update(0.25f);
	EXPECT_FALSE(light.GetParticleSystem().IsRunning());
	EXPECT_TRUE(particles.empty());
}

TEST(cLightObject, WithoutTheSelectionResourceNothingRuns)
{
	StartGraphics(64, 48);
	cLightObject light;
	light.OnLightSet();
	light.Update(0.25f);
	EXPECT_FALSE(light.GetParticleSystem().IsRunning());
}
