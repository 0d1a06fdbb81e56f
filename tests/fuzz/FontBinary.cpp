// The binary form of a font, as pack files store it.

#include "support/FuzzTarget.h"

#include "engine/foundation/cMemoryStream.h"
#include "engine/graphics/sFontData.h"

namespace
{
void Run(const uint8_t* data, size_t size)
{
	cMemoryStream stream;
	stream.Write(data, static_cast<uint32_t>(size));
	stream.Seek(0, cStream::FromStart);
	sFontData font;
	font.Read(stream);
}

std::vector<std::string> Seeds()
{
	sFontData font;
	font.textureName = "atlas";
	font.lineHeight = 14;
	font.glyphs.resize(66);
	font.glyphs[65] = {};
	font.spaceWidth = 4;
	font.scale = 1.25f;
	font.upper = true;
	cMemoryStream out;
	font.Write(out);
	return {std::string(reinterpret_cast<const char*>(out.GetData()), out.GetSize())};
}
}

ZV2_FUZZ_TARGET(FontBinary, Run, Seeds)
