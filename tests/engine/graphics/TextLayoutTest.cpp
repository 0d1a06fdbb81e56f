#include "engine/graphics/TextLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// A font whose printable glyphs are 5 texels wide with half a unit of
// offset on each side (advance 6), 10 units high, space 3, on a 256 by 64
// texture. Glyph 0 (the stand-in for codes beyond the table) advances 4.
class TextLayoutTest : public ::testing::Test
{
protected:
	TextLayoutTest() : m_glyphs(128)
	{
		for (int code = 33; code < 127; ++code)
			m_glyphs[code] = sGlyph{code, 10, code + 5, 20, 0.5f, 0.5f};
		m_glyphs[0] = sGlyph{0, 0, 4, 10, 0.0f, 0.0f};
		m_glyphs[9] = sGlyph{200, 30, 207, 40, 0.0f, 0.0f};
		m_face.glyphs = &m_glyphs;
		m_face.lineHeight = 10;
		m_face.spaceWidth = 3;
		m_face.scale = 1.0f;
		m_face.textureWidth = 256.0f;
		m_face.textureHeight = 64.0f;
	}

	// Lays the text out into fresh vertex memory.
	const sTextLayout& Layout(const std::wstring& text, int options, int boxWidth = 1000, int alignment = 0)
	{
		m_vertices.assign(400, sTextVertex{-1, -1, -1, -1, -1});
		m_layout = sTextLayout();
		m_layout.vertices = m_vertices.data();
		m_layout.vertexCapacity = static_cast<uint32_t>(m_vertices.size());
		m_layout.alignment = alignment;
		RECT box{0, 0, boxWidth, 50};
		LayoutTextWithFace(m_face, box, m_layout, text.c_str(), options);
		return m_layout;
	}

	// The left x of the quads in order.
	std::vector<float> QuadLefts() const
	{
		std::vector<float> lefts;
		for (int i = 0; i < m_layout.vertexCount; i += 4)
			lefts.push_back(m_vertices[i].x);
		return lefts;
	}

	// The lower edge y of the quads in order.
	std::vector<float> QuadBottoms() const
	{
		std::vector<float> bottoms;
		for (int i = 0; i < m_layout.vertexCount; i += 4)
			bottoms.push_back(m_vertices[i].y);
		return bottoms;
	}

	std::vector<sGlyph> m_glyphs;
	sFontFace m_face;
	std::vector<sTextVertex> m_vertices;
	sTextLayout m_layout;
};

TEST(TextTokenTest, SplitsWordsBlanksAndEachNewlineCharacter)
{
	std::wstring text = L"ab \t c\r\nd\t";
	std::vector<sTextToken> tokens;
	Tokenize(text.c_str(), tokens);
	struct
	{
		bool newline;
		bool blank;
		size_t start;
		uint32_t length;
	} expected[] = {{false, false, 0, 2}, {false, true, 2, 3}, {false, false, 5, 1}, {true, false, 6, 1},
		{true, false, 7, 1}, {false, false, 8, 1}, {false, true, 9, 1}};
	ASSERT_EQ(std::size(expected), tokens.size());
	for (size_t i = 0; i < tokens.size(); ++i)
	{
		EXPECT_EQ(expected[i].newline, tokens[i].newline) << i;
		EXPECT_EQ(expected[i].blank, tokens[i].blank) << i;
		EXPECT_EQ(text.c_str() + expected[i].start, tokens[i].start) << i;
		EXPECT_EQ(expected[i].length, tokens[i].length) << i;
	}
	sTextToken token;
	EXPECT_FALSE(NextToken(L"", token));
	EXPECT_FALSE(NextToken(nullptr, token));
}

TEST_F(TextLayoutTest, SingleLineQuadsCoordinatesAndBounds)
{
	const sTextLayout& layout = Layout(L"A B", TextSingleLine);
	ASSERT_EQ(8, layout.vertexCount);
	// 'A' from 0.5 to 5.5, pen 6, space to 9, 'B' from 9.5 to 14.5, pen 15.
	const sTextVertex* v = m_vertices.data();
	float u0 = 65.0f / 256.0f, u1 = 70.0f / 256.0f, vTop = 10.0f / 64.0f, vBottom = 20.0f / 64.0f;
	EXPECT_FLOAT_EQ(0.5f, v[0].x);
	EXPECT_FLOAT_EQ(0.0f, v[0].y);
	EXPECT_FLOAT_EQ(u0, v[0].u);
	EXPECT_FLOAT_EQ(vBottom, v[0].v);
	EXPECT_FLOAT_EQ(0.5f, v[1].x);
	EXPECT_FLOAT_EQ(10.0f, v[1].y);
	EXPECT_FLOAT_EQ(vTop, v[1].v);
	EXPECT_FLOAT_EQ(5.5f, v[2].x);
	EXPECT_FLOAT_EQ(10.0f, v[2].y);
	EXPECT_FLOAT_EQ(u1, v[2].u);
	EXPECT_FLOAT_EQ(5.5f, v[3].x);
	EXPECT_FLOAT_EQ(0.0f, v[3].y);
	EXPECT_FLOAT_EQ(vBottom, v[3].v);
	EXPECT_FLOAT_EQ(9.5f, v[4].x);
	EXPECT_FLOAT_EQ(15.0f, layout.bounds.max.x);
	EXPECT_FLOAT_EQ(10.0f, layout.bounds.max.y);
	EXPECT_FLOAT_EQ(0.0f, layout.bounds.min.x);
	EXPECT_FLOAT_EQ(0.0f, layout.lineHeight) << "single-line layouts leave the line height alone";
}

TEST_F(TextLayoutTest, SingleLineDrawsTabGlyphAndSkipsCodesBeyondTheTable)
{
	Layout(std::wstring(L"A\t") + wchar_t(300) + L"B", TextSingleLine);
	// 'A' to 6, tab glyph 9 (7 wide) from 6 to 13, code 300 nothing, 'B' at 13.5.
	EXPECT_EQ((std::vector<float>{0.5f, 6.0f, 13.5f}), QuadLefts());
	EXPECT_FLOAT_EQ(200.0f / 256.0f, m_vertices[4].u);
}

TEST_F(TextLayoutTest, LineBreaksStackLinesFromTheTop)
{
	const sTextLayout& layout = Layout(L"A\r\nB", 0);
	EXPECT_EQ((std::vector<float>{20.0f, 0.0f}), QuadBottoms()) << "three lines: A, an empty one, B";
	EXPECT_FLOAT_EQ(30.0f, layout.bounds.max.y);
	EXPECT_FLOAT_EQ(10.0f, layout.lineHeight);
	EXPECT_FLOAT_EQ(21.0f / 64.0f, m_vertices[0].v) << "multi-line quads end one texel row lower";
	EXPECT_FLOAT_EQ(6.0f, layout.bounds.max.x);
	EXPECT_FLOAT_EQ(0.0f, layout.bounds.min.x);
}

TEST_F(TextLayoutTest, WordWrapIsStrict)
{
	// "AA" 12, blank 3, "BB" 12: the whole text is 27 wide.
	struct
	{
		int boxWidth;
		std::vector<float> bottoms;
	} cases[] = {
		{28, {0, 0, 0, 0}},
		{27, {10, 10, 0, 0}},
		{14, {10, 10, 0, 0}},
	};
	for (const auto& c : cases)
	{
		Layout(L"AA BB", 0, c.boxWidth);
		EXPECT_EQ(c.bottoms, QuadBottoms()) << "box " << c.boxWidth;
	}
	Layout(L"AA BB", 0, 13);
	EXPECT_EQ((std::vector<float>{10, 10, 0, 0}), QuadBottoms()) << "the blank is dropped at the break";
	EXPECT_FLOAT_EQ(0.5f, m_vertices[8].x) << "the second line starts at the left edge";
}

TEST_F(TextLayoutTest, AlignmentOfEachLineInTheBox)
{
	struct
	{
		int alignment;
		float firstX;
	} cases[] = {{TextAlignLeft, 0.5f}, {TextAlignRight, 100 - 12 + 0.5f}, {TextAlignCentre, 44 + 0.5f}};
	for (const auto& c : cases)
	{
		const sTextLayout& layout = Layout(L"AA", 0, 100, c.alignment);
		EXPECT_FLOAT_EQ(c.firstX, m_vertices[0].x) << c.alignment;
		EXPECT_FLOAT_EQ(c.firstX - 0.5f, layout.bounds.min.x) << c.alignment;
	}
}

TEST_F(TextLayoutTest, WordWiderThanTheBoxStandsAloneWithWidthZero)
{
	struct
	{
		int alignment;
		float firstX;
	} cases[] = {{TextAlignLeft, 0.5f}, {TextAlignRight, 10.5f}, {TextAlignCentre, 5.5f}};
	for (const auto& c : cases)
	{
		Layout(L"AAA B", 0, 10, c.alignment);
		EXPECT_EQ((std::vector<float>{10, 10, 10, 0}), QuadBottoms());
		EXPECT_FLOAT_EQ(c.firstX, m_vertices[0].x) << c.alignment;
	}
}

TEST_F(TextLayoutTest, EllipsisCutsAtTheFirstBreak)
{
	const sTextLayout& layout = Layout(L"AA BB", TextEllipsis, 27);
	// "AA", the blank (to 15), then three dots.
	EXPECT_EQ((std::vector<float>{0.5f, 6.5f, 15.5f, 21.5f, 27.5f}), QuadLefts());
	EXPECT_EQ((std::vector<float>{0, 0, 0, 0, 0}), QuadBottoms());
	EXPECT_FLOAT_EQ(46.0f / 256.0f, m_vertices[8].u);
	EXPECT_FLOAT_EQ(10.0f, layout.bounds.max.y);
	EXPECT_FLOAT_EQ(33.0f, layout.bounds.max.x);

	Layout(L"A\nB", TextEllipsis, 100);
	EXPECT_EQ((std::vector<float>{0.5f, 6.5f, 12.5f, 18.5f}), QuadLefts()) << "a newline cuts too";

	Layout(L"AA", TextEllipsis, 100);
	EXPECT_EQ(8, m_layout.vertexCount) << "a text that fits is not cut";
}

TEST_F(TextLayoutTest, EllipsisDoesNotWidenTheLineForAlignment)
{
	Layout(L"AA BB", TextEllipsis, 27, TextAlignRight);
	// Line width 15 ("AA" and the blank): starts at 12.
	EXPECT_FLOAT_EQ(12.5f, m_vertices[0].x);
}

TEST_F(TextLayoutTest, CodeBeyondTheTableIsMeasuredAsGlyphZeroButNotDrawn)
{
	std::wstring text = std::wstring(L"A") + wchar_t(300) + L"B";
	Layout(text, 0, 100, TextAlignRight);
	// Measured 6 + 4 + 6 = 16, so the line starts at 84; drawn without the 4.
	EXPECT_EQ((std::vector<float>{84.5f, 90.5f}), QuadLefts());
	EXPECT_FLOAT_EQ(96.0f, m_layout.bounds.max.x);
}

TEST_F(TextLayoutTest, ScaleWidensGlyphsAndLinesButNotOffsetsOrSpaces)
{
	m_face.scale = 2.0f;
	const sTextLayout& layout = Layout(L"A A", TextSingleLine);
	// 'A' from 0.5 to 10.5, pen 11, space to 14, 'A' at 14.5.
	EXPECT_EQ((std::vector<float>{0.5f, 14.5f}), QuadLefts());
	EXPECT_FLOAT_EQ(10.5f, m_vertices[2].x);
	EXPECT_FLOAT_EQ(20.0f, layout.bounds.max.y);
}

TEST_F(TextLayoutTest, ShortOrEmptyGlyphTablesReadAsEmptyGlyphs)
{
	std::wstring text = L"AA BB\nCC";
	for (size_t size : {size_t(0), size_t(10)})
	{
		m_glyphs.resize(size);
		for (int options : {0, int(TextEllipsis), int(TextSingleLine)})
		{
			const sTextLayout& layout = Layout(text, options, 5);
			EXPECT_EQ(0, layout.vertexCount) << size << " " << options;
			EXPECT_FLOAT_EQ(0.0f, layout.bounds.min.y);
		}
	}
	m_face.glyphs = nullptr;
	EXPECT_EQ(0, Layout(text, 0).vertexCount);
}

TEST_F(TextLayoutTest, VerticesBeyondTheCapacityAreNotWritten)
{
	m_vertices.assign(9, sTextVertex{-1, -1, -1, -1, -1});
	m_layout = sTextLayout();
	m_layout.vertices = m_vertices.data();
	m_layout.vertexCapacity = 8;
	RECT box{0, 0, 100, 50};
	LayoutTextWithFace(m_face, box, m_layout, L"ABC", 0);
	EXPECT_EQ(8, m_layout.vertexCount);
	EXPECT_FLOAT_EQ(-1.0f, m_vertices[8].x);
	EXPECT_FLOAT_EQ(18.0f, m_layout.bounds.max.x) << "the bounds still measure the whole text";
}

TEST(TextAlignmentTest, OffsetsByFlags)
{
	sTextLayout layout;
	layout.bounds.min = cVector3d(2.0f, 0.0f, 0.0f);
	layout.bounds.max = cVector3d(42.0f, 30.0f, 0.0f);
	RECT rectangle{0, 0, 1024, 769};
	struct
	{
		int alignment;
		float x;
		float y;
	} cases[] = {
		{0, 0, 0},
		{TextAlignRight, 1024 - 42, 0},
		{TextAlignCentre, (1024 - 40) * 0.5f - 2, 0},
		{3, 0, 0},
		{TextAlignTop, 0, 769 - 30},
		{TextAlignMiddle, 0, 384 - 15},
		{8, 0, 0},
		{TextAlignRight | TextAlignTop, 1024 - 42, 769 - 30},
	};
	for (const auto& c : cases)
	{
		layout.alignment = c.alignment;
		cVector3d offset = GetAlignmentOffset(layout, rectangle);
		EXPECT_FLOAT_EQ(c.x, offset.x) << c.alignment;
		EXPECT_FLOAT_EQ(c.y, offset.y) << c.alignment;
		EXPECT_FLOAT_EQ(0.0f, offset.z);
	}
}
}
