#pragma once
// In-game screens on the screen with real input: the slot fixture's window,
// device, input and screen camera (640 by 480, y up), plus the content the
// screens look up: the motion "slide" (x equal to the key time), a white
// texture with the quad models "block" (40 by 40 from its origin) and
// "wide" (200 by 40), a red 40 by 40 quad "marker", font 22 whose 'A' is an 8 by 16 block, and the texts
// "press_any_key" ("AAAA") and "diary\location<k>" ("A" repeated k times);
// the object type "light" is registered.

#include "../../engine/graphics/ModelTestSupport.h"
#include "../../engine/windows/WindowTestSupport.h"
#include "../play/SlotScreenFixture.h"

#include "engine/foundation/cXmlDocument.h"
#include "engine/graphics/cFontResource.h"
#include "engine/graphics/cGraphicsText.h"
#include "engine/resources/cTextManager.h"
#include "engine/resources/cXmlResource.h"

#include <algorithm>
#include <memory>

class cScreenTest : public cSlotScreenFixture
{
protected:
	static constexpr int kFont = 22;

	void SetUp() override
	{
		cSlotScreenFixture::SetUp();
		if (HasFatalFailure())
			return;
		content.AddMotion("slide", SlideBytes());
		resources.Add("texture", "white", DdsFile(16, 16, std::vector<uint32_t>(16 * 16, 0xFFFFFFFF)));
		resources.Add("model", "block", QuadModel(0, 0, 40, 40));
		resources.Add("model", "wide", QuadModel(0, 0, 200, 40));
		resources.Add("texture", "red", DdsFile(1, 1, { 0xFFFF0000 }));
		resources.Add("model", "marker", QuadModel(0, 0, 40, 40, "red"));
		const std::string font = "<resource name=\"prompt\" type=\"font\"><texture name=\"white\"/>"
								 "<symbol char=\"65\" rect=\"0 0 8 16\" right=\"2\"/></resource>";
		cXmlDocument document;
		std::unique_ptr<cMemoryStream> fontStream(StreamOf(font));
		ASSERT_TRUE(document.Load(*fontStream));
		m_font = std::make_unique<cFontResource>("prompt", sResourceSource());
		m_font->ReadDescription(document.GetRoot());
		cGraphicsText::GetInstance()->RegisterFont(kFont, m_font.get());
		m_texts.reset(new cXmlResource("screen_texts", sResourceSource(StreamOf(kTexts), "")));
		m_texts->AddToIndex();
		cTextManager::GetInstance()->LoadFromXml(cResourceHandle::InitByName<cXmlResource>("screen_texts"));
		if (scene->GetObjectTypeId("light") < 0)
			RegisterLightType();
		// The device placed the window anew: the cursor goes back over it.
		PlaceCursor(kWidth / 2, kHeight / 2);
	}

	void TearDown() override
	{
		if (m_texts)
			m_texts->RemoveFromIndex();
		cGraphicsText::GetInstance()->RegisterFont(kFont, nullptr);
		if (scene)
			while (cSceneObject* modal = scene->GetTopModal())
				scene->SetModal(modal, false);
		cSlotScreenFixture::TearDown();
	}

	static tBytes QuadModel(float left, float bottom, float right, float top, const std::string& texture = "white")
	{
		cModel model;
		AddQuad(model, left, bottom, right, top);
		model.materials.push_back(Material(0, 2, { texture }));
		return ModelBytes(model);
	}

	// The scene's input pass and its update by dt.
	void Pass(float dt)
	{
		scene->DispatchInput();
		scene->Update(dt);
	}

	// A frame without input events, then the passes.
	void Step(float dt)
	{
		Frame();
		Pass(dt);
	}

	// The cursor over the logical point (y up).
	void MoveTo(int x, int y) { PlaceCursor(x, kHeight - y); }

	// A left click over the window, then the passes.
	void Click(float dt)
	{
		ClickButtons({ cInputManager::kLeftButton });
		Pass(dt);
	}

	// A key going down, the passes, and the key up again.
	void Tap(BYTE code, float dt)
	{
		PressKey(code);
		Pass(dt);
		ReleaseKey(code);
	}

	// The scene drawn and read back.
	sPixels Draw()
	{
		graphics->BeginScene();
		scene->Render();
		sPixels pixels = ReadBackBuffer();
		graphics->EndScene();
		return pixels;
	}

	// The pixel at the logical point (y up), opaque.
	static D3DCOLOR At(const sPixels& pixels, int x, int y)
	{
		return pixels.At(UINT(x), UINT(kHeight - 1 - y)) | 0xFF000000;
	}

	// The brightest green channel inside the logical box (y up).
	static int Brightest(const sPixels& pixels, int left, int bottom, int right, int top)
	{
		int brightest = 0;
		for (int y = bottom; y < top; ++y)
			for (int x = left; x < right; ++x)
				brightest = std::max(brightest, int((At(pixels, x, y) >> 8) & 0xFF));
		return brightest;
	}

	cTestResources resources;
	cSceneContent content;

private:
	static constexpr const char* kTexts =
		R"(<strings><group><group name="texts"><group name="default"><group name="default">
		<phrase name="press_any_key" text="AAAA"/></group>
		<group name="diary"><phrase name="location0" text=""/><phrase name="location1" text="A"/>
		<phrase name="location2" text="AA"/><phrase name="location3" text="AAA"/></group>
		</group></group></group></strings>)";

	std::unique_ptr<cFontResource> m_font;
	std::unique_ptr<cXmlResource> m_texts;
};
