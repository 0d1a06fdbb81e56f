// Animators played by name on model controllers: texture atlas frames,
// morph frames blended into the instance's vertices, and skeletal sets
// skinned on the CPU, with the model data they must survive.

#include "../graphics/ModelTestSupport.h"

#include "engine/graphics/cMorphingAnimator.h"
#include "engine/graphics/cSkeletalAnimator.h"
#include "engine/graphics/cTextureAnimator.h"

#include <climits>
#include <cmath>

namespace
{
sAnimationRequest Request(const std::string& name, float fadeTime = 0)
{
	sAnimationRequest request;
	request.name = name;
	request.fadeTime = fadeTime;
	return request;
}

// The controller's model, bound through a resource made of it.
class cBoundModel
{
public:
	explicit cBoundModel(const cModel& model)
	{
		m_resources.Add("model", "subject", ModelBytes(model));
		controller.SetModel(cModelHandle("subject"));
	}

	// Positions of the instance's dynamic buffer.
	std::vector<cVector3d> Positions()
	{
		std::vector<cVector3d> positions;
		cVertexBuffer* buffer = controller.GetDynamicVertexBuffer();
		if (const auto* bytes = static_cast<const uint8_t*>(buffer ? buffer->Lock(0, 0) : nullptr))
		{
			for (unsigned i = 0; i < buffer->GetCount(); ++i)
			{
				const sTexVertex vertex = VertexAt(bytes, i);
				positions.emplace_back(vertex.x, vertex.y, vertex.z);
			}
			buffer->Unlock();
		}
		return positions;
	}

private:
	cTestResources m_resources;

public:
	cModelController controller;
};

void ExpectNear(const cVector3d& expected, const cVector3d& actual, const std::string& what)
{
	EXPECT_NEAR(expected.x, actual.x, 1e-4f) << what;
	EXPECT_NEAR(expected.y, actual.y, 1e-4f) << what;
	EXPECT_NEAR(expected.z, actual.z, 1e-4f) << what;
}

// An atlas of 8 frames, 4 per row, a cell 0.25 wide and 0.5 high.
void FillAtlas(cModel& model, int framesPerRow = 4)
{
	AddQuad(model, 0, 0, 1, 1);
	model.materials = { Material(0, 1), Material(3, 1) };
	model.textureAnimation = { 0.25f, 0.5f, 8, framesPerRow, { { "run", { 0, 8, 1, false } } } };
}

std::pair<float, float> Offset(const cModelController& controller)
{
	const cMaterialController& material = controller.GetMaterials()[1];
	return { material.GetOffsetU(), material.GetOffsetV() };
}
}

TEST(cTextureAnimator, StepsThroughTheAtlasByName)
{
	StartGraphics(64, 48);
	cModel model;
	FillAtlas(model);
	cBoundModel bound(model);
	auto* animator = dynamic_cast<cTextureAnimator*>(bound.controller.GetAnimator());
	ASSERT_NE(nullptr, animator);

	animator->Play(0, Request("missing"));
	EXPECT_FALSE(animator->IsRunning());
	animator->Play(0, Request("run"));
	EXPECT_TRUE(animator->IsRunning());
	EXPECT_EQ("run", animator->GetAnimationName(0));

	animator->SetTime(0.5f);
	EXPECT_EQ(4, animator->GetFrame());
	EXPECT_EQ(std::make_pair(0.0f, 0.5f), Offset(bound.controller));
	animator->SetTime(2.5f);
	EXPECT_EQ(4, animator->GetFrame()) << "the frame of 0.5";
	EXPECT_EQ(2.5f, animator->GetTime()) << "the time is not wrapped";

	animator->SetTime(0);
	animator->Update(0.75f);
	EXPECT_EQ(6, animator->GetFrame());
	EXPECT_EQ(std::make_pair(0.5f, 0.5f), Offset(bound.controller));
	animator->Update(0.5f);
	EXPECT_FALSE(animator->IsRunning()) << "without loop it stops at the end";
	EXPECT_EQ(7, animator->GetFrame()) << "frame 8 is held at the last of 8";
	EXPECT_EQ(1.0f, animator->GetTime());

	// A length override (the scene layer's float parameter) applies from the next start.
	animator->SetParam("run", 2.0f);
	animator->SetNamedParam("run", 1);
	animator->Play(0, Request("run"));
	animator->Update(1.0f);
	EXPECT_EQ(4, animator->GetFrame());
	animator->Update(1.5f);
	EXPECT_TRUE(animator->IsRunning()) << "looping now";
	EXPECT_NEAR(0.5f, animator->GetTime(), 1e-5f);
}

TEST(cTextureAnimator, AnAtlasWithoutColumnsKeepsTheOffsetAndWarnsOnce)
{
	StartGraphics(64, 48);
	for (int framesPerRow : { 0, -3 })
	{
		cModel model;
		FillAtlas(model, framesPerRow);
		cBoundModel bound(model);
		cAnimator* animator = bound.controller.GetAnimator();
		testing::internal::CaptureStderr();
		animator->Play(0, Request("run"));
		animator->Update(0.6f);
		animator->Play(0, Request("run"));
		const std::string log = testing::internal::GetCapturedStderr();
		EXPECT_EQ(std::make_pair(0.0f, 0.0f), Offset(bound.controller));
		const size_t first = log.find("Warning: ");
		EXPECT_NE(std::string::npos, first) << log;
		EXPECT_EQ(std::string::npos, log.find("Warning: ", first + 1)) << "one warning: " << log;
	}
}

TEST(cTextureAnimator, RangesBeyondAnIntAndLengthsThatAreNoNumberShowAFrameOfTheAtlas)
{
	StartGraphics(64, 48);
	cModel model;
	FillAtlas(model);
	model.textureAnimation.animations = { { "far", { 0, 1e35f, 1, false } }, { "back", { 0, -1e35f, 1, false } },
		{ "broken", { 2, 5, std::nanf(""), false } } };
	cBoundModel bound(model);
	cAnimator* animator = bound.controller.GetAnimator();
	auto* atlas = dynamic_cast<cTextureAnimator*>(animator);
	ASSERT_NE(nullptr, atlas);
	animator->Play(0, Request("far"));
	animator->Update(1);
	EXPECT_EQ(7, atlas->GetFrame()) << "held at the last frame";
	animator->Play(0, Request("back"));
	animator->Update(1);
	EXPECT_EQ(INT_MIN, atlas->GetFrame());
	animator->Play(0, Request("broken"));
	animator->Update(0.5f);
	EXPECT_EQ(0, atlas->GetFrame());

	// A damaged file's frame count below one holds the first frame.
	for (int frameCount : { -1, INT_MIN })
	{
		cModel damaged;
		FillAtlas(damaged);
		damaged.textureAnimation.frameCount = frameCount;
		cBoundModel boundDamaged(damaged);
		auto* damagedAtlas = dynamic_cast<cTextureAnimator*>(boundDamaged.controller.GetAnimator());
		ASSERT_NE(nullptr, damagedAtlas);
		damagedAtlas->Play(0, Request("run"));
		damagedAtlas->Update(0.5f);
		EXPECT_EQ(0, damagedAtlas->GetFrame()) << frameCount;
	}
}

TEST(cTextureAnimator, TheShownFrameIsDrawn)
{
	StartGraphics(64, 48);
	cTestResources resources;
	resources.Add("texture", "strip", DdsFile(2, 1, { 0xFFFF0000, 0xFF00FF00 }));
	cModel model;
	AddQuad(model, 8, 8, 56, 40);
	model.materials = { Material(0, 2, { "strip" }) };
	model.textureAnimation = { 0.5f, 0, 2, 2, { { "second", { 1, 1, 1, false } } } };
	resources.Add("model", "flag", ModelBytes(model));
	cModelController controller { cModelHandle("flag") };
	controller.GetAnimator()->Play(0, Request("second"));

	cGraphics* graphics = cGraphics::GetInstance();
	cCamera camera;
	SetScreenCamera(camera, 64, 48);
	graphics->BeginScene();
	camera.Apply();
	graphics->SetWorldMatrix(cMatrix::Identity());
	controller.Draw(sColor(1, 1, 1, 1));
	const sPixels pixels = ReadBackBuffer();
	graphics->EndScene();
	EXPECT_TRUE(ColorNear(pixels.At(20, 24), 0xFF00FF00)) << "frame 1 shows the right half on the left";
	EXPECT_TRUE(ColorNear(pixels.At(44, 24), 0xFFFF0000));
}

namespace
{
// A quad whose position channel slides 10 to the right between two keys.
void FillSliding(cModel& model)
{
	AddQuad(model, 0, 0, 10, 10);
	model.materials = { Material(0, 2) };
	std::vector<cVector3d> rest;
	for (unsigned i = 0; i < 4; ++i)
	{
		const sTexVertex vertex = VertexAt(model.vertexBytes.data(), i);
		rest.emplace_back(vertex.x, vertex.y, vertex.z);
	}
	std::vector<cVector3d> slid = rest;
	for (cVector3d& position : slid)
		position.x += 10;
	model.morph.channels.push_back({ 0, { rest, slid } });
	model.morph.keyTimes = { 0, 1 };
	model.morph.animations["slide"] = { 0, 1, 2, false };
	model.morph.animations["sway"] = { 0, 1, 2, true };
}
}

TEST(cMorphingAnimator, BlendsKeyFramesIntoTheInstancesVertices)
{
	StartGraphics(64, 48);
	cModel model;
	FillSliding(model);
	cBoundModel bound(model);
	cAnimator* animator = bound.controller.GetAnimator();
	ASSERT_NE(nullptr, dynamic_cast<cMorphingAnimator*>(animator));

	animator->Play(0, Request("slide"));
	animator->Update(1.0f);
	std::vector<cVector3d> positions = bound.Positions();
	ASSERT_EQ(4u, positions.size());
	ExpectNear(cVector3d(5, 10, 0), positions[0], "half way");
	ExpectNear(cVector3d(15, 0, 0), positions[2], "half way");
	EXPECT_EQ(1.0f, VertexAt(animator->GetVertexData(), 2).u) << "texture coordinates are kept";
	EXPECT_EQ(0.0f, VertexAt(bound.controller.GetModel()->vertexBytes.data(), 0).x) << "the model is not changed";

	// Picking sees the deformed positions (inside the model's stored box).
	EXPECT_TRUE(bound.controller.HitTest(sRay { cVector3d(9, 5, -1), cVector3d(0, 0, 2) }));
	EXPECT_FALSE(bound.controller.HitTest(sRay { cVector3d(2, 5, -1), cVector3d(0, 0, 2) }));

	animator->Update(1.5f);
	EXPECT_FALSE(animator->IsRunning());
	ExpectNear(cVector3d(10, 10, 0), bound.Positions()[0], "held at the end");

	// Playing a running looping animation again does not restart it; a
	// finished one restarts.
	animator->Play(0, Request("sway"));
	animator->Update(1.0f);
	animator->Play(0, Request("sway"));
	EXPECT_EQ(1.0f, animator->GetTime());
	animator->Play(0, Request("slide"));
	EXPECT_EQ(0.0f, animator->GetTime());
	ExpectNear(cVector3d(0, 10, 0), bound.Positions()[0], "back at the start");
}

TEST(cMorphingAnimator, FramesThatDoNotFitTheModelBlendOnlyWhatFits)
{
	StartGraphics(64, 48);
	cModel model;
	FillSliding(model);
	std::vector<std::vector<cVector3d>>& frames = model.morph.channels[0].frames;
	frames[0].resize(40, cVector3d(5, 5, 5)) /* more values than vertices */;
	frames[1].resize(2) /* fewer values in the next frame */;
	model.morph.keyTimes = { 0, 1, 2 } /* more keys than frames */;
	model.morph.animations["slide"] = { 0, 2, 2, false };
	sMorphChannel normals { 1, frames } /* the layout has no normal */;
	sMorphChannel secondSet { 4, frames } /* nor a second texture set */;
	model.morph.channels.push_back(normals);
	model.morph.channels.push_back(secondSet);
	cBoundModel bound(model);
	cAnimator* animator = bound.controller.GetAnimator();
	const size_t copySize = bound.controller.GetModel()->vertexBytes.size();

	animator->Play(0, Request("slide"));
	animator->Update(0.5f);
	std::vector<cVector3d> positions = bound.Positions();
	ExpectNear(cVector3d(5, 10, 0), positions[0], "vertex 0 blends");
	ExpectNear(cVector3d(10, 0, 0), positions[2], "vertex 2 lies past the next frame");
	EXPECT_EQ(0.0f, VertexAt(animator->GetVertexData(), 0).u) << "no channel wrote the texture coordinates";

	animator->Update(1.5f);
	ExpectNear(cVector3d(10, 10, 0), bound.Positions()[0], "the last frame holds for the third key");
	EXPECT_EQ(copySize, bound.controller.GetModel()->vertexBytes.size());
}

namespace
{
// Two bones along x: "root" at the origin holds vertex 0 and half of
// vertex 1; "arm", a frame at x = 1 under it, holds the rest and turns
// about z from 0 to 90 degrees between keys 0 and 1.
void FillArm(cModel& model)
{
	model.vertexFormat = kFvfTex;
	for (const sTexVertex& vertex : { sTexVertex { 0, 0, 0, 0, 0 }, sTexVertex { 1, 0, 0, 0, 0 },
			 sTexVertex { 2, 0, 0, 0, 0 }, sTexVertex { 2, 1, 0, 0, 0 } })
		AddVertex(model, vertex);
	model.indices = { 0, 1, 3, 1, 2, 3 };
	model.boundsMax = cVector3d(2, 1, 0);
	sSkeleton& skeleton = model.skeleton;
	skeleton.boneNames = { "root", "arm", "ghost" } /* one name more than bones */;
	skeleton.bones.resize(2);
	skeleton.bones[0].weights = { { 0, 1.0f }, { 1, 0.5f } };
	skeleton.bones[1].weights = { { 1, 0.5f }, { 2, 1.0f }, { 3, 1.0f }, { 99, 1.0f } /* no such vertex */ };
	skeleton.bones[1].offset.MakeTranslation(cVector3d(-1, 0, 0));
	skeleton.frames.resize(1);
	sModelFrame& root = skeleton.frames[0];
	root.name = "root";
	root.children.resize(2);
	root.children[0].name = "arm";
	root.children[0].bone = 1;
	root.children[0].local.MakeTranslation(cVector3d(1, 0, 0));
	root.children[1].name = "tip";
	root.children[1].bone = 0xFFFFFFFF;
	const float half = std::sqrt(0.5f);
	model.animationSets["wave"] = { "wave_set", 0, 1 };
	model.boneKeys.keyTimes = { 0, 1 };
	// A single translation key serves both keys.
	model.boneKeys.tracks.push_back({ "arm", {}, { cQuaternion(), cQuaternion(0, 0, half, half) }, { cVector3d(1, 0, 0) } });
}
}

TEST(cSkeletalAnimator, SkinsTheVerticesWithTheBoneMatrices)
{
	StartGraphics(64, 48);
	cModel model;
	FillArm(model);
	cBoundModel bound(model);
	auto* animator = dynamic_cast<cSkeletalAnimator*>(bound.controller.GetAnimator());
	ASSERT_NE(nullptr, animator);
	EXPECT_EQ(&cMatrix::Identity(), animator->GetBoneMatrix("ghost")) << "a name past the bones";
	EXPECT_EQ(&cMatrix::Identity(), animator->GetBoneMatrix("nobody"));
	EXPECT_EQ(&animator->GetBoneMatrices()[1], animator->GetBoneMatrix("arm"));

	animator->Play(0, Request("wave"));
	EXPECT_TRUE(animator->IsPlaying(0));
	EXPECT_EQ(1.0f, animator->GetLength(0));
	animator->Update(0.5f);
	// 45 degrees about the arm's frame at x = 1.
	const float half = std::sqrt(0.5f);
	std::vector<cVector3d> positions = bound.Positions();
	ASSERT_EQ(4u, positions.size());
	ExpectNear(cVector3d(0, 0, 0), positions[0], "root only");
	ExpectNear(cVector3d(1, 0, 0), positions[1], "half and half, both at the joint");
	ExpectNear(cVector3d(1 + half, half, 0), positions[2], "arm");
	ExpectNear(cVector3d(1, 2 * half, 0), positions[3], "arm");

	// The set wraps after its second: 1.25 is 0.25 in, 22.5 degrees.
	animator->Update(0.75f);
	const float angle = 3.14159265f / 8;
	ExpectNear(cVector3d(1 + std::cos(angle), std::sin(angle), 0), bound.Positions()[2], "wrapped");

	// The skinned vertices are what picking sees.
	EXPECT_TRUE(bound.controller.HitTest(sRay { cVector3d(1.5f, 0.5f, -1), cVector3d(0, 0, 2) }));

	// A copy poses on its own.
	cModelController copy(bound.controller);
	auto* copied = dynamic_cast<cSkeletalAnimator*>(copy.GetAnimator());
	ASSERT_NE(nullptr, copied);
	EXPECT_FALSE(copied->IsPlaying(0));
	copied->Play(0, Request("wave"));
	copied->Update(0.5f);
	const auto* copyBytes = static_cast<const uint8_t*>(copy.GetDynamicVertexBuffer()->Lock(0, 0));
	ASSERT_NE(nullptr, copyBytes);
	const sTexVertex copied2 = VertexAt(copyBytes, 2);
	copy.GetDynamicVertexBuffer()->Unlock();
	ExpectNear(cVector3d(1 + half, half, 0), cVector3d(copied2.x, copied2.y, copied2.z), "the copy at 45 degrees");
	ExpectNear(cVector3d(1 + std::cos(angle), std::sin(angle), 0), bound.Positions()[2], "the original stays");

	animator->Stop(0);
	animator->Update(0.01f);
	EXPECT_FALSE(animator->IsPlaying(0)) << "a fade of 0 ends at the next update";
	EXPECT_TRUE(animator->IsRunning()) << "the set stays on its layer";
}

TEST(cSkeletalAnimator, BadLengthsAndEqualKeyTimesKeepAFinitePose)
{
	StartGraphics(64, 48);
	cModel model;
	FillArm(model);
	model.boneKeys.keyTimes = { 0, 0.2f, 0.2f };
	model.animationSets["wave"] = { "wave_set", 0, 5 };
	const float half = std::sqrt(0.5f);
	model.boneKeys.tracks[0].rotationKeys = { cQuaternion(), cQuaternion(0, 0, half, half), cQuaternion(0, 0, 1, 0) };
	cBoundModel bound(model);
	cAnimator* animator = bound.controller.GetAnimator();

	// Wrapping lands between the last two keys, which share their time.
	animator->Play(0, Request("wave"));
	animator->Update(1.5f);
	ExpectNear(cVector3d(1, 1, 0), bound.Positions()[2], "the pose of the middle key");

	for (float length : { 0.0f, -2.0f })
	{
		cBoundModel held(model);
		held.controller.GetAnimator()->SetLengthByName("wave_set", length);
		held.controller.GetAnimator()->Play(0, Request("wave"));
		held.controller.GetAnimator()->Update(0.7f);
		ExpectNear(cVector3d(2, 0, 0), held.Positions()[2], "held at time 0");
	}
}
