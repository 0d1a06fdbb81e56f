#include "engine/graphics/sFontData.h"

#include "engine/foundation/cStream.h"

#include <cstring>

namespace
{
void WriteU32(cStream& out, uint32_t value)
{
	uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value >> 16),
		static_cast<uint8_t>(value >> 24)};
	out.Write(bytes, 4);
}

uint32_t DecodeU32(const uint8_t* bytes)
{
	return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

void WriteFloat(cStream& out, float value)
{
	uint32_t bits;
	memcpy(&bits, &value, 4);
	WriteU32(out, bits);
}

// Reads the little-endian fields of the binary form, remembering a short read.
class cFieldReader
{
public:
	explicit cFieldReader(cStream& in) : m_in(in) {}

	bool IsGood() const { return m_good; }

	uint32_t ReadU32()
	{
		uint8_t bytes[4] = {};
		Read(bytes, 4);
		return DecodeU32(bytes);
	}

	int32_t ReadI32() { return static_cast<int32_t>(ReadU32()); }

	float ReadFloat()
	{
		uint32_t bits = ReadU32();
		float value;
		memcpy(&value, &bits, 4);
		return value;
	}

	// A count of elements of unit bytes each that the rest of the stream can hold.
	bool ReadCount(uint32_t& count, uint64_t unit)
	{
		count = ReadU32();
		if (m_good && count * unit > m_in.GetRemaining())
			m_good = false;
		return m_good;
	}

	void Read(void* destination, uint32_t size)
	{
		if (m_good && m_in.Read(destination, size) != size)
			m_good = false;
	}

private:
	cStream& m_in;
	bool m_good = true;
};

void WriteGlyph(cStream& out, const sGlyph& glyph)
{
	WriteU32(out, static_cast<uint32_t>(glyph.left));
	WriteU32(out, static_cast<uint32_t>(glyph.top));
	WriteU32(out, static_cast<uint32_t>(glyph.right));
	WriteU32(out, static_cast<uint32_t>(glyph.bottom));
	WriteFloat(out, glyph.leftOffset);
	WriteFloat(out, glyph.rightOffset);
}

sGlyph ReadGlyph(cFieldReader& reader)
{
	sGlyph glyph;
	glyph.left = reader.ReadI32();
	glyph.top = reader.ReadI32();
	glyph.right = reader.ReadI32();
	glyph.bottom = reader.ReadI32();
	glyph.leftOffset = reader.ReadFloat();
	glyph.rightOffset = reader.ReadFloat();
	return glyph;
}
}

void sFontData::Write(cStream& out) const
{
	WriteU32(out, static_cast<uint32_t>(textureName.size()));
	out.Write(textureName.data(), static_cast<uint32_t>(textureName.size()));
	WriteU32(out, static_cast<uint32_t>(lineHeight));
	WriteU32(out, static_cast<uint32_t>(glyphs.size()));
	for (const sGlyph& glyph : glyphs)
		WriteGlyph(out, glyph);
	WriteU32(out, static_cast<uint32_t>(spaceWidth));
	WriteFloat(out, scale);
	uint8_t upperByte = upper ? 1 : 0;
	out.Write(&upperByte, 1);
}

bool sFontData::Read(cStream& in)
{
	cFieldReader reader(in);
	sFontData read;
	uint32_t nameLength;
	if (!reader.ReadCount(nameLength, 1))
		return false;
	read.textureName.resize(nameLength);
	reader.Read(read.textureName.data(), nameLength);
	read.lineHeight = reader.ReadI32();
	uint32_t glyphCount;
	if (!reader.ReadCount(glyphCount, sizeof(sGlyph)))
		return false;
	read.glyphs.reserve(glyphCount);
	for (uint32_t i = 0; i < glyphCount; ++i)
		read.glyphs.push_back(ReadGlyph(reader));
	read.spaceWidth = reader.ReadI32();
	read.scale = reader.ReadFloat();
	uint8_t upperByte = 0;
	reader.Read(&upperByte, 1);
	read.upper = upperByte != 0;
	if (!reader.IsGood())
		return false;
	*this = std::move(read);
	return true;
}
