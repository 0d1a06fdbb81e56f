// The quad visual: atlas frames drawn through the scene (pixels read back),
// filtering, hit tests and the animation interface over the model's animator.

#include "SceneDrawSupport.h"

namespace
{
constexpr D3DCOLOR kRed = 0xFFFF0000;
constexpr D3DCOLOR kGreen = 0xFF00FF00;
constexpr D3DCOLOR kBlue = 0xFF0000FF;
constexpr D3DCOLOR kWhite = 0xFFFFFFFF;
constexpr D3DCOLOR kBlack = 0xFF000000;

class QuadVisualTest : public SceneDrawTest
{
protected:
	// "frames": a 100 by 100 quad on one cell of a four-frame atlas (red,
	// green, blue, white), with the animation "cycle" over the four frames
	// in `length` seconds.
	void AddAtlasModel(float length = 1.0f)
	{
		resources.Add("texture", "atlas", DdsFile(4, 1, { kRed, kGreen, kBlue, kWhite }));
		cModel model;
		AddCellQuad(model, 0, 0, 100, 100, 0.25f, 1.0f);
		model.materials.push_back(Material(0, 2, { "atlas" }));
		model.textureAnimation = { 0.25f, 0, 4, 4, { { "cycle", { 0, 4, length, false } } } };
		resources.Add("model", "frames", ModelBytes(model));
	}

	cQuadVisual& Visual(cSceneObject* object) { return *static_cast<cQuadVisual*>(object->GetVisual()); }
};
}

TEST_F(QuadVisualTest, DrawsAtlasFramesInTheEffectiveColourAsTheAnimationRuns)
{
	AddAtlasModel();
	auto* parent = new cSceneObject("parent", screen);
	parent->GetTransform().SetColor(1, 1, 1, 1);
	cSceneObject* quad = Quad("quad", "frames", 200, 100, parent);
	cSceneObject* still = Quad("still", "frames", 500, 100);
	EXPECT_TRUE(ColorNear(At(Frame(), 250, 150), kRed));

	Visual(quad).PlayAnimation("cycle");
	EXPECT_TRUE(ColorNear(At(Frame(0.3f), 250, 150), kGreen)) << "0.3 of 1 s: frame 1";
	sPixels pixels = Frame(0.3f);
	EXPECT_TRUE(ColorNear(At(pixels, 250, 150), kBlue));
	EXPECT_TRUE(ColorNear(At(pixels, 550, 150), kRed)) << "another instance of the model keeps its frame";
	EXPECT_TRUE(ColorNear(At(pixels, 150, 150), kBlack));
	EXPECT_TRUE(ColorNear(At(Frame(1.0f), 250, 150), kWhite)) << "past the end: the last frame";
	EXPECT_FALSE(Visual(quad).IsAnimationPlaying());

	// The parent's colour caps the child's; the widgets' offset picks a frame.
	parent->GetTransform().SetColor(1, 0.5f, 1, 1);
	Visual(still).SetTextureOffset(0.25f, 0);
	pixels = Frame();
	EXPECT_TRUE(ColorNear(At(pixels, 250, 150), 0xFFFF80FF, 3));
	EXPECT_TRUE(ColorNear(At(pixels, 550, 150), kGreen));

	// Without a model nothing is drawn and the owner's box is empty.
	still->SetModel("no such model");
	EXPECT_TRUE(ColorNear(At(Frame(), 550, 150), kBlack));
	EXPECT_TRUE(still->GetTransform().GetLocalBox().IsEmpty());
}

TEST_F(QuadVisualTest, AFilteredQuadLeavesLinearFilteringUntilTheNextUnfilteredOne)
{
	// Red and green texels stretched over 200 pixels: a point-filtered quad
	// is red up to its middle, a linear one blends toward green before it.
	resources.Add("texture", "pair", DdsFile(2, 1, { kRed, kGreen }));
	cModel model;
	AddQuad(model, 0, 0, 200, 100);
	model.materials.push_back(Material(0, 2, { "pair" }));
	resources.Add("model", "pair", ModelBytes(model));
	auto sharp = [&](const sPixels& pixels, int left) { return ColorNear(At(pixels, left + 90, 50), kRed); };

	graphics->SetDefaultTextureFilter(D3DTEXF_NONE);
	cSceneObject* filtered = Quad("filtered", "pair", 0, 0);
	filtered->GetProperties().SetProperty("filter", "true");
	EXPECT_EQ(filtered->GetProperties().GetProperty("filter"), "true");
	sPixels pixels = Frame();
	EXPECT_FALSE(sharp(pixels, 0));
	EXPECT_EQ(graphics->GetTextureFilter(), D3DTEXF_LINEAR) << "left behind after the frame";

	cSceneObject* plain = Quad("plain", "pair", 300, 0);
	plain->SetSortKey(1); // drawn after the filtered one
	pixels = Frame();
	EXPECT_FALSE(sharp(pixels, 0));
	EXPECT_TRUE(sharp(pixels, 300));
	EXPECT_EQ(graphics->GetTextureFilter(), D3DTEXF_NONE);

	// With a linear default, "filter" changes nothing.
	graphics->SetDefaultTextureFilter(D3DTEXF_LINEAR);
	pixels = Frame();
	EXPECT_FALSE(sharp(pixels, 0));
	EXPECT_FALSE(sharp(pixels, 300));
}

TEST_F(QuadVisualTest, HitTestsMeetTheModelsTriangles)
{
	cModel model;
	AddQuad(model, 0, 0, 50, 50);
	resources.Add("model", "square", ModelBytes(model));
	cSceneObject* quad = Quad("quad", "square", 100, 100);
	scene->Update(0);
	const cBoundingBox& box = quad->GetTransform().GetLocalBox();
	EXPECT_FLOAT_EQ(box.max.x, 50);
	EXPECT_FLOAT_EQ(box.min.y, 0);

	for (const auto& [x, y, hit] : { std::tuple { 120.0f, 120.0f, true }, { 149.0f, 101.0f, true },
			 { 151.0f, 120.0f, false }, { 99.0f, 120.0f, false } })
	{
		scene->GetPickRay() = { cVector3d(x, y, -1000), cVector3d(0, 0, 2000) };
		EXPECT_EQ(quad->HitTest(), hit) << x << ", " << y;
	}
	scene->GetPickRay() = { cVector3d(120, 130, -1000), cVector3d(0, 0, 2000) };
	cVector3d point;
	ASSERT_TRUE(quad->GetVisual()->HitTestPoint(quad->GetLocalPickRay(), point));
	EXPECT_NEAR(point.x, 20, 1e-3f);
	EXPECT_NEAR(point.y, 30, 1e-3f);

	auto* empty = new cSceneObject("empty", screen);
	empty->SetVisual(new cQuadVisual(empty));
	EXPECT_FALSE(empty->HitTestVisual(empty->GetLocalPickRay()));
	EXPECT_FALSE(empty->GetVisual()->HitTestPoint(empty->GetLocalPickRay(), point));
}

TEST_F(QuadVisualTest, AnimationInterfaceDrivesTheAnimator)
{
	AddAtlasModel(4.0f);
	cQuadVisual& visual = Visual(Quad("quad", "frames", 0, 0));
	visual.PlayAnimation("cycle");
	EXPECT_TRUE(visual.IsAnimationPlaying());
	EXPECT_FLOAT_EQ(visual.GetAnimationLength(), 4.0f);
	visual.SeekAnimation(0.5f);
	EXPECT_FLOAT_EQ(visual.GetAnimationTime(), 2.0f);
	EXPECT_EQ(visual.GetAnimationName(), "cycle");
	EXPECT_TRUE(visual.IsNamedAnimationPlaying("cycle"));
	EXPECT_FALSE(visual.IsNamedAnimationPlaying("other"));

	visual.StopAnimation();
	EXPECT_TRUE(visual.IsCurrentAnimation("cycle"));
	EXPECT_FALSE(visual.IsNamedAnimationPlaying("cycle"));
	visual.Update(1.0f);
	EXPECT_FLOAT_EQ(visual.GetAnimationTime(), 2.0f) << "a stopped animator is not updated";
	visual.ResumeAnimation();
	visual.Update(1.0f);
	EXPECT_FLOAT_EQ(visual.GetAnimationTime(), 3.0f);

	// The parameters act when the animation starts again.
	EXPECT_FALSE(visual.IsAnimationLooping());
	visual.SetAnimationParam("cycle", 1);
	visual.SetAnimatorParam("cycle", 2.0f);
	visual.PlayAnimation("cycle");
	EXPECT_TRUE(visual.IsAnimationLooping());
	EXPECT_FLOAT_EQ(visual.GetAnimationLength(), 2.0f);

	// Without an animator every operation is harmless.
	cModel plain;
	AddQuad(plain, 0, 0, 1, 1);
	resources.Add("model", "plain", ModelBytes(plain));
	cQuadVisual& still = Visual(Quad("still", "plain", 0, 0));
	still.PlayAnimation("cycle");
	still.SeekAnimation(0.5f);
	still.SetAnimationTime(1.0f);
	still.SetAnimationParam("cycle", 1);
	still.SetAnimatorParam("cycle", 1.0f);
	still.ResumeAnimation();
	still.StopAnimation();
	still.Update(1.0f);
	EXPECT_FALSE(still.IsAnimationPlaying());
	EXPECT_FALSE(still.IsCurrentAnimation(""));
	EXPECT_FALSE(still.IsAnimationLooping());
	EXPECT_EQ(still.GetAnimationTime(), 0.0f);
	EXPECT_EQ(still.GetAnimationLength(), 0.0f);
	EXPECT_EQ(still.GetAnimationName(), "");

	// Every visual of this kind shares one identity matrix and one empty box.
	EXPECT_EQ(&visual.GetLocalMatrix(), &still.GetLocalMatrix());
	EXPECT_EQ(&visual.GetLocalBox(), &still.GetLocalBox());
	EXPECT_TRUE(still.GetLocalBox().IsEmpty());
	EXPECT_EQ(still.GetModelController(), still.GetSecondModelController());
	EXPECT_EQ(still.GetTextLayout(), nullptr);
}

TEST_F(QuadVisualTest, AShaderNameThatNamesNoShaderIsLogged)
{
	cSceneObject* quad = Quad("quad", "", 0, 0);
	testing::internal::CaptureStderr();
	quad->GetProperties().SetProperty("shader", "missing");
	const std::string log = testing::internal::GetCapturedStderr();
	EXPECT_NE(log.find("shader[missing] not found"), std::string::npos) << log;
	EXPECT_EQ(quad->GetVisual()->GetModelController()->GetShader(), nullptr);
	EXPECT_EQ(quad->GetProperties().GetProperty("shader"), "") << "write only";
}
