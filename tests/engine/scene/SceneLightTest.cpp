// Scene lights: switched on for the draw passes that collect them (a lit
// square reads back brighter than an unlit one), off for the others, each
// object keeping its own list entry, also when built on a worker thread.

#include "ScreenSquares.h"

#include "engine/scene/cSceneLight.h"
#include "engine/scene/cSceneLightList.h"

#include <set>
#include <thread>

namespace
{
class SceneLightTest : public SceneTest
{
protected:
	void SetUp() override
	{
		SceneTest::SetUp();
		graphics = StartGraphics(1024, 768);
		white.reset(WhiteTexture());
		screen = new cScreenCameraObject("camera", root());
		SetScreenCamera(screen->camera);
		Square("grey", screen, 100, 100, 0, 100, sColor(0.5f, 0.5f, 0.5f, 1))
			->GetProperties()
			.SetProperty("light_rec", "true");
	}

	// The grey square's colour, drawn with lighting on.
	D3DCOLOR DrawGrey()
	{
		scene->Update(0);
		graphics->BeginScene();
		graphics->SetLighting(true);
		white->Bind(0);
		scene->Render();
		const D3DCOLOR colour = At(ReadBackBuffer(), 150, 150);
		graphics->EndScene();
		return colour;
	}

	cGraphics* graphics = nullptr;
	std::unique_ptr<cTexture> white;
	cScreenCameraObject* screen = nullptr;
};
}

TEST_F(SceneLightTest, ALightCollectedInThePassLightsWhatIsDrawnAndIsOffOtherwise)
{
	const D3DCOLOR unlit = DrawGrey();
	EXPECT_TRUE(ColorNear(unlit, 0xFF7F7F7F));

	// The light's ambient part adds a tenth of the square's colour.
	cSceneObject* object = scene->CreateObject("scene_light", "lamp", screen);
	ASSERT_EQ(object->GetTypeName(), "scene_light");
	cLight* light = static_cast<cSceneLight*>(object)->GetLight();
	EXPECT_EQ(light->GetLight().Type, D3DLIGHT_POINT);
	EXPECT_FLOAT_EQ(light->GetLight().Ambient.r, 0.1f);
	EXPECT_FLOAT_EQ(light->GetLight().Diffuse.a, 0);
	EXPECT_TRUE(ColorNear(DrawGrey(), 0xFF8C8C8C, 3));
	EXPECT_EQ(light->GetSlot(), 0);

	object->GetTransform().SetLocalMatrix(Translation(10, 20, -30));
	DrawGrey();
	EXPECT_FLOAT_EQ(light->GetLight().Position.x, 10);
	EXPECT_FLOAT_EQ(light->GetLight().Position.z, -30);

	object->SetVisible(false);
	EXPECT_TRUE(ColorNear(DrawGrey(), unlit));
	EXPECT_EQ(light->GetSlot(), -1) << "switched off by the pass that did not collect it";

	object->GetProperties().SetProperty("diffuse", "0.5 0.5 0.5");
	EXPECT_FLOAT_EQ(light->GetLight().Diffuse.g, 0.5f);
	EXPECT_FLOAT_EQ(light->GetLight().Diffuse.a, 1);
	EXPECT_EQ(object->GetProperties().GetProperty("diffuse"), "0.000000 0.000000 0.000000");
}

TEST_F(SceneLightTest, TwoLightsTakeTwoSlotsAndDestroyingOneKeepsTheOther)
{
	const size_t before = cSceneLightList::GetCount();
	auto* first = static_cast<cSceneLight*>(scene->CreateObject("scene_light", "a", screen));
	auto* second = static_cast<cSceneLight*>(scene->CreateObject("scene_light", "b", screen));
	DrawGrey();
	EXPECT_EQ(first->GetLight()->GetSlot(), 0);
	EXPECT_EQ(second->GetLight()->GetSlot(), 1);
	cLight* kept = second->GetLight();
	delete first;
	EXPECT_EQ(cSceneLightList::GetCount(), before + 1);
	EXPECT_EQ(second->GetLight(), kept);
	DrawGrey();
	EXPECT_GE(kept->GetSlot(), 0);
}

TEST_F(SceneLightTest, LightsBuiltOnAWorkerThreadWhileTheSceneRendersKeepTheirEntries)
{
	auto* holder = new cSceneObject("holder", nullptr);
	std::vector<cSceneLight*> lights;
	std::thread loader([&] {
		for (int index = 0; index < 200; ++index)
			lights.push_back(new cSceneLight("lamp" + std::to_string(index), holder));
	});
	for (int frame = 0; frame < 20; ++frame)
		DrawGrey();
	loader.join();
	std::set<cLight*> distinct;
	for (cSceneLight* light : lights)
		distinct.insert(light->GetLight());
	EXPECT_EQ(distinct.size(), 200u);
	scene->PostReparent(holder, screen, cSceneManager::tCompletion());
	DrawGrey();
	delete holder;
	DrawGrey();
}
