#pragma once
// Writes an XML tree as tab-indented text: the declaration, then the top
// element, with single line feeds and no line break after the last tag.

#include "engine/foundation/cStream.h"
#include "engine/foundation/cXmlNode.h"

#include <string>

// The escaped form of an attribute value or element text: "&" as "&amp;",
// a line feed as "&#xD;&#xA;", carriage returns dropped, '"' as "&quot;".
std::string EscapeXmlText(const std::string& text);

// The whole text of a document whose top element is root.
std::string FormatXmlDocument(const cXmlNode& root);

// Truncates the stream and writes the document. False when the stream
// could not be truncated or took fewer bytes than written.
bool WriteXmlDocument(cStream& stream, const cXmlNode& root);
