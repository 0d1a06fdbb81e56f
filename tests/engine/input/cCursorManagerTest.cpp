// The cursor manager: system cursors from the shipped images, model
// cursors drawn at the mouse (pixels read back), switching by name in both
// modes, the system cursor's display counter, and selections made by
// another thread.

#include "InputManagerFixture.h"
#include "../graphics/ModelTestSupport.h"

#include "engine/input/cCursorManager.h"

#include <optional>

namespace
{
constexpr D3DCOLOR kRed = 0xFFFF0000;
constexpr D3DCOLOR kBlack = 0xFF000000;

// The selected system cursor.
HCURSOR SystemCursor()
{
	HCURSOR cursor = SetCursor(nullptr);
	SetCursor(cursor);
	return cursor;
}

// The system cursor's display counter: it shows while this is 0 or more.
int DisplayCount()
{
	const int count = ShowCursor(TRUE);
	ShowCursor(FALSE);
	return count - 1;
}

// The name of the model resource behind a software cursor.
std::string ModelName(const cModelController* cursor)
{
	return cursor ? cursor->GetModelHandle().GetResource().Get()->GetName() : "none";
}

class cCursorManagerTest : public cInputManagerFixture
{
protected:
	void SetUp() override
	{
		cInputManagerFixture::SetUp();
		if (HasFatalFailure())
			return;
		StartGraphics(kWidth, kHeight);
		m_resources.emplace();
		m_cursors = Singletone<cCursorManager>::GetInstance();
		for (const auto& [name, id] : { std::pair { "cursor", 102 }, { "dialog", 103 }, { "hours", 105 }, { "lens", 104 } })
			m_cursors->LoadHardwareCursor(name, static_cast<unsigned short>(id));
	}

	// The manager holds the test's models: it goes before they do, and the
	// next test starts with a manager of its own.
	void TearDown() override
	{
		delete m_cursors;
		cInputManagerFixture::TearDown();
	}

	// Software cursors: a 16 by 16 quad below and right of its origin, red
	// for "cursor" and green for "dialog".
	void AddModels()
	{
		const std::pair<const char*, D3DCOLOR> colours[] = { { "cursor", kRed }, { "dialog", 0xFF00FF00 } };
		for (const auto& [name, colour] : colours)
		{
			const std::string texture = std::string(name) + "_texture";
			m_resources->Add("texture", texture, DdsFile(1, 1, { colour }));
			cModel model;
			AddQuad(model, 0, -16, 16, 0);
			model.materials.push_back(Material(0, 2, { texture + ".dds" }));
			m_resources->Add("model", std::string(name) + "_model", ModelBytes(model));
			m_cursors->SetCursorModel(name, std::string(name) + "_model");
		}
	}

	// One frame: input polled, the cursor updated and drawn; the pixels read back.
	sPixels DrawFrame()
	{
		Frame();
		m_cursors->Update(0.016f);
		cGraphics* graphics = cGraphics::GetInstance();
		graphics->BeginScene();
		m_cursors->Render();
		sPixels pixels = ReadBackBuffer();
		graphics->EndScene();
		return pixels;
	}

	std::optional<cTestResources> m_resources;
	cCursorManager* m_cursors = nullptr;
};
}

TEST_F(cCursorManagerTest, SystemCursorsComeFromTheShippedImages)
{
	HCURSOR first = m_cursors->GetHardwareCursor("cursor");
	for (const char* name : { "cursor", "dialog", "hours", "lens" })
		EXPECT_NE(m_cursors->GetHardwareCursor(name), nullptr) << name;
	EXPECT_NE(first, m_cursors->GetHardwareCursor("dialog"));
	m_cursors->LoadHardwareCursor("cursor", 103);
	EXPECT_EQ(m_cursors->GetHardwareCursor("cursor"), first) << "the first image stays";

	// A resource that cannot be loaded: selecting it shows no image.
	m_cursors->LoadHardwareCursor("missing", 999);
	EXPECT_EQ(m_cursors->GetHardwareCursor("missing"), nullptr);
	m_cursors->SetHardwareCursor(true);
	m_cursors->SetCursor("cursor");
	EXPECT_EQ(SystemCursor(), first);
	m_cursors->SetCursor("missing");
	EXPECT_EQ(SystemCursor(), nullptr);
}

TEST_F(cCursorManagerTest, SwitchingByNameInBothModes)
{
	AddModels();
	m_cursors->SetCursorOffset("dialog", cVector3d(1, 2, 0));
	EXPECT_FALSE(m_cursors->IsHardware());
	EXPECT_EQ(m_cursors->GetCurrentModel(), nullptr);
	m_cursors->SetCursor("cursor");
	EXPECT_EQ(ModelName(m_cursors->GetCurrentModel()), "cursor_model");
	m_cursors->SetCursor("dialog");
	EXPECT_EQ(ModelName(m_cursors->GetCurrentModel()), "dialog_model");
	EXPECT_EQ(m_cursors->GetCurrentOffset().y, 2);
	// "hours" has no model: only the name changes.
	m_cursors->SetCursor("hours");
	EXPECT_EQ(m_cursors->GetCursorName(), "hours");
	EXPECT_EQ(ModelName(m_cursors->GetCurrentModel()), "dialog_model");
	// A name without an offset keeps the one before.
	m_cursors->SetCursor("cursor");
	EXPECT_EQ(m_cursors->GetCurrentOffset().x, 1);

	// To hardware with "dialog" selected: its system cursor shows at once.
	m_cursors->SetCursor("dialog");
	m_cursors->ShowCursor(true);
	EXPECT_LT(DisplayCount(), 0) << "the system cursor is hidden under a model cursor";
	m_cursors->SetHardwareCursor(true);
	EXPECT_EQ(SystemCursor(), m_cursors->GetHardwareCursor("dialog"));
	EXPECT_GE(DisplayCount(), 0);
	m_cursors->SetCursor("lens");
	EXPECT_EQ(SystemCursor(), m_cursors->GetHardwareCursor("lens"));
	m_cursors->SetCursor("nothing by this name");
	EXPECT_EQ(SystemCursor(), m_cursors->GetHardwareCursor("lens"));
	m_cursors->ShowCursor(false);
	EXPECT_LT(DisplayCount(), 0);
	m_cursors->ShowCursor(true);
	EXPECT_GE(DisplayCount(), 0);

	// Back to software: "cursor" has a model, so it becomes the model cursor.
	m_cursors->SetCursor("cursor");
	m_cursors->SetHardwareCursor(false);
	EXPECT_EQ(ModelName(m_cursors->GetCurrentModel()), "cursor_model");
	EXPECT_LT(DisplayCount(), 0);
}

TEST_F(cCursorManagerTest, RepeatedRequestsNeverLoseTheSystemCursor)
{
	for (int i = 0; i < 5; ++i)
		m_cursors->ShowCursor(true);
	m_cursors->SetHardwareCursor(false);
	m_cursors->SetHardwareCursor(true);
	EXPECT_GE(DisplayCount(), 0);
	for (int round = 0; round < 3; ++round)
	{
		m_cursors->SetHardwareCursor(false);
		m_cursors->ShowCursor(true);
		EXPECT_EQ(DisplayCount(), -1);
		m_cursors->SetHardwareCursor(true);
		m_cursors->ShowCursor(true);
		EXPECT_EQ(DisplayCount(), 0);
	}
}

TEST_F(cCursorManagerTest, AnotherThreadsSelectionTakesEffectInTheNextUpdate)
{
	AddModels();
	m_cursors->SetCursor("cursor");
	std::thread([&] { m_cursors->SetCursor("dialog"); }).join();
	EXPECT_EQ(m_cursors->GetCursorName(), "cursor");
	EXPECT_EQ(ModelName(m_cursors->GetCurrentModel()), "cursor_model");
	m_cursors->Update(0.016f);
	EXPECT_EQ(m_cursors->GetCursorName(), "dialog");
	EXPECT_EQ(ModelName(m_cursors->GetCurrentModel()), "dialog_model");

	m_cursors->SetHardwareCursor(true);
	std::thread([&] { m_cursors->SetCursor("hours"); }).join();
	EXPECT_EQ(SystemCursor(), m_cursors->GetHardwareCursor("dialog"));
	m_cursors->Update(0.016f);
	EXPECT_EQ(SystemCursor(), m_cursors->GetHardwareCursor("hours"));

	// The main thread's own later choice wins over one still waiting.
	std::thread([&] { m_cursors->SetCursor("lens"); }).join();
	m_cursors->SetCursor("cursor");
	m_cursors->Update(0.016f);
	EXPECT_EQ(m_cursors->GetCursorName(), "cursor");
}

TEST_F(cCursorManagerTest, TheModelCursorIsDrawnAtTheMouse)
{
	AddModels();
	m_cursors->SetCursor("cursor");
	m_cursors->ShowCursor(true);
	m_cursors->InitCamera();
	StartInput();

	PlaceCursor(100, 50);
	sPixels pixels = DrawFrame();
	// The quad hangs below and right of the point under the mouse.
	EXPECT_TRUE(ColorNear(pixels.At(101, 51), kRed));
	EXPECT_TRUE(ColorNear(pixels.At(114, 64), kRed));
	EXPECT_TRUE(ColorNear(pixels.At(98, 58), kBlack));
	EXPECT_TRUE(ColorNear(pixels.At(108, 48), kBlack));
	EXPECT_TRUE(ColorNear(pixels.At(118, 58), kBlack));

	PlaceCursor(300, 200);
	pixels = DrawFrame();
	EXPECT_TRUE(ColorNear(pixels.At(308, 208), kRed));
	EXPECT_TRUE(ColorNear(pixels.At(108, 58), kBlack));

	// The offset moves it in the camera's space (y up).
	m_cursors->SetCursorOffset("cursor", cVector3d(20, -10, 0));
	m_cursors->SetCursor("cursor");
	pixels = DrawFrame();
	EXPECT_TRUE(ColorNear(pixels.At(328, 218), kRed));
	EXPECT_TRUE(ColorNear(pixels.At(308, 208), kBlack));

	m_cursors->ShowCursor(false);
	EXPECT_TRUE(ColorNear(DrawFrame().At(328, 218), kBlack)) << "hidden";
	m_cursors->ShowCursor(true);
	m_cursors->SetHardwareCursor(true);
	EXPECT_TRUE(ColorNear(DrawFrame().At(328, 218), kBlack)) << "the system cursor shows instead";
}
