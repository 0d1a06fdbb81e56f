// Text objects: laid out with a font made in the test, drawn through the
// scene and read back, the typewriter reveal, alignment, late fonts and the
// room a cut text needs.

#include "SceneDrawSupport.h"

#include "engine/foundation/cXmlDocument.h"
#include "engine/graphics/cFontResource.h"
#include "engine/graphics/cGraphicsText.h"
#include "engine/scene/cTextObject.h"
#include "engine/scene/sCastQuery.h"

namespace
{
constexpr int kFont = 1;

// A font on a 64 by 32 atlas: 'A' an 8 by 16 block, 'W' 16 by 16, '.' 2 by
// 4 at the bottom; 2 after each glyph.
class TextObjectTest : public SceneDrawTest
{
protected:
	void SetUp() override
	{
		SceneDrawTest::SetUp();
		std::vector<uint32_t> atlas(64 * 32, 0);
		auto fill = [&](int left, int top, int right, int bottom) {
			for (int y = top; y < bottom; ++y)
				for (int x = left; x < right; ++x)
					atlas[size_t(y) * 64 + x] = 0xFFFFFFFF;
		};
		fill(0, 0, 8, 16);
		fill(16, 12, 18, 16);
		fill(24, 0, 40, 16);
		resources.Add("texture", "glyphs", DdsFile(64, 32, atlas));
		const std::string xml = "<resource name=\"test\" type=\"font\" space=\"4\"><texture name=\"glyphs\"/>"
								"<symbol char=\"65\" rect=\"0 0 8 16\" right=\"2\"/>"
								"<symbol char=\"46\" rect=\"16 0 18 16\" right=\"2\"/>"
								"<symbol char=\"87\" rect=\"24 0 40 16\" right=\"2\"/></resource>";
		cMemoryStream text;
		text.Write(xml.data(), uint32_t(xml.size()));
		text.Seek(0, cStream::FromStart);
		cXmlDocument document;
		ASSERT_TRUE(document.Load(text));
		font = std::make_unique<cFontResource>("test", sResourceSource());
		font->ReadDescription(document.GetRoot());
		cGraphicsText::GetInstance()->RegisterFont(kFont, font.get());
	}

	void TearDown() override
	{
		SceneDrawTest::TearDown();
		cGraphicsText::GetInstance()->RegisterFont(kFont, nullptr);
	}

	cTextObject* Text(const std::string& name, float x, float y)
	{
		auto* text = static_cast<cTextObject*>(scene->CreateObject("text", name, screen));
		text->GetTransform().SetLocalMatrix(Translation(x, y, 0));
		return text;
	}

	std::unique_ptr<cFontResource> font;
};

bool Lit(const sPixels& pixels, int x, int y)
{
	return ColorNear(At(pixels, x, y), 0xFFFFFFFF);
}
}

TEST_F(TextObjectTest, TypewriterRevealsTwoCharactersAStepWhileTheWholeTextIsDrawn)
{
	cTextObject* text = Text("line", 100, 500);
	EXPECT_EQ(text->GetTypeName(), "text");
	cSceneObject* object = text;
	sCastQuery query { cTextObject::CastKind };
	object->AcceptCast(query);
	EXPECT_EQ(query.result, text);

	cPropertyBag& properties = text->GetProperties();
	properties.SetProperty("appear_text", "true");
	properties.SetProperty("anim_text", "true");
	properties.SetProperty("font_id", "1");
	properties.SetProperty("text", "AAAAAAAAAA");
	EXPECT_EQ(text->GetTextVisual()->GetGlyphCount(), 10);
	EXPECT_TRUE(text->IsBusy());

	// Every character is drawn from the first frame on: 'A' every 10 pixels.
	sPixels first = Frame(0.06f);
	EXPECT_EQ(text->GetTextVisual()->GetShownCount(), 2);
	for (int x : { 104, 194 })
		EXPECT_TRUE(Lit(first, x, 508)) << x;
	EXPECT_FALSE(Lit(first, 109, 508));
	EXPECT_FALSE(Lit(first, 104, 520));

	for (int step = 2; step <= 4; ++step)
		Frame(0.06f);
	EXPECT_TRUE(text->IsBusy()) << "eight of ten revealed";
	EXPECT_EQ(properties.GetProperty("appear_text"), "true");
	text->GetTransform().SetColor(1, 0, 0, 1);
	sPixels last = Frame(0.06f);
	EXPECT_FALSE(text->IsBusy());
	EXPECT_EQ(properties.GetProperty("appear_text"), "false");
	EXPECT_TRUE(ColorNear(At(last, 194, 508), 0xFFFF0000));

	// Any write restarts it; the reveal needs appear_text again to run.
	properties.SetProperty("appear_text", "true");
	properties.SetProperty("anim_restart", "false");
	EXPECT_EQ(text->GetTextVisual()->GetShownCount(), 0);
	EXPECT_TRUE(text->IsBusy());

	// Without anim_text the frame time does not advance it.
	properties.SetProperty("anim_text", "false");
	Frame(1.0f);
	EXPECT_EQ(text->GetTextVisual()->GetShownCount(), 0);
	EXPECT_FALSE(text->IsBusy());
	EXPECT_EQ(properties.GetProperty("appear_text"), "true");
}

TEST_F(TextObjectTest, AlignmentFlagsPlaceTheTextInItsBox)
{
	cTextObject* text = Text("aligned", 0, 0);
	cTextVisual& visual = *text->GetTextVisual();
	for (const auto& [value, flags] : { std::pair { "cc", 14 }, { "rt", 5 }, { "rc", 13 }, { "c", 2 }, { "x", 0 },
			 { "", 0 }, { "xt", 4 } })
	{
		text->GetProperties().SetProperty("alignment", value);
		EXPECT_EQ(visual.GetAlignment(), flags) << value;
	}

	text->GetProperties().SetProperty("font_id", "1");
	text->GetProperties().SetProperty("text", "A");
	text->GetProperties().SetProperty("alignment", "rt");
	// Right: the glyph ends 2 before the box's right edge; top: at the top.
	sPixels pixels = Frame();
	EXPECT_TRUE(Lit(pixels, 1018, 760));
	EXPECT_FALSE(Lit(pixels, 1010, 760));
	EXPECT_FALSE(Lit(pixels, 1018, 748));
	EXPECT_EQ(cGraphicsText::GetInstance()->GetTextRect().right, 0) << "the drawer's rectangle is put back";
}

TEST_F(TextObjectTest, ATextWaitsForItsFontAndSetsTheOwnersBox)
{
	cTextObject* text = Text("late", 300, 300);
	text->GetProperties().SetProperty("text", "AA");
	EXPECT_TRUE(text->GetTransform().GetLocalBox().IsEmpty());
	EXPECT_FALSE(Lit(Frame(), 304, 308));

	text->GetProperties().SetProperty("font_id", "1");
	const cBoundingBox& box = text->GetTransform().GetLocalBox();
	EXPECT_FLOAT_EQ(box.min.x, -10);
	EXPECT_FLOAT_EQ(box.max.x, 10);
	EXPECT_FLOAT_EQ(box.min.y, -8);
	EXPECT_FLOAT_EQ(box.max.y, 8);
	EXPECT_TRUE(Lit(Frame(), 304, 308));

	// The hit test takes the pick ray as a segment against that box.
	scene->GetPickRay() = { cVector3d(305, 305, -1000), cVector3d(0, 0, 2000) };
	EXPECT_TRUE(text->HitTest());
	scene->GetPickRay() = { cVector3d(315, 305, -1000), cVector3d(0, 0, 2000) };
	EXPECT_FALSE(text->HitTest());
}

TEST_F(TextObjectTest, ACutTextHasRoomForItsEllipsis)
{
	cModel narrow;
	AddQuad(narrow, 0, 0, 1, 16);
	resources.Add("model", "narrow", ModelBytes(narrow));
	cTextObject* text = Text("cut", 0, 0);
	cTextVisual& visual = *text->GetTextVisual();
	cPropertyBag& properties = text->GetProperties();
	properties.SetProperty("font_id", "1");
	properties.SetProperty("short_text", "true");

	// A word wider than an empty line is placed, then cut; a line break cuts too.
	struct
	{
		const char* model;
		const char* text;
	} cases[] = { { "", "A\n" }, { "narrow", "W" }, { "narrow", "A" } };
	for (const auto& c : cases)
	{
		if (*c.model)
			text->SetModel(c.model);
		properties.SetProperty("text", c.text);
		EXPECT_EQ(visual.GetGlyphCount(), 4) << c.text << ": the glyph and \"...\"";
		EXPECT_LE(size_t(visual.GetTextLayout()->vertexCount), visual.GetVertexCapacity()) << c.text;
	}

	// Writing the value it has does not lay the text out again.
	visual.GetTextLayout()->vertexCount = 0;
	properties.SetProperty("short_text", "true");
	EXPECT_EQ(visual.GetGlyphCount(), 0);
	properties.SetProperty("short_text", "false");
	EXPECT_EQ(visual.GetGlyphCount(), 1);
}
