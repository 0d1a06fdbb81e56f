// Camera objects: their view changes what is drawn after them (pixels read
// back), projections rebuilt at the next update, the "offset" text, a
// camera panned by a motion, and a camera built on a worker thread while
// the main thread runs the scene.

#include "MotionTestSupport.h"
#include "SceneDrawSupport.h"

#include "engine/input/cInputManager.h"

#include <atomic>
#include <cmath>
#include <thread>

namespace
{
class CameraObjectTest : public SceneDrawTest
{
protected:
	void AddSquareModel()
	{
		resources.Add("texture", "white", DdsFile(1, 1, { 0xFFFFFFFF }));
		cModel model;
		AddQuad(model, 0, 0, 50, 50);
		model.materials.push_back(Material(0, 2, { "white" }));
		resources.Add("model", "square", ModelBytes(model));
	}

	// A group holding a square at (300, 100) and, last, an orthographic
	// camera object at x 200 whose offset backs it off to z -1800.
	cSceneObject* BuildGroup(cSceneObject* parent)
	{
		auto* group = new cSceneObject("group", parent);
		auto* square = new cSceneObject("square", group);
		square->SetVisual(new cQuadVisual(square));
		square->SetModel("square");
		square->GetTransform().SetLocalMatrix(Translation(300, 100, 0));
		cSceneObject* camera = scene->CreateObject("camera", "view", group);
		camera->GetTransform().SetLocalMatrix(Translation(200, 0, 0));
		camera->GetProperties().SetProperty("offset", "1 0 0 0 1 0 0 0 1 0 0 -1800");
		camera->GetProperties().SetProperty("ortho", "true");
		camera->OnLoaded();
		return group;
	}
};

bool Lit(const sPixels& pixels, int x, int y)
{
	return ColorNear(At(pixels, x, y), 0xFFFFFFFF);
}

// The camera object's motion: x moves 100 to the right over key times 0
// to 10, which the clip "pan" plays in one second.
class PanningCameraTest : public CameraObjectTest
{
protected:
	void TearDown() override
	{
		CameraObjectTest::TearDown();
		if (motion)
			motion->RemoveFromIndex();
	}

	cCameraObject* PanningCamera()
	{
		cMotionWriter writer;
		writer.AddKeyTime(0).AddKeyTime(10);
		writer.AddPosition(0, 0, 0).AddPosition(100, 0, 0);
		motion = std::make_unique<cMotionResource>("pan", sResourceSource(StreamOf(writer.GetBytes()), ""));
		motion->AddToIndex();
		AddSquareModel();
		auto* camera = static_cast<cCameraObject*>(BuildGroup(screen)->GetChildList().FindChild("view"));
		camera->GetMotions().CreatePlayer("pan");
		sMotionDesc clip;
		clip.name = "pan";
		clip.last = 10;
		clip.length = 1;
		camera->GetMotions().GetPlayer()->AddClips({ clip });
		return camera;
	}

	// The view and the input pass's pick ray are those of an orthographic
	// camera standing at x, backed off by the offset.
	void ExpectPlacedAt(cCameraObject* camera, float x)
	{
		cCamera expected = screen->GetCamera();
		cMatrix offset;
		ParseMatrix(camera->GetProperties().GetProperty("offset"), offset);
		expected.SetTransform(offset * Translation(x, 0, 0));
		const cMatrix& view = camera->GetCamera().GetView();
		EXPECT_NEAR(view._41, expected.GetView()._41, 1e-3f) << "at x " << x;
		EXPECT_NEAR(view._43, expected.GetView()._43, 1e-3f) << "at x " << x;

		scene->DispatchInput();
		const sRay ray = expected.GetPickRay(cInputManager::GetInstance()->GetCursorPosition(), cMatrix::Identity());
		const sRay& picked = scene->GetPickRay();
		EXPECT_NEAR(picked.origin.x, ray.origin.x, 1e-3f) << "at x " << x;
		EXPECT_NEAR(picked.origin.y, ray.origin.y, 1e-3f) << "at x " << x;
		EXPECT_NEAR(picked.direction.z, ray.direction.z, 1e-3f) << "at x " << x;
	}

	std::unique_ptr<cMotionResource> motion;
};
}

TEST_F(PanningCameraTest, AMotionMovesTheViewAndThePickRayAtEveryUpdate)
{
	cCameraObject* camera = PanningCamera();
	Frame();
	ExpectPlacedAt(camera, 200);
	EXPECT_TRUE(Lit(Frame(), 125, 125)) << "the square at 300, seen from x 200";

	camera->GetMotions().PlayByName("pan");
	sPixels pixels = Frame(0.5f);
	ExpectPlacedAt(camera, 250);
	EXPECT_TRUE(Lit(pixels, 75, 125)) << "half way: seen from x 250";
	EXPECT_FALSE(Lit(pixels, 125, 125));

	pixels = Frame(0.5f);
	EXPECT_FALSE(camera->GetMotions().GetPlayer()->IsPlaying());
	ExpectPlacedAt(camera, 300);
	EXPECT_TRUE(Lit(pixels, 25, 125)) << "the clip's last pose: seen from x 300";
	EXPECT_FALSE(Lit(pixels, 75, 125));

	pixels = Frame(0.5f);
	ExpectPlacedAt(camera, 300);
	EXPECT_TRUE(Lit(pixels, 25, 125)) << "stays where the clip ended";
}

TEST_F(CameraObjectTest, ACamerasViewAppliesToWhatComesAfterIt)
{
	AddSquareModel();
	cSceneObject* group = BuildGroup(screen);
	auto* camera = static_cast<cCameraObject*>(group->GetChildList().FindChild("view"));
	EXPECT_EQ(camera->GetTypeName(), "camera");
	EXPECT_EQ(group->GetChildList().GetChildren().front(), camera) << "moved to the front when loaded";
	auto* after = new cSceneObject("after", screen);
	after->SetVisual(new cQuadVisual(after));
	after->SetModel("square");
	after->GetTransform().SetLocalMatrix(Translation(600, 100, 0));
	auto* before = new cSceneObject("before", screen);
	before->SetVisual(new cQuadVisual(before));
	before->SetModel("square");
	before->GetTransform().SetLocalMatrix(Translation(600, 400, 0));
	before->MoveInSiblings(true); // walked before the group

	sPixels pixels = Frame();
	EXPECT_TRUE(Lit(pixels, 125, 125)) << "the square 200 to the left: seen from x 200";
	EXPECT_FALSE(Lit(pixels, 325, 125));
	EXPECT_TRUE(Lit(pixels, 425, 125)) << "later objects of the walk too";
	EXPECT_TRUE(Lit(pixels, 625, 425)) << "earlier ones keep the default camera";

	// "offset" alone waits for the next view update; another write brings it.
	camera->GetProperties().SetProperty("offset", "1 0 0 0 1 0 0 0 1 -100 0 -1800");
	EXPECT_TRUE(Lit(Frame(), 125, 125));
	camera->GetProperties().SetProperty("znear", "1");
	pixels = Frame();
	EXPECT_TRUE(Lit(pixels, 225, 125));
	EXPECT_FALSE(Lit(pixels, 125, 125));
}

TEST_F(CameraObjectTest, PropertiesRebuildTheProjectionAtTheNextUpdate)
{
	cSceneObject* object = scene->CreateObject("camera", "perspective", screen);
	auto* camera = static_cast<cCameraObject*>(object);
	const cMatrix before = camera->GetCamera().GetProjection();
	object->GetProperties().SetProperty("fov", "1.0");
	object->GetProperties().SetProperty("aspect", "2");
	EXPECT_TRUE(camera->IsDirty());
	EXPECT_EQ(memcmp(&before, &camera->GetCamera().GetProjection(), sizeof before), 0);
	scene->Update(0);
	EXPECT_FALSE(camera->IsDirty());
	const cMatrix& projection = camera->GetCamera().GetProjection();
	const float yScale = 1.0f / std::tan(0.5f);
	EXPECT_NEAR(projection._22, yScale, 1e-4f);
	EXPECT_NEAR(projection._11, yScale / (1024.0f / 768.0f), 1e-4f) << "the back buffer's aspect, not \"aspect\"";

	// Ortho takes the default camera's projection again on every write.
	object->GetProperties().SetProperty("ortho", "true");
	scene->Update(0);
	EXPECT_EQ(memcmp(&camera->GetCamera().GetProjection(), &screen->GetCamera().GetProjection(), sizeof(cMatrix)), 0);

	// The input pass puts this camera's ray under the cursor into the scene.
	scene->DispatchInput();
	const sRay expected = camera->GetCamera().GetPickRay(cInputManager::GetInstance()->GetCursorPosition(), cMatrix::Identity());
	EXPECT_EQ(memcmp(&scene->GetPickRay(), &expected, sizeof expected), 0);
}

TEST_F(CameraObjectTest, OffsetReadsBackAsTwelveNumbersWhateverTheirSize)
{
	cSceneObject* camera = scene->CreateObject("camera", "numbers", screen);
	EXPECT_EQ(camera->GetProperties().GetProperty("offset"),
		"1.000000 0.000000 0.000000 0.000000 1.000000 0.000000 0.000000 0.000000 1.000000 0.000000 0.000000 0.000000");

	std::string huge;
	for (int value = 0; value < 12; ++value)
		huge += "1e30 ";
	camera->GetProperties().SetProperty("offset", huge);
	const std::string text = camera->GetProperties().GetProperty("offset");
	EXPECT_GT(text.size(), 200u);
	cMatrix parsed;
	EXPECT_EQ(ParseMatrix(text, parsed), 12);
	EXPECT_EQ(memcmp(&parsed, &static_cast<cCameraObject*>(camera)->GetOffset(), sizeof parsed), 0);
}

TEST_F(CameraObjectTest, ACameraBuiltOnAWorkerThreadTouchesOnlyItsOwnTree)
{
	AddSquareModel();
	// The live tree, busy on the main thread while the worker builds.
	for (int index = 0; index < 50; ++index)
		new cSceneObject("busy", screen);
	cSceneObject* reference = BuildGroup(screen);
	const cMatrix expectedView = static_cast<cCameraObject*>(reference->GetChildList().FindChild("view"))->GetCamera().GetView();
	reference->MarkForDelete();

	std::atomic<bool> posted { false };
	cSceneObject* built = nullptr;
	std::thread worker([&] {
		built = BuildGroup(nullptr);
		scene->PostReparent(built, screen, cSceneManager::tCompletion());
		posted = true;
	});
	while (!posted)
		Frame(0.01f);
	worker.join();
	sPixels pixels = Frame();
	ASSERT_EQ(built->GetParent(), screen);
	const cMatrix& view = static_cast<cCameraObject*>(built->GetChildList().FindChild("view"))->GetCamera().GetView();
	EXPECT_EQ(memcmp(&view, &expectedView, sizeof view), 0);
	EXPECT_TRUE(Lit(pixels, 125, 125));
}
