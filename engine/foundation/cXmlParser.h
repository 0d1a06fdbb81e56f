#pragma once
// Reads XML text from a memory stream into a tree of cXmlNode. Accepts the
// subset the system's description files use and is lenient at the end:
// elements still open when the text ends stay in the tree. Scans the
// stream's bytes in place (see cXmlTokenizer) and builds the tree in an
// arena of its own (see cXmlArena).

#include "engine/foundation/cMemoryStream.h"
#include "engine/foundation/cXmlNode.h"

#include <string>
#include <string_view>

class cXmlArena;

class cXmlParser
{
public:
	// Elements nested deeper than this fail the parse, so that a damaged or
	// hostile file cannot exhaust the stack when the tree is used.
	static constexpr int MaxDepth = 1000;

	explicit cXmlParser(cMemoryStream& stream);

	// Parses from the stream's position and leaves the stream where the text
	// was left. Returns the new top node (the caller owns it), or null on
	// failure with the reason in GetDiagnostic.
	cXmlNode* Parse();

	const std::string& GetDiagnostic() const { return m_diagnostic; }
	// After a successful parse: whether the text closed its top element
	// (false when it ended inside an element, as a truncated file does).
	bool IsComplete() const { return m_complete; }

private:
	cXmlNode* ParseInto(cXmlArena& arena);
	// The element text or attribute value with its references decoded.
	std::string_view Decoded(std::string_view text, bool attribute);
	std::string_view Decode(std::string_view text, bool attribute);
	[[gnu::cold]] cXmlNode* Fail(cXmlNode* top, uint32_t position, const std::string& diagnostic);

	cMemoryStream& m_stream;
	const char* m_data;
	uint32_t m_position;
	uint32_t m_size;
	// Holds the token read at the very end of the text.
	char m_endToken = 0;
	// Decoded texts, with room to spare.
	std::string m_decoded;
	std::string m_diagnostic;
	bool m_complete = false;
};
