#pragma once
// A document: owns its top element, the root.

#include "engine/foundation/cMemoryStream.h"
#include "engine/foundation/cXmlNode.h"

#include <string>

class cXmlDocument
{
public:
	// The root is named "default".
	cXmlDocument();
	explicit cXmlDocument(const std::string& rootName);
	// Loads from the stream; a failure leaves an empty root named "".
	explicit cXmlDocument(cStream& stream);
	virtual ~cXmlDocument() = default;
	cXmlDocument(const cXmlDocument&) = delete;
	cXmlDocument& operator=(const cXmlDocument&) = delete;

	cXmlNode& GetRoot() { return m_root; }
	const cXmlNode& GetRoot() const { return m_root; }

	// Reads a copy of the whole stream, from its start.
	bool Load(cStream& stream);
	// Reads from the memory stream's position. On success the root takes the
	// top element's name, text, attributes and children; on failure the
	// root keeps its name and value but loses its children and attributes.
	bool Load(cMemoryStream& stream);
	// Truncates the stream and writes the document; false when the stream
	// took fewer bytes than written.
	bool Save(cStream& stream) const;

private:
	cXmlNode m_root;
};
