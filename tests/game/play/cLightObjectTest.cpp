// The hover marker "light": made by its registered type name, its selection
// effect starts on the model of its visual when it is highlighted (by its
// property "light") and dies out when the highlight moves on.

#include "../../engine/graphics/ModelTestSupport.h"
#include "../../engine/scene/SceneTestSupport.h"

#include "engine/graphics/cParticleSystemWriter.h"
#include "game/play/GameObjectTypes.h"
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

// A visual that shows a model.
class cModelVisual : public cProbeVisual
{
public:
	cModelVisual(cSceneObject* owner, cModelController* model) : cProbeVisual(owner), m_model(model) {}
	cModelController* GetModelController() override { return m_model; }

private:
	cModelController* m_model;
};

class cLightObjectTest : public SceneTest
{
protected:
	void SetUp() override
	{
		StartGraphics(64, 48);
		SceneTest::SetUp();
		if (scene->GetObjectTypeId("light") < 0)
			RegisterLightType();
	}

	cLightObject* MakeLight(const std::string& name)
	{
		cSceneObject* object = scene->CreateObject("light", name, root());
		EXPECT_EQ(object->GetTypeName(), "light");
		return dynamic_cast<cLightObject*>(object);
	}
};
}

TEST_F(cLightObjectTest, TheHighlightedMarkerRunsTheSelectionOnItsModel)
{
	cTestResources resources;
	resources.Add("particle", "gamepanel.p_selection", SelectionBytes());
	cModel model;
	AddQuad(model, -10, -10, 10, 10);
	model.materials.push_back(Material(0, 2));
	resources.Add("model", "plate", ModelBytes(model));
	cModelController controller { cModelHandle("plate") };

	cLightObject* light = MakeLight("marker");
	cLightObject* other = MakeLight("other");
	ASSERT_TRUE(light && other);
	light->SetVisual(new cModelVisual(light, &controller));
	light->GetTransform().SetLocalMatrix(Translation(100, 50, 0));
	scene->Update(0);
	scene->Update(0.25f);
	EXPECT_FALSE(light->GetParticleSystem().IsRunning()) << "not highlighted";
	EXPECT_FLOAT_EQ(light->GetFadeCountdown(), -1.25f);
	EXPECT_FLOAT_EQ(Probe(light).updatedFor, 0.25f) << "the scene object's own update runs";

	// Any value written to "light" highlights the marker.
	light->GetProperties().SetProperty("light", "false");
	EXPECT_EQ(cLightObject::GetHighlighted(), light);
	scene->Update(0.25f);
	ASSERT_TRUE(light->GetParticleSystem().IsRunning());
	for (int frame = 0; frame < 2; ++frame)
		scene->Update(0.25f);
	const auto& particles = light->GetParticleSystem().GetParticles();
	ASSERT_EQ(particles.size(), 10u) << "two bursts since the start";
	// At random depths inside the model, around the marker's world place.
	for (const auto& particle : particles)
		EXPECT_LE(std::max(std::fabs(particle->position.x - 100), std::fabs(particle->position.y - 50)), 10.001f);

	// The highlight moves on: one more duration, then the effect is gone.
	other->GetProperties().SetProperty("light", "true");
	scene->Update(0.25f);
	EXPECT_FALSE(light->GetParticleSystem().IsLooping());
	for (int frame = 0; frame < 4; ++frame)
		scene->Update(0.25f);
	EXPECT_TRUE(light->GetParticleSystem().IsRunning());
	scene->Update(0.25f);
	EXPECT_FALSE(light->GetParticleSystem().IsRunning());
	EXPECT_TRUE(particles.empty());

	// A deleted highlighted marker leaves no highlight behind.
	delete other;
	EXPECT_EQ(cLightObject::GetHighlighted(), nullptr);
}

TEST_F(cLightObjectTest, WithoutTheSelectionResourceOrAVisualNothingRuns)
{
	cLightObject* light = MakeLight("marker");
	ASSERT_TRUE(light);
	light->GetProperties().SetProperty("light", "true");
	scene->Update(0.25f);
	EXPECT_FALSE(light->GetParticleSystem().IsRunning());
}
