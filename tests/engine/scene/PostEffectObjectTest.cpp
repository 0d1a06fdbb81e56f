// Post-effect and motion-blur objects. This device has no shaders, so no
// effect is ever found: the objects run and leave the picture and the
// render-target stack as they were. The motion blur's velocity sampling
// is measured on its own.

#include "MotionTestSupport.h"

#include "../graphics/GraphicsTestSupport.h"

#include "engine/scene/cMotionBlur.h"
#include "engine/scene/cPostEffectVisual.h"

namespace
{
// x moves 10 units a second for 10 seconds.
std::string SlideBytes()
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddKeyTime(10);
	writer.AddPosition(0, 0, 0).AddPosition(100, 0, 0);
	writer.AddScale(0, 0, 0).AddScale(0, 0, 0);
	writer.AddColour(sColor(1, 1, 1, 1)).AddColour(sColor(1, 1, 1, 1));
	return writer.GetBytes();
}

sMotionDesc Slide()
{
	sMotionDesc clip;
	clip.name = "slide";
	clip.first = 0;
	clip.last = 10;
	clip.length = 10;
	return clip;
}
}

TEST_F(MotionTest, EffectObjectsAreNotCreatedByNameWithoutShaders)
{
	for (const char* type : { "posteffect", "motionblur" })
		EXPECT_EQ(scene->GetObjectTypeId(type), -1) << type;
	for (const char* type : { "render_target", "psystem", "emitter", "scene_light" })
		EXPECT_GE(scene->GetObjectTypeId(type), 0) << type;
}

TEST_F(MotionTest, APostEffectWithoutShadersLeavesThePictureAlone)
{
	cGraphics* graphics = StartGraphics(64, 48);
	auto* effect = cPostEffectObject::Create("effect", root());
	effect->GetProperties().SetProperty("effect", "pe_bloom, pe_blur");
	effect->GetTransform().SetColor(1, 1, 1, 0.5f);
	auto* visual = static_cast<cPostEffectObject*>(effect)->GetPostEffectVisual();
	EXPECT_TRUE(visual->GetPostEffect().GetEffects().empty());
	scene->Update(0.1f);
	EXPECT_EQ(graphics->GetRenderTargetIndex(), -1) << "no effect, no capture";

	graphics->BeginScene();
	std::unique_ptr<cTexture> white(WhiteTexture());
	std::vector<sColorTexVertex> quad = ColorQuad(0, 0, 64, 48, 0xFF336699);
	cVertexBuffer buffer;
	cCamera camera;
	SetScreenCamera(camera, 64, 48);
	camera.Apply();
	white->Bind(0);
	graphics->SetWorldMatrix(cMatrix());
	DrawColorQuads(buffer, quad);
	scene->Render();
	EXPECT_TRUE(ColorNear(ReadBackBuffer().At(32, 24), 0xFF336699));
	graphics->EndScene();
}

TEST_F(MotionTest, MotionBlurMeasuresVelocityOnlyOnceAMotionHasPlayed)
{
	StartGraphics(64, 48);
	AddMotion("slide", SlideBytes());
	auto* blur = new cMotionBlur("blur", root());
	EXPECT_EQ(blur->GetTypeName(), "motionblur");
	blur->GetProperties().SetProperty("effect", "pe_other");
	EXPECT_TRUE(blur->GetPostEffectVisual()->GetPostEffect().GetEffects().empty());

	// Moved by game code only: never enabled.
	for (int frame = 0; frame < 4; ++frame)
	{
		blur->GetTransform().SetLocalMatrix(Translation(float(frame) * 5, 0, 0));
		scene->Update(0.06f);
	}
	EXPECT_FALSE(blur->HasPrevious());
	EXPECT_EQ(blur->GetVelocity().Length(), 0);
	EXPECT_FALSE(blur->GetPostEffectVisual()->IsEnabled());

	// Moved by a motion at 10 units a second, sampled every 0.06 s: the
	// velocity points against the movement, and the smoothed one averages.
	auto* moving = new cMotionBlur("moving", root());
	moving->GetMotions().CreatePlayer("slide");
	moving->GetMotions().GetPlayer()->AddClips({ Slide() });
	moving->GetMotions().PlayByName("slide");
	scene->Update(0.06f);
	EXPECT_TRUE(moving->HasPrevious());
	EXPECT_EQ(moving->GetVelocity().Length(), 0);
	scene->Update(0.06f);
	EXPECT_NEAR(moving->GetVelocity().x, -10, 0.01);
	EXPECT_NEAR(moving->GetSmoothedVelocity().x, -5, 0.01);
	EXPECT_FALSE(moving->GetPostEffectVisual()->IsEnabled()) << "enabled by the next update";
	scene->Update(0.06f);
	EXPECT_NEAR(moving->GetSmoothedVelocity().x, -7.5, 0.01);
	EXPECT_TRUE(moving->GetPostEffectVisual()->IsEnabled());
}
