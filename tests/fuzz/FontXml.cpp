// A font's XML description, read as the font resource reads it.

#include "support/FuzzTarget.h"

#include "engine/foundation/cMemoryStream.h"
#include "engine/foundation/cXmlDocument.h"
#include "engine/graphics/cFontResource.h"
#include "engine/resources/sResourceSource.h"

namespace
{
void Run(const uint8_t* data, size_t size)
{
	cMemoryStream stream;
	stream.Write(data, static_cast<uint32_t>(size));
	stream.Seek(0, cStream::FromStart);
	cXmlDocument document;
	if (!document.Load(stream))
		return;
	cFontResource font("fuzzed", sResourceSource());
	font.ReadDescription(document.GetRoot());
	// The table read must also write and read back in the binary form.
	cMemoryStream binary;
	font.GetData().Write(binary);
}

std::vector<std::string> Seeds()
{
	return {WrittenXml("<font space=\"4\" scale=\"1.5\" upper=\"true\"><texture name=\"atlas\"/>"
					   "<symbol char=\"65\" rect=\"0 0 10 12\" left=\"0.5\" right=\"1\"/>"
					   "<symbol char=\"1025\" rect=\"10 0 20 14\"/><symbol char=\"x\" rect=\"1 2\"/></font>")};
}
}

ZV2_FUZZ_TARGET(FontXml, Run, Seeds)
