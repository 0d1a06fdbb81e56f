#include "engine/foundation/cXmlDocument.h"

#include "engine/foundation/cXmlParser.h"
#include "engine/foundation/cXmlWriter.h"

#include <memory>

cXmlDocument::cXmlDocument() : m_root("default")
{
}

cXmlDocument::cXmlDocument(const std::string& rootName) : m_root(rootName)
{
}

cXmlDocument::cXmlDocument(cStream& stream) : m_root("")
{
	Load(stream);
}

bool cXmlDocument::Load(cStream& stream)
{
	// A memory stream is read in place from its start; it is left at its
	// end, as taking a copy would leave it.
	if (auto* memory = dynamic_cast<cMemoryStream*>(&stream))
	{
		memory->Seek(0, cStream::FromStart);
		bool loaded = Load(*memory);
		memory->Seek(0, cStream::FromEnd);
		return loaded;
	}
	cMemoryStream copy(stream);
	return Load(copy);
}

bool cXmlDocument::Load(cMemoryStream& stream)
{
	m_root.Clear();
	std::unique_ptr<cXmlNode> top(cXmlParser(stream).Parse());
	if (!top)
		return false;
	m_root.TakeTree(*top);
	return true;
}

bool cXmlDocument::Save(cStream& stream) const
{
	return WriteXmlDocument(stream, m_root);
}
