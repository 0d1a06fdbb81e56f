#pragma once
// The text renderer's work apart from the draw call: fonts registered by
// integer id, the current font, the text rectangle that laid-out blocks are
// aligned in, and the dynamic vertex buffer (format 258) that formatted
// lines and layouts are copied into before they are drawn.

#include "engine/foundation/sColor.h"
#include "engine/graphics/TextLayout.h"
#include "engine/graphics/cVertexBuffer.h"

#include <cstdarg>
#include <cstddef>
#include <map>

class cFontResource;

class cGraphicsTextBase
{
public:
	// Characters of a formatted line, the terminator included.
	static constexpr size_t FormattedLineSize = 1000;
	// Vertices a caller reserves per character of a text it lays out.
	static constexpr unsigned VerticesPerCharacter = 6;

	cGraphicsTextBase();
	// Draws the vertices in the text vertex buffer tinted by the colour.
	virtual void Render(const sColor& color) = 0;
	// Gives back the reference of every registered font.
	virtual ~cGraphicsTextBase();

	// The entry of the id takes a reference on the font and gives back the
	// font it held before; a null font removes the entry. Returns id.
	int RegisterFont(int id, cFontResource* font);
	// The current font becomes id when it is registered, else none (-1).
	void SelectFont(int id);
	int GetCurrentFontId() const { return m_currentFontId; }
	// The registered font of the id, or null.
	cFontResource* GetFont(int id) const;

	// Lays text out with the font of fontId (TextLayout.h). An unregistered
	// id is logged and the font of the smallest registered id is used; with
	// no font registered at all nothing is laid out (no font, no vertices,
	// empty bounds at the origin).
	void LayoutText(int fontId, const RECT& box, sTextLayout& layout, const wchar_t* text, int options);
	// Places the layout in the text rectangle by its alignment flags: the
	// world matrix of the graphics device becomes the offset followed by
	// the current world matrix. Flags 0 leave the matrix alone.
	void AlignLayout(const sTextLayout& layout);
	// Copies the layout's vertices into the text vertex buffer, aligns it,
	// binds the font texture to stage 0 and renders it. A layout without a
	// font texture draws nothing.
	void DrawLayout(const sTextLayout& layout, const sColor& color);
	// Formats one line (printf style, wide: "%ls" for wide strings) in the
	// current font and draws it as a single line aligned in the text
	// rectangle. Lines are cut at FormattedLineSize - 1 characters. Nothing
	// happens without a current font.
	void DrawFormatted(int alignment, const sColor& color, const wchar_t* format, ...);

	// Formats into buffer (size characters), cutting the text to size - 1
	// characters and always terminating it. Returns the length written.
	static size_t FormatLine(wchar_t* buffer, size_t size, const wchar_t* format, va_list arguments);

	// Written directly by its users: the game sets the logical screen, text
	// widgets their own box while they draw.
	RECT& GetTextRect() { return m_textRect; }
	cVertexBuffer& GetVertexBuffer() { return m_vertexBuffer; }

protected:
	// Binds the texture of the layout's font to stage 0; false when there is none.
	static bool BindFontTexture(const sTextLayout& layout);

	cVertexBuffer m_vertexBuffer;

private:
	std::map<int, cFontResource*> m_fonts;
	int m_currentFontId = -1;
	RECT m_textRect {0, 0, 0, 0};
};
