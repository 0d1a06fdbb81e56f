// The XML reader over arbitrary text.

#include "support/FuzzTarget.h"

#include "engine/foundation/cMemoryStream.h"
#include "engine/foundation/cXmlDocument.h"

namespace
{
void Run(const uint8_t* data, size_t size)
{
	cMemoryStream stream;
	stream.Write(data, static_cast<uint32_t>(size));
	stream.Seek(0, cStream::FromStart);
	cXmlDocument document;
	if (document.Load(stream))
	{
		// A tree read back must write out again.
		cMemoryStream out;
		document.Save(out);
	}
}

std::vector<std::string> Seeds()
{
	return {WrittenXml("<scene name=\"a &amp; b\"><object id=\"1\" visible=\"true\">text &lt;here&gt;</object>"
					   "<object/><!-- note --><list><item>1</item><item>2</item></list></scene>"),
		WrittenXml("<?xml version=\"1.0\"?><root a=\"'\" b='\"'><![CDATA[raw <data>]]></root>")};
}
}

ZV2_FUZZ_TARGET(Xml, Run, Seeds)
