#include "engine/graphics/TextLayout.h"

#include <algorithm>
#include <cfloat>

namespace
{
const wchar_t kEllipsis[] = L"...";
const uint32_t kDot = 46;

bool IsNewline(wchar_t c)
{
	return c == 10 || c == 13;
}

bool IsBlank(wchar_t c)
{
	return c == 32 || c == 9;
}

// Writes glyph quads into a layout and measures glyphs for one font.
class cGlyphWriter
{
public:
	cGlyphWriter(const sFontFace& face, sTextLayout& layout)
		: m_face(face), m_layout(layout), m_lineHeight(static_cast<float>(face.lineHeight) * face.scale),
		  m_inverseWidth(face.textureWidth > 0.0f ? 1.0f / face.textureWidth : 0.0f),
		  m_inverseHeight(face.textureHeight > 0.0f ? 1.0f / face.textureHeight : 0.0f)
	{
	}

	float GetLineHeight() const { return m_lineHeight; }

	bool HasGlyph(uint32_t code) const { return m_face.glyphs && code < m_face.glyphs->size(); }

	// The glyph of the code; a code outside the table reads as an all-zero glyph.
	const sGlyph& GetGlyph(uint32_t code) const
	{
		static const sGlyph empty;
		return HasGlyph(code) ? (*m_face.glyphs)[code] : empty;
	}

	float GetTexelWidth(const sGlyph& glyph) const
	{
		return static_cast<float>(static_cast<int64_t>(glyph.right) - glyph.left) * m_face.scale;
	}

	// How far the glyph moves the pen.
	float GetAdvance(const sGlyph& glyph) const
	{
		return GetTexelWidth(glyph) + glyph.leftOffset + glyph.rightOffset;
	}

	// Draws the glyph at the pen on the line whose lower edge is at y, with
	// the texture's lower edge at the texel row bottomRow; returns the new pen.
	float Draw(const sGlyph& glyph, float pen, float y, float bottomRow)
	{
		float x0 = pen + glyph.leftOffset;
		float x1 = x0 + GetTexelWidth(glyph);
		if (m_layout.vertices && static_cast<uint64_t>(m_layout.vertexCount) + 4 <= m_layout.vertexCapacity)
		{
			float u0 = static_cast<float>(glyph.left) * m_inverseWidth;
			float u1 = static_cast<float>(glyph.right) * m_inverseWidth;
			float vTop = static_cast<float>(glyph.top) * m_inverseHeight;
			float vBottom = bottomRow * m_inverseHeight;
			float top = y + m_lineHeight;
			sTextVertex* quad = m_layout.vertices + m_layout.vertexCount;
			quad[0] = {x0, y, 0.0f, u0, vBottom};
			quad[1] = {x0, top, 0.0f, u0, vTop};
			quad[2] = {x1, top, 0.0f, u1, vTop};
			quad[3] = {x1, y, 0.0f, u1, vBottom};
			m_layout.vertexCount += 4;
		}
		return x1 + glyph.rightOffset;
	}

private:
	const sFontFace& m_face;
	sTextLayout& m_layout;
	float m_lineHeight;
	float m_inverseWidth;
	float m_inverseHeight;
};

void LayoutSingleLine(const sFontFace& face, sTextLayout& layout, const wchar_t* text)
{
	cGlyphWriter writer(face, layout);
	float pen = 0.0f;
	for (const wchar_t* p = text; *p; ++p)
	{
		uint32_t code = static_cast<uint32_t>(*p);
		if (code == 32)
			pen += static_cast<float>(face.spaceWidth);
		else if (writer.HasGlyph(code))
		{
			const sGlyph& glyph = writer.GetGlyph(code);
			pen = writer.Draw(glyph, pen, 0.0f, static_cast<float>(glyph.bottom));
		}
	}
	layout.bounds.min = cVector3d(0.0f, 0.0f, 0.0f);
	layout.bounds.max = cVector3d(std::max(pen, 0.0f), writer.GetLineHeight(), 0.0f);
}

// Measures a token: newlines are 0 wide, blanks one space per character,
// words the advance of their glyphs (glyph 0 standing in for codes outside
// the table).
float MeasureToken(const sFontFace& face, const cGlyphWriter& writer, const sTextToken& token)
{
	if (token.newline)
		return 0.0f;
	if (token.blank)
		return static_cast<float>(face.spaceWidth) * static_cast<float>(token.length);
	float width = 0.0f;
	for (uint32_t i = 0; i < token.length; ++i)
	{
		uint32_t code = static_cast<uint32_t>(token.start[i]);
		width += writer.GetAdvance(writer.GetGlyph(writer.HasGlyph(code) ? code : 0));
	}
	return width;
}

// Ends the last line with "..."; the line's width does not grow.
void AppendEllipsis(const cGlyphWriter& writer, sTextLine& line)
{
	sTextToken token;
	token.start = kEllipsis;
	token.length = 3;
	token.width = 3.0f * writer.GetAdvance(writer.GetGlyph(kDot));
	line.tokens.push_back(token);
}

// Fills lines with the tokens: word wrap at maxWidth, line breaks, and with
// the ellipsis flag the cut at the first forced break. Newline tokens end
// lines and are not kept in them.
void BreakLines(const std::vector<sTextToken>& tokens, const cGlyphWriter& writer, float maxWidth, bool ellipsis,
	std::vector<sTextLine>& lines)
{
	lines.emplace_back();
	size_t i = 0;
	while (i < tokens.size())
	{
		const sTextToken& token = tokens[i];
		sTextLine& line = lines.back();
		if (!token.newline)
		{
			if (line.width + token.width < maxWidth)
			{
				line.tokens.push_back(token);
				line.width += token.width;
				++i;
				continue;
			}
			if (line.width == 0.0f)
			{
				line.tokens.push_back(token);
				++i;
			}
			else if (token.blank)
				++i;
			// A word that does not fit a started line is taken again on the next one.
		}
		else
			++i;
		if (ellipsis)
		{
			AppendEllipsis(writer, line);
			return;
		}
		lines.emplace_back();
	}
}

void LayoutLines(const sFontFace& face, const RECT& box, sTextLayout& layout, const wchar_t* text, int options)
{
	cGlyphWriter writer(face, layout);
	float maxWidth = static_cast<float>(static_cast<int64_t>(box.right) - box.left);
	float lineHeight = writer.GetLineHeight();
	layout.lineHeight = lineHeight;

	std::vector<sTextToken> tokens;
	Tokenize(text, tokens);
	for (sTextToken& token : tokens)
		token.width = MeasureToken(face, writer, token);
	std::vector<sTextLine> lines;
	BreakLines(tokens, writer, maxWidth, (options & TextEllipsis) != 0, lines);

	float minX = FLT_MAX;
	float maxX = 0.0f;
	float y = static_cast<float>(lines.size() - 1) * lineHeight;
	for (const sTextLine& line : lines)
	{
		float pen = 0.0f;
		if (layout.alignment & TextAlignRight)
			pen = maxWidth - line.width;
		else if (layout.alignment & TextAlignCentre)
			pen = (maxWidth - line.width) * 0.5f;
		minX = std::min(minX, pen);
		for (const sTextToken& token : line.tokens)
		{
			if (token.blank)
			{
				pen += token.width;
				continue;
			}
			for (uint32_t i = 0; i < token.length; ++i)
			{
				uint32_t code = static_cast<uint32_t>(token.start[i]);
				if (writer.HasGlyph(code))
				{
					const sGlyph& glyph = writer.GetGlyph(code);
					pen = writer.Draw(glyph, pen, y, static_cast<float>(glyph.bottom) + 1.0f);
				}
			}
		}
		maxX = std::max(maxX, pen);
		y -= lineHeight;
	}
	layout.bounds.min = cVector3d(minX, 0.0f, 0.0f);
	layout.bounds.max = cVector3d(maxX, static_cast<float>(lines.size()) * lineHeight, 0.0f);
}
}

bool NextToken(const wchar_t* text, sTextToken& token)
{
	token = sTextToken();
	if (!text || *text == 0)
		return false;
	token.start = text;
	const wchar_t* end = text + 1;
	if (IsNewline(*text))
		token.newline = true;
	else if (IsBlank(*text))
	{
		token.blank = true;
		while (IsBlank(*end))
			++end;
	}
	else
	{
		while (*end && !IsNewline(*end) && !IsBlank(*end))
			++end;
	}
	token.length = static_cast<uint32_t>(end - text);
	return true;
}

void Tokenize(const wchar_t* text, std::vector<sTextToken>& tokens)
{
	sTextToken token;
	while (NextToken(text, token))
	{
		tokens.push_back(token);
		text += token.length;
	}
}

void LayoutTextWithFace(const sFontFace& face, const RECT& box, sTextLayout& layout, const wchar_t* text, int options)
{
	if (!text)
		text = L"";
	if (options & TextSingleLine)
		LayoutSingleLine(face, layout, text);
	else
		LayoutLines(face, box, layout, text, options);
}

cVector3d GetAlignmentOffset(const sTextLayout& layout, const RECT& rectangle)
{
	cVector3d offset(0.0f, 0.0f, 0.0f);
	const cVector3d& min = layout.bounds.min;
	const cVector3d& max = layout.bounds.max;
	switch (layout.alignment & 3)
	{
	case TextAlignRight:
		offset.x = static_cast<float>(rectangle.right) - max.x;
		break;
	case TextAlignCentre:
		offset.x = (static_cast<float>(rectangle.right - rectangle.left) - (max.x - min.x)) * 0.5f - min.x;
		break;
	}
	switch (layout.alignment & 12)
	{
	case TextAlignTop:
		offset.y = static_cast<float>(rectangle.bottom) - (max.y - min.y);
		break;
	case TextAlignMiddle:
		offset.y = static_cast<float>((rectangle.bottom - rectangle.top) / 2) - max.y * 0.5f;
		break;
	}
	return offset;
}
