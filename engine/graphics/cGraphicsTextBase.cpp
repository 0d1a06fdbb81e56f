#include "engine/graphics/cGraphicsTextBase.h"

#include "engine/foundation/cLog.h"
#include "engine/graphics/cFontResource.h"
#include "engine/graphics/cGraphics.h"
#include "engine/graphics/cTexture.h"
#include "engine/graphics/cTextureResource.h"

#include <cwchar>

namespace
{
const int kTextVertexFormat = D3DFVF_XYZ | D3DFVF_TEX1;
const unsigned kInitialVertexCapacity = 30000;
}

cGraphicsTextBase::cGraphicsTextBase()
{
	m_vertexBuffer.SetFormat(kTextVertexFormat, nullptr, 0);
	m_vertexBuffer.SetDynamic(true);
	m_vertexBuffer.SetCapacity(kInitialVertexCapacity);
}

cGraphicsTextBase::~cGraphicsTextBase()
{
	for (const auto& entry : m_fonts)
		cResourceManager::ReleaseResource(entry.second);
}

int cGraphicsTextBase::RegisterFont(int id, cFontResource* font)
{
	if (font)
		font->AddRef();
	auto found = m_fonts.find(id);
	cFontResource* previous = found == m_fonts.end() ? nullptr : found->second;
	if (font)
		m_fonts[id] = font;
	else if (found != m_fonts.end())
		m_fonts.erase(found);
	cResourceManager::ReleaseResource(previous);
	return id;
}

void cGraphicsTextBase::SelectFont(int id)
{
	m_currentFontId = m_fonts.count(id) ? id : -1;
}

cFontResource* cGraphicsTextBase::GetFont(int id) const
{
	auto found = m_fonts.find(id);
	return found == m_fonts.end() ? nullptr : found->second;
}

void cGraphicsTextBase::LayoutText(int fontId, const RECT& box, sTextLayout& layout, const wchar_t* text, int options)
{
	cFontResource* font = GetFont(fontId);
	if (!font)
	{
		LOG(0, "Font : %i , wasn't found\n", fontId);
		if (m_fonts.empty())
		{
			layout.font = nullptr;
			layout.bounds.min = layout.bounds.max = cVector3d(0.0f, 0.0f, 0.0f);
			return;
		}
		font = m_fonts.begin()->second;
	}
	layout.font = font;
	LayoutTextWithFace(font->GetFace(), box, layout, text, options);
}

void cGraphicsTextBase::AlignLayout(const sTextLayout& layout)
{
	if ((layout.alignment & 15) == 0)
		return;
	cMatrix offset;
	offset.MakeTranslation(GetAlignmentOffset(layout, m_textRect));
	Singletone<cGraphics>::GetInstance()->SetWorldMatrix(offset * GraphicsDeviceState().world);
}

void cGraphicsTextBase::DrawLayout(const sTextLayout& layout, const sColor& color)
{
	m_vertexBuffer.SetData(layout.vertices, static_cast<unsigned>(layout.vertexCount));
	AlignLayout(layout);
	if (BindFontTexture(layout))
		Render(color);
}

void cGraphicsTextBase::DrawFormatted(int alignment, const sColor& color, const wchar_t* format, ...)
{
	if (m_currentFontId < 0)
		return;
	wchar_t line[FormattedLineSize];
	va_list arguments;
	va_start(arguments, format);
	const size_t length = FormatLine(line, FormattedLineSize, format, arguments);
	va_end(arguments);

	const unsigned reserved = static_cast<unsigned>(length) * VerticesPerCharacter;
	m_vertexBuffer.SetCount(reserved);
	void* memory = m_vertexBuffer.Lock(0, 0);
	if (!memory)
		return;
	sTextLayout layout;
	layout.vertices = static_cast<sTextVertex*>(memory);
	layout.vertexCapacity = reserved;
	layout.alignment = alignment;
	LayoutText(m_currentFontId, m_textRect, layout, line, TextSingleLine);
	m_vertexBuffer.Unlock();
	m_vertexBuffer.SetCount(static_cast<unsigned>(layout.vertexCount));
	AlignLayout(layout);
	if (BindFontTexture(layout))
		Render(color);
}

size_t cGraphicsTextBase::FormatLine(wchar_t* buffer, size_t size, const wchar_t* format, va_list arguments)
{
	if (size == 0)
		return 0;
	// The C library leaves a cut line unterminated and may stop halfway on
	// a bad argument: start from zeros and force the last terminator.
	wmemset(buffer, 0, size);
	vswprintf(buffer, size, format ? format : L"", arguments);
	buffer[size - 1] = 0;
	return wcslen(buffer);
}

bool cGraphicsTextBase::BindFontTexture(const sTextLayout& layout)
{
	cTextureResource* resource = layout.font ? layout.font->GetTextureResource() : nullptr;
	cTexture* texture = resource ? resource->GetTexture() : nullptr;
	if (!texture)
		return false;
	texture->Bind(0);
	return true;
}
