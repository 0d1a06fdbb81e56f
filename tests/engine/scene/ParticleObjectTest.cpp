// Particle-system and emitter objects playing in a scene: files written by
// the project's writers, loaded by name through the objects' properties,
// driven through the visuals' animation interface and read back from the
// back buffer.

#include "ScreenSquares.h"

#include "../graphics/ModelTestSupport.h"

#include "engine/graphics/TrackFunctors.h"
#include "engine/graphics/cEmitterGroup.h"
#include "engine/graphics/cEmitterWriter.h"
#include "engine/graphics/cParticleSystem.h"
#include "engine/graphics/cParticleSystemWriter.h"
#include "engine/scene/cEmitterObject.h"
#include "engine/scene/cParticleSystemVisual.h"
#include "engine/scene/sCastQuery.h"

#include <cmath>

namespace
{
// Three red particles 16 units wide every half second, standing still,
// living a second; "start" loops over 10 s, "burst" runs once for 2 s.
tBytes SparksFile()
{
	sParticleSystemDesc desc;
	desc.count = 3;
	desc.interval = 0.5f;
	desc.rotationFactor = 1;
	desc.windowLength = 10;
	desc.lifetime = 1;
	desc.size = 16;
	desc.textureName = "white";
	desc.colorKeys = { { 0, 1, 0, 0, 1 }, { 1, 1, 0, 0, 1 } };
	desc.programs = { { "start", 10, true }, { "burst", 2, false } };
	cMemoryStream stream;
	cParticleSystemWriter(stream).Write(desc);
	return tBytes(stream.GetData(), stream.GetData() + stream.GetSize());
}

// "smoke": green quads 100 units wide spawned continuously, standing
// still, over a natural length of 4 s. "flat": no track, so no length.
tBytes SmokeFile()
{
	cEmitterWriter writer;
	writer.AddTrack<cVector3d>(false, 0, kVelocityFunctor, false,
		{ { cVector3d(0, 0, 0), 0 }, { cVector3d(0, 0, 0), 4 } });
	writer.SetTexture("green");
	writer.SetName("smoke");
	const std::string bytes = writer.GetBytes();
	return tBytes(bytes.begin(), bytes.end());
}

tBytes FlatFile()
{
	cEmitterWriter writer;
	writer.AddDescription();
	writer.SetName("flat");
	writer.SetLoop(true);
	const std::string bytes = writer.GetBytes();
	return tBytes(bytes.begin(), bytes.end());
}

class ParticleObjectTest : public SceneTest
{
protected:
	void SetUp() override
	{
		SceneTest::SetUp();
		graphics = StartGraphics(1024, 768);
		resources.Add("texture", "white", DdsFile(1, 1, { 0xFFFFFFFF }));
		resources.Add("texture", "green", DdsFile(1, 1, { 0xFF00FF00 }));
		resources.Add("particle", "sparks", SparksFile());
		resources.Add("emitter", "smoke", SmokeFile());
		resources.Add("emitter", "flat", FlatFile());
		screen = new cScreenCameraObject("camera", root());
		SetScreenCamera(screen->camera);
	}

	cSceneObject* Make(const std::string& type, const std::string& property, const std::string& name,
		cSceneObject* parent)
	{
		cSceneObject* object = scene->CreateObject(type, "fx", parent);
		object->GetProperties().SetProperty(property, name);
		object->GetTransform().SetLocalMatrix(Translation(300, 300, 0));
		return object;
	}

	sPixels Render()
	{
		graphics->BeginScene();
		scene->Render();
		sPixels pixels = ReadBackBuffer();
		graphics->EndScene();
		return pixels;
	}

	cGraphics* graphics = nullptr;
	cTestResources resources;
	cScreenCameraObject* screen = nullptr;
};
}

TEST_F(ParticleObjectTest, AParticleObjectPlaysItsProgramAtTheObject)
{
	cSceneObject* object = Make("psystem", "particles", "sparks", screen);
	EXPECT_EQ(object->GetTypeName(), "psystem");
	EXPECT_EQ(object->GetSortKey(), 100);
	cVisual* visual = object->GetVisual();
	cParticleSystem* system = visual->GetParticleSystem();
	ASSERT_NE(system, nullptr);
	visual->PlayAnimation("none");
	EXPECT_FALSE(visual->IsAnimationPlaying());
	visual->PlayAnimation("start");
	EXPECT_TRUE(visual->IsAnimationPlaying());
	EXPECT_TRUE(visual->IsAnimationLooping());
	EXPECT_FLOAT_EQ(visual->GetAnimationLength(), 10);

	// Half a second brings the first burst, but not in the first update,
	// which only arms the next.
	scene->Update(0.5f);
	EXPECT_TRUE(system->GetParticles().empty());
	scene->Update(0.5f);
	ASSERT_EQ(system->GetParticles().size(), 3u);
	sPixels pixels = Render();
	EXPECT_TRUE(ColorNear(At(pixels, 300, 300), 0xFFFF0000));
	EXPECT_TRUE(ColorNear(At(pixels, 320, 300), 0xFF000000));

	// Stopping a looping program leaves one more duration; the looping flag
	// and the duration follow the parameters whatever their names.
	visual->StopAnimation();
	EXPECT_FALSE(visual->IsAnimationLooping());
	EXPECT_FLOAT_EQ(visual->GetAnimationTime(), 10);
	visual->SetAnimatorParam("anything", 0.5f);
	EXPECT_FLOAT_EQ(visual->GetAnimationLength(), 0.5f);
	visual->StopAnimation();
	EXPECT_FLOAT_EQ(visual->GetAnimationTime(), 0.5f) << "a program that does not loop is left alone";
	scene->Update(0.6f);
	EXPECT_FALSE(visual->IsAnimationPlaying());
	visual->SetAnimationParam("whatever", 1);
	EXPECT_TRUE(visual->IsAnimationLooping());
}

TEST_F(ParticleObjectTest, ParentModeWorksWithAndWithoutAParentModel)
{
	// A plain parent, and no parent at all: the program plays at the
	// object's own place.
	auto* plain = new cSceneObject("plain", screen);
	cSceneObject* under = Make("psystem", "particles", "sparks", plain);
	cSceneObject* alone = Make("psystem", "particles", "sparks", nullptr);
	for (cSceneObject* object : { under, alone })
	{
		object->GetProperties().SetProperty("mode", "parent");
		auto* visual = static_cast<cParticleSystemVisual*>(object->GetVisual());
		EXPECT_TRUE(visual->IsParentMode());
		visual->PlayAnimation("burst");
		EXPECT_TRUE(visual->IsAnimationPlaying());
	}
	scene->Update(0);
	scene->Update(0.5f);
	ASSERT_EQ(under->GetVisual()->GetParticleSystem()->GetParticles().size(), 3u);
	delete alone;

	// A parent with a model: the particles spawn around it.
	cSceneObject* holder = scene->CreateObject("render_target", "holder", screen);
	cModel model;
	AddQuad(model, 0, 0, 50, 50);
	resources.Add("model", "pad", ModelBytes(model));
	holder->SetModel("pad");
	cSceneObject* onModel = Make("psystem", "particles", "sparks", holder);
	onModel->GetProperties().SetProperty("mode", "parent");
	onModel->GetVisual()->PlayAnimation("burst");
	scene->Update(0);
	scene->Update(0.5f);
	const auto& particles = onModel->GetVisual()->GetParticleSystem()->GetParticles();
	ASSERT_FALSE(particles.empty());

	// Any other mode turns parent mode off.
	onModel->GetProperties().SetProperty("mode", "");
	EXPECT_FALSE(static_cast<cParticleSystemVisual*>(onModel->GetVisual())->IsParentMode());
}

TEST_F(ParticleObjectTest, AMissingParticleResourceLeavesNoSystem)
{
	cSceneObject* object = Make("psystem", "particles", "nothing", screen);
	cVisual* visual = object->GetVisual();
	EXPECT_EQ(visual->GetParticleSystem(), nullptr);
	visual->PlayAnimation("start");
	visual->StopAnimation();
	EXPECT_FALSE(visual->IsAnimationPlaying());
	EXPECT_EQ(visual->GetAnimationLength(), 0);
	scene->Update(0.5f);
	scene->Update(0.5f);
	EXPECT_TRUE(ColorNear(At(Render(), 300, 300), 0xFF000000));
}

TEST_F(ParticleObjectTest, AnEmitterObjectPlaysUnderItsOwnNameAtTheObject)
{
	cSceneObject* object = Make("emitter", "emitter", "smoke", screen);
	EXPECT_EQ(object->GetTypeName(), "emitter");
	sCastQuery query { cEmitterObject::kCastKind };
	object->AcceptCast(query);
	EXPECT_EQ(query.result, object);
	cVisual* visual = object->GetVisual();
	cEmitterGroup* group = visual->GetEmitterGroup();
	ASSERT_NE(group, nullptr);
	EXPECT_EQ(visual->GetAnimationName(), "smoke");
	EXPECT_TRUE(visual->IsCurrentAnimation("smoke"));
	EXPECT_FALSE(visual->IsCurrentAnimation("fire"));
	EXPECT_FLOAT_EQ(visual->GetAnimationLength(), 4);

	visual->PlayAnimation("fire");
	EXPECT_FALSE(visual->IsAnimationPlaying());
	visual->PlayAnimation("smoke");
	EXPECT_TRUE(visual->IsNamedAnimationPlaying("smoke"));
	EXPECT_FALSE(visual->IsNamedAnimationPlaying("fire"));
	visual->SetAnimationParam("fire", 1);
	EXPECT_FALSE(visual->IsAnimationLooping());
	visual->SetAnimationParam("smoke", 1);
	EXPECT_TRUE(visual->IsAnimationLooping());
	// Lasting 2 s instead of 4: time runs at twice the speed.
	visual->SetAnimatorParam("smoke", 2);
	EXPECT_FLOAT_EQ(group->GetTimeScale(), 0.5f);
	EXPECT_FLOAT_EQ(visual->GetAnimationLength(), 2);

	// The first update neither moves nor runs the group.
	scene->Update(0.25f);
	EXPECT_EQ(group->GetElapsed(), 0);
	EXPECT_EQ(group->GetParticleCount(), 0);
	for (int frame = 0; frame < 2; ++frame)
		scene->Update(0.25f);
	EXPECT_FLOAT_EQ(visual->GetAnimationTime(), 0.25f);
	EXPECT_GT(group->GetParticleCount(), 0);
	EXPECT_FLOAT_EQ(group->GetPosition().x, 300);
	sPixels pixels = Render();
	EXPECT_TRUE(ColorNear(At(pixels, 300, 300), 0xFF00FF00));
	EXPECT_TRUE(ColorNear(At(pixels, 400, 300), 0xFF000000));

	visual->StopAnimation();
	EXPECT_FALSE(visual->IsAnimationPlaying());
}

TEST_F(ParticleObjectTest, EmitterPropertiesAndAnEffectWithoutLength)
{
	// A shader written first is given to the group the emitter builds (no
	// shader exists here: the group draws without one).
	cSceneObject* object = scene->CreateObject("emitter", "fx", screen);
	object->GetProperties().SetProperty("shader", "glow");
	object->GetProperties().SetProperty("emitter", "flat");
	cVisual* visual = object->GetVisual();
	cEmitterGroup* group = visual->GetEmitterGroup();
	ASSERT_NE(group, nullptr);
	EXPECT_TRUE(group->GetLoop()) << "the file's loop flag";

	// A length from a scene description cannot scale an effect without one.
	visual->SetAnimatorParam("flat", 2);
	EXPECT_EQ(group->GetTimeScale(), 1);
	visual->PlayAnimation("flat");
	for (int frame = 0; frame < 3; ++frame)
		scene->Update(0.25f);
	EXPECT_TRUE(std::isfinite(group->GetElapsed()));
	EXPECT_TRUE(std::isfinite(visual->GetAnimationLength()));

	// A missing resource leaves no group.
	object->GetProperties().SetProperty("emitter", "nothing");
	EXPECT_EQ(visual->GetEmitterGroup(), nullptr);
	EXPECT_EQ(visual->GetAnimationName(), "");
	EXPECT_FALSE(visual->IsCurrentAnimation(""));
	scene->Update(0.25f);
	Render();
}
