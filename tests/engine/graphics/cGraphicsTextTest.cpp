// The text renderer: the font registry, layouts without a font, bounded
// formatting, and text drawn through the device under a display with the
// pixels read back. Every test runs in a child process: the renderer, the
// device and the resource indexes are process-wide.

#include "../foundation/ChildProcess.h"
#include "../foundation/TempFolder.h"
#include "cGraphicsTextTestDevice.h"

#include "engine/foundation/cXmlDocument.h"
#include "engine/graphics/cFontResource.h"
#include "engine/graphics/cGraphicsText.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace
{
const D3DCOLOR kRed = 0xFF0000;
const D3DCOLOR kBlack = 0;
const sColor kRedText(1.0f, 0.0f, 0.0f, 1.0f);

// A font described in XML, without bytes of its own.
cFontResource* DescribedFont(const std::string& name, const std::string& texture)
{
	cFontResource* font = new cFontResource(name, sResourceSource());
	cMemoryStream text;
	std::string xml = "<resource name=\"" + name + "\" type=\"font\"><texture name=\"" + texture +
		"\"/><symbol char=\"65\" rect=\"0 0 8 16\"/></resource>";
	text.Write(xml.data(), uint32_t(xml.size()));
	text.Seek(0, cStream::FromStart);
	cXmlDocument document;
	document.Load(text);
	font->ReadDescription(document.GetRoot());
	return font;
}

size_t FormatInto(wchar_t* buffer, size_t size, const wchar_t* format, ...)
{
	va_list arguments;
	va_start(arguments, format);
	size_t length = cGraphicsTextBase::FormatLine(buffer, size, format, arguments);
	va_end(arguments);
	return length;
}

TEST(GraphicsTextFonts, RegistryHoldsOneReferencePerIdAndSelectsOnlyRegisteredIds)
{
	RunInChild([] {
		cFontResource* first = DescribedFont("first", "nowhere");
		cFontResource* second = DescribedFont("second", "nowhere");
		first->AddToIndex();
		second->AddToIndex();
		cGraphicsText* text = cGraphicsText::GetInstance();
		testing::internal::CaptureStderr();
		EXPECT_EQ(5, text->RegisterFont(5, first));
		EXPECT_EQ(1, first->GetLoadCount());
		text->RegisterFont(5, second);
		EXPECT_EQ(0, first->GetLoadCount()) << "the replaced font is given back";
		EXPECT_EQ(1, second->GetLoadCount());
		text->RegisterFont(2, first);
		text->RegisterFont(2, first);
		EXPECT_EQ(1, first->GetLoadCount()) << "registering the same font again keeps one reference";

		text->SelectFont(9);
		EXPECT_EQ(-1, text->GetCurrentFontId());
		text->SelectFont(5);
		EXPECT_EQ(5, text->GetCurrentFontId());

		sTextLayout layout;
		RECT box {0, 0, 100, 100};
		text->LayoutText(9, box, layout, L"A", 0);
		EXPECT_EQ(first, layout.font) << "an unknown id takes the font of the smallest id";
		std::string log = testing::internal::GetCapturedStderr();
		EXPECT_NE(std::string::npos, log.find("Font : 9 , wasn't found\n")) << log;

		text->RegisterFont(5, nullptr);
		EXPECT_EQ(0, second->GetLoadCount());
		text->SelectFont(5);
		EXPECT_EQ(-1, text->GetCurrentFontId());
		text->RegisterFont(2, nullptr);
		for (cFontResource* font : {first, second})
		{
			font->RemoveFromIndex();
			delete font;
		}
	});
}

TEST(GraphicsTextFonts, NoRegisteredFontLaysOutNothing)
{
	RunInChild([] {
		cGraphicsText* text = cGraphicsText::GetInstance();
		sTextVertex vertices[16];
		for (int options : {0, int(TextSingleLine), int(TextEllipsis)})
		{
			sTextLayout layout;
			layout.vertices = vertices;
			layout.vertexCapacity = 16;
			RECT box {0, 0, 1, 1};
			testing::internal::CaptureStderr();
			text->LayoutText(0, box, layout, L"AB\nC", options);
			EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find("Font : 0 , wasn't found"));
			EXPECT_EQ(0, layout.vertexCount);
			EXPECT_EQ(nullptr, layout.font);
			EXPECT_FALSE(layout.bounds.IsEmpty());
			EXPECT_FLOAT_EQ(0.0f, layout.bounds.max.x);
		}
		text->DrawFormatted(0, kRedText, L"%ls", L"no font selected");
		EXPECT_EQ(0u, text->GetVertexBuffer().GetCount());
	});
}

TEST(GraphicsTextFormat, LongLinesAreCutAndTerminated)
{
	const std::wstring longArgument(5000, L'x');
	std::vector<wchar_t> memory(cGraphicsTextBase::FormattedLineSize + 8, L'#');
	size_t length = FormatInto(memory.data(), cGraphicsTextBase::FormattedLineSize, L"%ls!", longArgument.c_str());
	EXPECT_EQ(cGraphicsTextBase::FormattedLineSize - 1, length);
	EXPECT_EQ(0, memory[cGraphicsTextBase::FormattedLineSize - 1]);
	EXPECT_EQ(L'x', memory[cGraphicsTextBase::FormattedLineSize - 2]);
	EXPECT_EQ(L'#', memory[cGraphicsTextBase::FormattedLineSize]) << "nothing is written past the buffer";

	wchar_t line[32];
	EXPECT_EQ(11u, FormatInto(line, 32, L"%d items %ls", 42, L"ok"));
	EXPECT_EQ(std::wstring(L"42 items ok"), std::wstring(line));
}

// A font "test" on a 64 by 32 atlas: 'A' an opaque 8 by 16 block, 'B' 4 by
// 16, '.' 2 by 4 at the bottom of its 16 rows; each glyph adds 2 after it;
// space 4. Found through a resource list in the mounted folder "data".
class cTextDrawing
{
public:
	cTextDrawing() : device(256, 192)
	{
		sTestImage atlas(64, 32);
		atlas.FillRect(0, 0, 8, 16, 0xFFFFFFFF);
		atlas.FillRect(8, 0, 12, 16, 0xFFFFFFFF);
		atlas.FillRect(16, 12, 18, 16, 0xFFFFFFFF);
		cTempFolder::WriteFile(folder.Work() + "/data/atlas.tga", atlas.Tga());
		cTempFolder::WriteFile(folder.Work() + "/data/fonts.resource",
			"<resources><resource name=\"test\" type=\"font\" space=\"4\"><texture name=\"atlas\"/>"
			"<symbol char=\"65\" rect=\"0 0 8 16\" right=\"2\"/>"
			"<symbol char=\"66\" rect=\"8 0 12 16\" right=\"2\"/>"
			"<symbol char=\"46\" rect=\"16 0 18 16\" right=\"2\"/></resource></resources>");
		cResourceManager::GetInstance()->AddSource("data");
		text = cGraphicsText::GetInstance();
		font = cResourceManager::GetResourceByName<cFontResource>("test");
		text->RegisterFont(1, font);
		font->Release();
		text->SelectFont(1);
		text->GetTextRect() = RECT {0, 0, 256, 192};
	}

	// Lays the text out into own memory and draws it as a layout.
	sBackBuffer DrawLayout(const wchar_t* characters, int boxWidth, int alignment, int options)
	{
		std::vector<sTextVertex> vertices(64);
		sTextLayout layout;
		layout.vertices = vertices.data();
		layout.vertexCapacity = uint32_t(vertices.size());
		layout.alignment = alignment;
		device.BeginFrame();
		text->LayoutText(1, RECT {0, 0, boxWidth, 100}, layout, characters, options);
		text->DrawLayout(layout, kRedText);
		return device.EndFrame();
	}

	cTempFolder folder;
	cTestGraphicsDevice device;
	cGraphicsText* text = nullptr;
	cFontResource* font = nullptr;
};

TEST(GraphicsTextDrawing, FormattedLineAlignedTopRightInTheTextRectangle)
{
	RunInChild([] {
		cTextDrawing drawing;
		drawing.device.BeginFrame();
		drawing.device.graphics->SetTextureFilter(D3DTEXF_NONE);
		drawing.text->DrawFormatted(TextAlignRight | TextAlignTop, kRedText, L"A%ls", L"B");
		DWORD filter = 0;
		GraphicsDevice()->GetSamplerState(0, D3DSAMP_MINFILTER, &filter);
		EXPECT_EQ(DWORD(D3DTEXF_NONE), filter) << "the filter comes back after the draw";
		sBackBuffer pixels = drawing.device.EndFrame();
		// "AB" is 16 wide: 'A' on 240..248 and 'B' on 250..254 of the top 16 rows.
		EXPECT_EQ(kRed, pixels.At(244, 8));
		EXPECT_EQ(kRed, pixels.At(252, 8));
		EXPECT_EQ(kBlack, pixels.At(249, 8));
		EXPECT_EQ(kBlack, pixels.At(244, 20));
		EXPECT_EQ(kBlack, pixels.At(236, 8));
		EXPECT_EQ(kBlack, pixels.At(4, 184));
		EXPECT_EQ(8u, drawing.text->GetVertexBuffer().GetCount());
	});
}

TEST(GraphicsTextDrawing, WrappedLinesCentredInTheBoxAndTheBlock)
{
	RunInChild([] {
		cTextDrawing drawing;
		// "AA " (24 wide) and "AA" (20) in a box 30 wide: the lines start at
		// 3 and 5; the block (3 to 27) is centred on the screen: + 113.
		sBackBuffer pixels = drawing.DrawLayout(L"AA AA", 30, TextAlignCentre, 0);
		EXPECT_EQ(kRed, pixels.AtUp(120, 24));
		EXPECT_EQ(kRed, pixels.AtUp(130, 24));
		EXPECT_EQ(kBlack, pixels.AtUp(125, 24));
		EXPECT_EQ(kRed, pixels.AtUp(122, 8));
		EXPECT_EQ(kRed, pixels.AtUp(132, 8));
		EXPECT_EQ(kBlack, pixels.AtUp(127, 8));
		EXPECT_EQ(kBlack, pixels.AtUp(117, 8));
		EXPECT_EQ(kBlack, pixels.AtUp(120, 40));
	});
}

TEST(GraphicsTextDrawing, EllipsisCutAndMissingGlyph)
{
	RunInChild([] {
		cTextDrawing drawing;
		// "AB " then three dots on 20..22, 24..26, 28..30; "AA" is cut.
		sBackBuffer cut = drawing.DrawLayout(L"AB AA", 30, 0, TextEllipsis);
		EXPECT_EQ(kRed, cut.AtUp(4, 8));
		EXPECT_EQ(kRed, cut.AtUp(12, 8));
		for (int x : {21, 25, 29})
			EXPECT_EQ(kRed, cut.AtUp(x, 2)) << x;
		for (int x : {23, 27, 33, 40})
			EXPECT_EQ(kBlack, cut.AtUp(x, 2)) << x;
		EXPECT_EQ(kBlack, cut.AtUp(21, 12)) << "a dot fills only the bottom of its line";

		// Code 300 is beyond the table: nothing drawn, the pen stays.
		std::wstring missing = std::wstring(L"A") + wchar_t(300) + L"B";
		sBackBuffer skipped = drawing.DrawLayout(missing.c_str(), 200, 0, TextSingleLine);
		EXPECT_EQ(kRed, skipped.AtUp(12, 8));
		EXPECT_EQ(kBlack, skipped.AtUp(16, 8));
	});
}

TEST(GraphicsTextDrawing, ColourTintsAndBlends)
{
	RunInChild([] {
		cTextDrawing drawing;
		drawing.device.BeginFrame();
		drawing.text->DrawFormatted(0, sColor(0.0f, 1.0f, 0.0f, 0.5f), L"A");
		sBackBuffer pixels = drawing.device.EndFrame();
		D3DCOLOR pixel = pixels.AtUp(4, 8);
		EXPECT_EQ(0u, pixel & 0xFF00FF);
		EXPECT_NEAR(127, int((pixel >> 8) & 0xFF), 2);
	});
}
}
