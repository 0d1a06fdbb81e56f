// Render-target objects: a subtree captured into a texture while the
// object's animation plays, drawn as one picture in the object's colour
// and read back; and objects drawing vertex buffers that game code fills.

#include "ScreenSquares.h"

#include "../graphics/ModelTestSupport.h"

#include "engine/graphics/cTextureResource.h"
#include "engine/scene/cGameVbObject.h"
#include "engine/scene/cRenderTargetObject.h"
#include "engine/scene/cRenderTargetVisual.h"

namespace
{
// A full-screen quad whose first material has a texture stage, with a
// looping texture animation "fade" that stays on the whole texture.
tBytes ScreenModel()
{
	cModel model;
	AddQuad(model, 0, 0, 1024, 768);
	model.materials = { Material(0, 2, { "white" }) };
	model.textureAnimation.frameCount = 1;
	model.textureAnimation.framesPerRow = 1;
	model.textureAnimation.animations["fade"] = { 0, 0, 10, true };
	return ModelBytes(model);
}

class RenderTargetTest : public SceneTest
{
protected:
	void SetUp() override
	{
		SceneTest::SetUp();
		graphics = StartGraphics(1024, 768);
		white.reset(WhiteTexture());
		resources.Add("texture", "white", DdsFile(1, 1, { 0xFFFFFFFF }));
		resources.Add("model", "screen", ScreenModel());
		screen = new cScreenCameraObject("camera", root());
		SetScreenCamera(screen->camera);
		screen->camera.SetDepthTest(false);
	}

	sPixels Render()
	{
		graphics->BeginScene();
		// The squares draw with whatever stage 0 holds.
		white->Bind(0);
		scene->Render();
		sPixels pixels = ReadBackBuffer();
		graphics->EndScene();
		return pixels;
	}

	bool Queued(cSceneObject* object)
	{
		for (const sDrawEntry& entry : scene->GetDrawQueue())
			if (entry.object == object)
				return true;
		return false;
	}

	cGraphics* graphics = nullptr;
	cTestResources resources;
	cScreenCameraObject* screen = nullptr;
	std::unique_ptr<cTexture> white;
};
}

TEST_F(RenderTargetTest, ThePlayingSubtreeIsCapturedAndDrawnAsOnePictureInTheObjectsColour)
{
	cSceneObject* object = scene->CreateObject("render_target", "rt", screen);
	auto* target = static_cast<cRenderTargetObject*>(object);
	ASSERT_EQ(object->GetTypeName(), "render_target");
	EXPECT_EQ(object->GetSortKey(), 10);
	EXPECT_EQ(object->GetProperties().GetProperty("fill_color"), "3158064");
	object->SetModel("screen");
	cSceneObject* red = Square("red", object, 100, 100, 0, 100, sColor(1, 0, 0, 1));
	scene->Update(0);

	// Not playing: the children draw themselves.
	EXPECT_FALSE(target->IsActive());
	sPixels pixels = Render();
	EXPECT_TRUE(Queued(red));
	EXPECT_TRUE(ColorNear(At(pixels, 150, 150), 0xFFFF0000));
	EXPECT_TRUE(ColorNear(At(pixels, 500, 500), 0xFF000000)) << "the object draws nothing itself";

	// Playing, at half alpha, cleared to opaque blue: only the object is
	// queued, the square is inside its picture, and the picture is drawn
	// once at the object's alpha.
	object->GetProperties().SetProperty("fill_color", "ff0000ff");
	EXPECT_EQ(target->GetFillColor(), 0xFF0000FFu);
	object->GetTransform().SetColor(1, 1, 1, 0.5f);
	object->GetVisual()->PlayAnimation("fade");
	scene->Update(0.1f);
	ASSERT_TRUE(target->IsActive());
	EXPECT_FLOAT_EQ(target->GetRenderTargetVisual()->GetColor().a, 0.5f);
	EXPECT_FLOAT_EQ(red->GetTransform().GetEffectiveColor().a, 1) << "the subtree draws in the parent's colours";
	pixels = Render();
	EXPECT_TRUE(Queued(object));
	EXPECT_FALSE(Queued(red));
	EXPECT_TRUE(ColorNear(At(pixels, 150, 150), 0xFF7F0000, 3));
	EXPECT_TRUE(ColorNear(At(pixels, 500, 500), 0xFF00007F, 3));
	EXPECT_EQ(graphics->GetRenderTargetIndex(), -1) << "the capture's target is popped";
	EXPECT_EQ(graphics->GetCurrentCamera(), &screen->camera);

	// "force" off: the children draw directly again, animation or not.
	object->GetProperties().SetProperty("force", "false");
	scene->Update(0.1f);
	pixels = Render();
	EXPECT_TRUE(Queued(red));
	EXPECT_TRUE(ColorNear(At(pixels, 150, 150), 0xFFFF0000));
	EXPECT_TRUE(ColorNear(At(pixels, 500, 500), 0xFF000000));
}

TEST_F(RenderTargetTest, WithoutAModelTheObjectNeverCaptures)
{
	cSceneObject* object = scene->CreateObject("render_target", "rt", screen);
	object->SetModel("missing");
	Square("red", object, 100, 100, 0, 100, sColor(1, 0, 0, 1));
	object->GetVisual()->PlayAnimation("fade");
	scene->Update(0.1f);
	EXPECT_FALSE(static_cast<cRenderTargetObject*>(object)->IsActive());
	EXPECT_TRUE(object->GetTransform().GetLocalBox().min.x > object->GetTransform().GetLocalBox().max.x)
		<< "the empty box";
	EXPECT_TRUE(ColorNear(At(Render(), 150, 150), 0xFFFF0000));
}

TEST_F(RenderTargetTest, AGameVertexBufferDrawsWholeTrianglesWithItsTexture)
{
	resources.Add("texture", "laser", DdsFile(1, 1, { 0xFF00FF00 }));
	auto* beam = new cGameVbObject("beam", screen);
	EXPECT_EQ(beam->GetTypeName(), "game_vb");
	EXPECT_EQ(scene->GetObjectTypeId("game_vb"), -1) << "made by game code only";
	beam->SetTexture(cResourceManager::GetResourceByName<cTextureResource>("laser"));
	beam->GetTransform().SetLocalMatrix(Translation(100, 100, 0));
	scene->Update(0);

	// Nothing to draw yet.
	EXPECT_TRUE(ColorNear(At(Render(), 110, 190), 0xFF000000));

	// Five vertices: one triangle, the two left over are not drawn.
	cVertexBuffer& buffer = beam->GetVertexBuffer();
	buffer.SetFormat(kFvfTex, nullptr, 0);
	const sTexVertex vertices[5] = { { 0, 100, 0, 0, 0 }, { 100, 100, 0, 1, 0 }, { 0, 0, 0, 0, 1 },
		{ 200, 100, 0, 0, 0 }, { 300, 100, 0, 1, 0 } };
	buffer.SetData(vertices, 5);
	graphics->BeginScene();
	scene->Render();
	const sPixels pixels = ReadBackBuffer();
	EXPECT_EQ(GraphicsDeviceState().triangleCount, 1);
	graphics->EndScene();
	EXPECT_TRUE(ColorNear(At(pixels, 110, 190), 0xFF00FF00)) << "at the object's place, textured";
	EXPECT_TRUE(ColorNear(At(pixels, 190, 110), 0xFF000000));
	EXPECT_TRUE(ColorNear(At(pixels, 320, 190), 0xFF000000));
}
