#pragma once
// Reads XML text from a memory stream into a tree of cXmlNode. Accepts the
// subset the system's description files use and is lenient at the end:
// elements still open when the text ends stay in the tree. Scans the
// stream's bytes in place.

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
	bool Next();
	bool AtEnd() const { return m_position >= m_size; }
	bool TokenIs(char c) const { return m_token.size() == 1 && m_token[0] == c; }
	template <uint8_t Stop>
	void SkipUntil();
	template <uint8_t Stop>
	std::string_view CollectUntil();

	bool SkipSpace();
	bool ReadToken();
	// The value between the next two double quotes, as it is written.
	std::string_view ReadQuoted();
	// The text up to the next '<', trimmed, as it is written.
	std::string_view ReadText();
	void SkipComment();
	void SkipToTagEnd();
	cXmlNode* ParseInto(cXmlArena& arena);
	cXmlNode* Fail(cXmlNode* top, const std::string& diagnostic);

	cMemoryStream& m_stream;
	const char* m_data;
	uint32_t m_position;
	uint32_t m_size;
	std::string_view m_token;
	// Holds the token read at the very end of the text.
	std::string m_endToken;
	char m_char = 0;
	std::string m_diagnostic;
	bool m_complete = false;
};

// Element text: "&amp;" then "&quot;" decoded, as repeated replacement from
// the start of the text would decode them.
void DecodeXmlText(std::string& text);
// Attribute values: as element text, then "&#xA;" removed and "&#xD;" made a line feed.
void DecodeXmlAttribute(std::string& text);
