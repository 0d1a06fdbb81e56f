#include "engine/graphics/cFontParser.h"

#include "engine/foundation/PropertyValue.h"
#include "engine/foundation/cLog.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace
{
const size_t kInitialGlyphCount = 256;
// Glyph codes are UTF-16 code units.
const long long kLargestCode = 65535;

// The decimal code of a "char" attribute; false when it holds no number or
// one outside the UTF-16 range.
bool ParseCode(const std::string& text, size_t& code)
{
	const char* begin = text.c_str();
	char* end = nullptr;
	long long value = strtoll(begin, &end, 10);
	if (end == begin || value < 0 || value > kLargestCode)
		return false;
	code = static_cast<size_t>(value);
	return true;
}
}

cFontParser::cFontParser(std::string& textureName, int32_t& lineHeight, std::vector<sGlyph>& glyphs)
	: m_textureName(textureName), m_lineHeight(lineHeight), m_glyphs(glyphs)
{
	m_dispatcher.SetHandler("texture", cDelegatePtr<cXmlNode*>(MakeMemberDelegate(this, &cFontParser::OnTexture)));
	m_dispatcher.SetHandler("symbol", cDelegatePtr<cXmlNode*>(MakeMemberDelegate(this, &cFontParser::OnSymbol)));
}

void cFontParser::Parse(const cXmlNode& fontElement)
{
	m_glyphs.assign(kInitialGlyphCount, sGlyph());
	m_lineHeight = 0;
	m_dispatcher.DispatchSiblings(fontElement.GetFirstChild());
}

void cFontParser::OnTexture(cXmlNode* element)
{
	const cXmlNode* name = element->FindAttribute("name");
	if (!name)
	{
		LOG(1, "Font texture without a name is ignored");
		return;
	}
	m_textureName = name->GetValue();
}

void cFontParser::OnSymbol(cXmlNode* element)
{
	const cXmlNode* codeText = element->FindAttribute("char");
	const cXmlNode* rectText = element->FindAttribute("rect");
	size_t code = 0;
	if (!codeText || !ParseCode(codeText->GetValue(), code))
	{
		LOG(1, "Font symbol with the character code \"%s\" is ignored", codeText ? codeText->GetValue().c_str() : "");
		return;
	}
	if (!rectText)
	{
		LOG(1, "Font symbol %zu without a rectangle is ignored", code);
		return;
	}
	sGlyph glyph;
	sscanf(rectText->GetValue().c_str(), "%i %i %i %i", &glyph.left, &glyph.top, &glyph.right, &glyph.bottom);
	glyph.leftOffset = TextToFloat(GetXmlAttribute(element, "left", "0"));
	glyph.rightOffset = TextToFloat(GetXmlAttribute(element, "right", "0"));
	if (code >= m_glyphs.size())
		m_glyphs.resize(code + 1);
	m_glyphs[code] = glyph;
	int64_t height = static_cast<int64_t>(glyph.bottom) - glyph.top;
	if (height > m_lineHeight)
		m_lineHeight = static_cast<int32_t>(std::min<int64_t>(height, INT32_MAX));
}
