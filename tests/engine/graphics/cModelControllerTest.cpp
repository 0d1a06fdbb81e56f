// Model controllers: drawing with materials and textures (pixels read
// back), binding models and animators, copies, and picking with rays.

#include "ModelTestSupport.h"

#include "engine/graphics/cModelResource.h"

namespace
{
constexpr D3DCOLOR kRed = 0xFFFF0000;
constexpr D3DCOLOR kGreen = 0xFF00FF00;
constexpr D3DCOLOR kBlue = 0xFF0000FF;

// Draws the controller on a 64 by 48 screen and reads the pixels back.
sPixels DrawOnScreen(cModelController& controller, const sColor& color)
{
	cGraphics* graphics = cGraphics::GetInstance();
	cCamera camera;
	SetScreenCamera(camera, 64, 48);
	graphics->BeginScene();
	camera.Apply();
	graphics->SetWorldMatrix(cMatrix::Identity());
	controller.Draw(color);
	sPixels pixels = ReadBackBuffer();
	graphics->EndScene();
	return pixels;
}

// A pixel in screen coordinates with y growing upward.
D3DCOLOR At(const sPixels& pixels, UINT x, UINT y)
{
	return pixels.At(x, pixels.height - 1 - y);
}

cModelHandle HandleOf(cTestResources& resources, const std::string& name, const cModel& model)
{
	resources.Add("model", name, ModelBytes(model));
	return cModelHandle(name);
}

sRay Ray(cVector3d origin, cVector3d direction)
{
	return sRay { origin, direction };
}
}

TEST(cModelController, DrawsATexturedQuadInTheColour)
{
	StartGraphics(64, 48);
	cTestResources resources;
	resources.Add("texture", "rock", DdsFile(2, 1, { kRed, kGreen }));
	cModel model;
	AddQuad(model, 8, 8, 56, 40);
	model.materials.push_back(Material(0, 2, { "Textures\\Rock.DDS" }));
	cModelController controller(HandleOf(resources, "quad", model));
	ASSERT_EQ(1u, controller.GetMaterials().size());
	EXPECT_EQ("rock", controller.GetMaterials()[0].GetTextureName(0));
	EXPECT_EQ(nullptr, controller.GetAnimator()) << "a static mesh has no animator";

	sPixels pixels = DrawOnScreen(controller, sColor(1, 1, 1, 1));
	EXPECT_TRUE(ColorNear(At(pixels, 20, 24), kRed));
	EXPECT_TRUE(ColorNear(At(pixels, 44, 24), kGreen));
	EXPECT_TRUE(ColorNear(At(pixels, 4, 24), 0xFF000000)) << "outside the quad";

	// Lighting off: the colour is the texture factor that tints the texels.
	pixels = DrawOnScreen(controller, sColor(1, 0.5f, 0, 1));
	EXPECT_TRUE(ColorNear(At(pixels, 20, 24), kRed));
	EXPECT_TRUE(ColorNear(At(pixels, 44, 24), 0xFF007F00));

	// The offset moves the texture by half its width (it wraps).
	controller.SetTextureOffset(0.5f, 0);
	pixels = DrawOnScreen(controller, sColor(1, 1, 1, 1));
	EXPECT_TRUE(ColorNear(At(pixels, 20, 24), kGreen));
	EXPECT_TRUE(ColorNear(At(pixels, 44, 24), kRed));
}

TEST(cModelController, DrawsEachMaterialWithItsTexture)
{
	StartGraphics(64, 48);
	cTestResources resources;
	resources.Add("texture", "red", DdsFile(1, 1, { kRed }));
	resources.Add("texture", "blue", DdsFile(1, 1, { kBlue }));
	cModel model;
	AddQuad(model, 4, 8, 28, 40);
	AddQuad(model, 36, 8, 60, 40);
	model.materials = { Material(0, 2, { "red" }), Material(6, 2, { "blue" }) };
	cModelController controller(HandleOf(resources, "pair", model));

	const sPixels pixels = DrawOnScreen(controller, sColor(1, 1, 1, 1));
	EXPECT_EQ(2, GraphicsDeviceState().drawCallCount);
	EXPECT_EQ(4, GraphicsDeviceState().triangleCount);
	EXPECT_TRUE(ColorNear(At(pixels, 16, 24), kRed));
	EXPECT_TRUE(ColorNear(At(pixels, 48, 24), kBlue));
	EXPECT_TRUE(ColorNear(At(pixels, 32, 24), 0xFF000000));

	// An override texture replaces the material's own.
	std::unique_ptr<cTexture> white(WhiteTexture());
	controller.GetMaterials()[1].SetTexture(0, white.get());
	// Stage 1 lies past the material's one texture name: ignored.
	controller.GetMaterials()[1].SetTexture(1, white.get());
	EXPECT_EQ(nullptr, controller.GetMaterials()[1].GetStageTexture(1));
	EXPECT_TRUE(ColorNear(At(DrawOnScreen(controller, sColor(1, 1, 1, 1)), 48, 24), 0xFFFFFFFF));
}

TEST(cModelController, MaterialsBindAtMostTheDevicesEightStages)
{
	StartGraphics(64, 48);
	sModelMaterial material = Material(0, 0, std::vector<std::string>(10, "unknown"));
	testing::internal::CaptureStderr();
	cMaterialController controller(material);
	testing::internal::GetCapturedStderr();
	std::vector<std::unique_ptr<cTexture>> textures;
	for (unsigned stage = 0; stage < 10; ++stage)
	{
		textures.emplace_back(WhiteTexture());
		controller.SetTexture(stage, textures.back().get());
	}
	controller.Apply();
	for (DWORD stage = 0; stage < 8; ++stage)
	{
		IDirect3DBaseTexture9* bound = nullptr;
		cGraphics::GetDevice()->GetTexture(stage, &bound);
		EXPECT_EQ(textures[stage]->GetTexture(), bound) << stage;
		if (bound)
			bound->Release();
	}
}

TEST(cModelController, TheModelsAnimationDataChoosesTheAnimator)
{
	StartGraphics(64, 48);
	cTestResources resources;
	cModel plain;
	AddQuad(plain, 0, 0, 1, 1);
	cModel atlas;
	AddQuad(atlas, 0, 0, 1, 1);
	atlas.textureAnimation.frameCount = 4;
	cModel morph;
	AddQuad(morph, 0, 0, 1, 1);
	morph.morph.channels.resize(1);
	cModel skeletal;
	AddQuad(skeletal, 0, 0, 1, 1);
	skeletal.animationSets["idle"] = {};

	struct
	{
		const char* name;
		const cModel& model;
		bool animator;
		bool dynamic;
	} cases[] = { { "atlas", atlas, true, false }, { "morph", morph, true, true }, { "skeletal", skeletal, true, true },
		{ "plain", plain, false, false } };
	cModelController controller;
	for (const auto& c : cases)
	{
		controller.SetModel(HandleOf(resources, c.name, c.model));
		EXPECT_EQ(c.animator, controller.GetAnimator() != nullptr) << c.name;
		EXPECT_EQ(c.dynamic, controller.GetDynamicVertexBuffer() != nullptr) << c.name;
		EXPECT_EQ(c.dynamic ? controller.GetDynamicVertexBuffer() : &controller.GetModel()->GetVertexBuffer(),
			controller.GetVertexBuffer())
			<< c.name;
	}

	controller.SetModel(cModelHandle("morph"));
	cModelController copy(controller);
	EXPECT_EQ(controller.GetModel(), copy.GetModel());
	ASSERT_NE(nullptr, copy.GetAnimator());
	EXPECT_NE(controller.GetAnimator(), copy.GetAnimator());
	EXPECT_EQ(&copy, copy.GetAnimator()->GetController());
	ASSERT_NE(nullptr, copy.GetDynamicVertexBuffer());
	EXPECT_NE(controller.GetDynamicVertexBuffer(), copy.GetDynamicVertexBuffer()) << "each copy deforms its own";
	EXPECT_EQ(copy.GetDynamicVertexBuffer(), copy.GetVertexBuffer());

	controller.SetModel(cModelHandle());
	EXPECT_EQ(nullptr, controller.GetAnimator());
	EXPECT_EQ(nullptr, controller.GetVertexBuffer());
	DrawOnScreen(controller, sColor(1, 1, 1, 1));
}

TEST(cModelController, PicksTrianglesWithRays)
{
	cTestResources resources;
	cModel model;
	AddQuad(model, 0, 0, 10, 10, 5);
	AddQuad(model, 0, 0, 10, 10, 0);
	cModelController controller(HandleOf(resources, "layers", model));
	cVector3d hit;

	// Both quads lie on the ray: the nearer one (listed second) is the hit.
	// Distances count in lengths of the direction, which is unit here.
	const sRay through = Ray(cVector3d(5, 5, -0.5f), cVector3d(0, 0, 1));
	EXPECT_TRUE(controller.HitTest(through));
	EXPECT_TRUE(controller.IntersectRay(through, hit));
	EXPECT_NEAR(0.0f, hit.z, 1e-4f);
	EXPECT_NEAR(5.0f, hit.x, 1e-4f);

	// Beside the model, or a segment too short to reach its box.
	for (const sRay& ray : { Ray(cVector3d(20, 5, -10), cVector3d(0, 0, 20)), Ray(cVector3d(5, 5, -10), cVector3d(0, 0, 1)) })
	{
		hit = cVector3d(7, 7, 7);
		EXPECT_FALSE(controller.HitTest(ray));
		EXPECT_FALSE(controller.IntersectRay(ray, hit));
		EXPECT_EQ(7.0f, hit.x) << "the hit point is not written";
	}

	// From between the quads: the hit test sees only the one in front; the
	// intersection takes the one behind, at a negative distance.
	const sRay between = Ray(cVector3d(5, 5, 2), cVector3d(0, 0, 1));
	EXPECT_TRUE(controller.HitTest(between));
	EXPECT_TRUE(controller.IntersectRay(between, hit));
	EXPECT_NEAR(0.0f, hit.z, 1e-4f);

	// Looking back from in front of both.
	EXPECT_FALSE(controller.HitTest(Ray(cVector3d(5, 5, -1), cVector3d(0, 0, -5))));

	// A controller without a model.
	cModelController empty;
	hit = cVector3d(7, 7, 7);
	EXPECT_FALSE(empty.HitTest(through));
	EXPECT_FALSE(empty.IntersectRay(through, hit));
	EXPECT_EQ(7.0f, hit.z);
}

TEST(cModelController, ARayThroughTheBoxThatMissesTheTrianglesGivesTheFarPoint)
{
	cTestResources resources;
	cModel model;
	AddQuad(model, 0, 0, 10, 10);
	// One triangle and a stray index.
	model.indices.resize(4);
	model.indices[0] = 0;
	model.indices[1] = 1;
	model.indices[2] = 2;
	cModelController controller(HandleOf(resources, "half", model));
	// The triangle covers the upper right half of the quad.
	EXPECT_TRUE(controller.HitTest(Ray(cVector3d(8, 8, -1), cVector3d(0, 0, 2))));
	cVector3d hit;
	EXPECT_FALSE(controller.HitTest(Ray(cVector3d(1, 1, -1), cVector3d(0, 0, 2))));
	EXPECT_FALSE(controller.IntersectRay(Ray(cVector3d(1, 1, -1), cVector3d(0, 0, 2)), hit));
	EXPECT_NEAR(100000.0f - 1.0f, hit.z, 0.1f);
}
