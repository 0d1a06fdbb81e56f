#include "engine/graphics/sFontData.h"

#include "engine/foundation/StreamSerialization.h"

#include <bit>

namespace
{
// Reads the fields of the binary form, remembering the first short read or
// impossible count.
class cFieldReader
{
public:
	explicit cFieldReader(cStream& in) : m_in(in) {}

	bool IsGood() const { return m_good; }

	uint32_t ReadU32()
	{
		uint32_t value = 0;
		m_good = m_good && StreamReadU32(m_in, value);
		return value;
	}
	int32_t ReadI32() { return static_cast<int32_t>(ReadU32()); }
	float ReadFloat() { return std::bit_cast<float>(ReadU32()); }

	std::string ReadString()
	{
		std::string value;
		m_good = m_good && StreamReadString(m_in, value);
		return value;
	}

	uint32_t ReadCount(uint64_t unitSize)
	{
		uint32_t count = 0;
		m_good = m_good && StreamReadCount(m_in, count, unitSize);
		return count;
	}

	bool ReadBool()
	{
		uint8_t byte = 0;
		m_good = m_good && m_in.Read(&byte, 1) == 1;
		return byte != 0;
	}

private:
	cStream& m_in;
	bool m_good = true;
};

void WriteI32(cStream& out, int32_t value)
{
	StreamWriteU32(out, static_cast<uint32_t>(value));
}

void WriteFloat(cStream& out, float value)
{
	StreamWriteU32(out, std::bit_cast<uint32_t>(value));
}
}

void sFontData::Write(cStream& out) const
{
	StreamWriteString(out, textureName);
	WriteI32(out, lineHeight);
	StreamWriteU32(out, static_cast<uint32_t>(glyphs.size()));
	for (const sGlyph& glyph : glyphs)
	{
		WriteI32(out, glyph.left);
		WriteI32(out, glyph.top);
		WriteI32(out, glyph.right);
		WriteI32(out, glyph.bottom);
		WriteFloat(out, glyph.leftOffset);
		WriteFloat(out, glyph.rightOffset);
	}
	WriteI32(out, spaceWidth);
	WriteFloat(out, scale);
	uint8_t upperByte = upper ? 1 : 0;
	out.Write(&upperByte, 1);
}

bool sFontData::Read(cStream& in)
{
	cFieldReader reader(in);
	sFontData read;
	read.textureName = reader.ReadString();
	read.lineHeight = reader.ReadI32();
	uint32_t glyphCount = reader.ReadCount(sizeof(sGlyph));
	read.glyphs.reserve(glyphCount);
	for (uint32_t i = 0; i < glyphCount && reader.IsGood(); ++i)
	{
		sGlyph glyph;
		glyph.left = reader.ReadI32();
		glyph.top = reader.ReadI32();
		glyph.right = reader.ReadI32();
		glyph.bottom = reader.ReadI32();
		glyph.leftOffset = reader.ReadFloat();
		glyph.rightOffset = reader.ReadFloat();
		read.glyphs.push_back(glyph);
	}
	read.spaceWidth = reader.ReadI32();
	read.scale = reader.ReadFloat();
	read.upper = reader.ReadBool();
	if (!reader.IsGood())
		return false;
	*this = std::move(read);
	return true;
}
