// The scene drawn for real: overlapping squares read back from the back
// buffer show the sorted order, the camera taken from the collection, and
// colours capped by their parents.

#include "ScreenSquares.h"

#include <memory>

TEST_F(SceneTest, DrawsSortedBySortKeyThenDepthWithModalDialogsOnTop)
{
	cGraphics* graphics = StartGraphics(1024, 768);
	auto* screen = new cScreenCameraObject("camera", root());
	SetScreenCamera(screen->camera);
	screen->camera.SetDepthTest(false); // the picture shows the draw order alone
	std::unique_ptr<cTexture> white(WhiteTexture());

	const sColor red(1, 0, 0, 1), green(0, 1, 0, 1), blue(0, 0, 1, 1), yellow(1, 1, 0, 1), white4(1, 1, 1, 1);
	// Declared in the reverse of the order they must be drawn in.
	auto* dialog = Square("dialog", screen, 190, 190, 150, 30, yellow, 100);
	dialog->SetModal(true);
	Square("blue", screen, 160, 160, 50, 40, blue, 1);  // a higher key beats a smaller z
	Square("green", screen, 150, 150, 2, 100, green);   // nearer than red: drawn after it
	Square("red", screen, 100, 100, 5, 100, red);
	auto* faded = new cSceneObject("faded", screen);
	faded->GetTransform().SetColor(1, 1, 1, 0.5f);
	Square("capped", faded, 400, 400, 0, 50, white4);
	auto* gone = new cSceneObject("gone", screen);
	gone->GetTransform().SetColor(1, 1, 1, 0);
	Square("invisible", gone, 600, 100, 0, 50, white4);
	scene->Update(0);

	graphics->BeginScene();
	white->Bind(0);
	scene->Render();
	sPixels pixels = ReadBackBuffer();
	graphics->EndScene();

	EXPECT_EQ(graphics->GetCurrentCamera(), &screen->camera);
	EXPECT_TRUE(ColorNear(At(pixels, 120, 120), 0xFFFF0000));
	EXPECT_TRUE(ColorNear(At(pixels, 230, 230), 0xFF00FF00));
	EXPECT_TRUE(ColorNear(At(pixels, 175, 155), 0xFF00FF00)); // red under green
	EXPECT_TRUE(ColorNear(At(pixels, 170, 170), 0xFF0000FF)); // all three: blue on top
	EXPECT_TRUE(ColorNear(At(pixels, 195, 195), 0xFFFFFF00)); // the dialog over everything
	EXPECT_TRUE(ColorNear(At(pixels, 425, 425), 0xFF808080, 3)); // white at the parent's half alpha
	EXPECT_TRUE(ColorNear(At(pixels, 625, 125), 0xFF000000));
	EXPECT_EQ(scene->GetDrawQueue().size(), 5u);
}

TEST_F(SceneTest, LightingFollowsEachObjectsLightRecWhenOnAtTheStart)
{
	cGraphics* graphics = StartGraphics(1024, 768);
	auto* screen = new cScreenCameraObject("camera", root());
	SetScreenCamera(screen->camera);
	std::unique_ptr<cTexture> white(WhiteTexture());
	const sColor grey(0.5f, 0.5f, 0.5f, 1);
	Square("lit", screen, 100, 100, 0, 50, grey)->GetProperties().SetProperty("light_rec", "true");
	Square("unlit", screen, 300, 100, 0, 50, grey, 1);
	scene->Update(0);

	// Lighting off at the start: nothing switches it on.
	graphics->BeginScene();
	graphics->SetLighting(false);
	white->Bind(0);
	scene->Render();
	EXPECT_FALSE(graphics->GetLighting());
	graphics->EndScene();

	// On at the start: each object draws with its own flag, and it is on again after.
	DWORD lightingOfUnlit = 1;
	struct cProbeLighting : cSceneObject
	{
		using cSceneObject::cSceneObject;
		void DrawSelf() override { *seen = Singletone<cGraphics>::GetInstance()->GetLighting(); }
		DWORD* seen = nullptr;
	};
	auto* probe = new cProbeLighting("probe", screen);
	probe->SetForceDraw(true);
	probe->SetSortKey(2);
	probe->seen = &lightingOfUnlit;
	scene->Update(0);
	graphics->BeginScene();
	graphics->SetLighting(true);
	white->Bind(0);
	scene->Render();
	EXPECT_EQ(lightingOfUnlit, 0u);
	EXPECT_TRUE(graphics->GetLighting());
	graphics->EndScene();
}
