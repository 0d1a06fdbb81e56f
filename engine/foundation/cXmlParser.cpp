#include "engine/foundation/cXmlParser.h"

#include "engine/foundation/cXmlArena.h"

#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{
// Character classes of the tokenizer, one bit each, looked up in a table.
enum : uint8_t
{
	NotSpace = 1,  // anything but 0, tab, line feed, carriage return and space
	Delimiter = 2, // tab, space, '"', '/', '<', '=' and '>'
	Quote = 4,     // '"'
	TextEnd = 8,   // '<'
};

constexpr std::array<uint8_t, 256> MakeClasses()
{
	std::array<uint8_t, 256> classes{};
	for (int c = 0; c < 256; ++c)
	{
		bool space = c == 0 || c == '\t' || c == '\n' || c == '\r' || c == ' ';
		bool delimiter = c == '\t' || c == ' ' || c == '"' || c == '/' || c == '<' || c == '=' || c == '>';
		classes[c] = (space ? 0 : NotSpace) | (delimiter ? Delimiter : 0) | (c == '"' ? Quote : 0) | (c == '<' ? TextEnd : 0);
	}
	return classes;
}

constexpr std::array<uint8_t, 256> Classes = MakeClasses();

inline bool IsIn(char c, uint8_t classes)
{
	return Classes[static_cast<uint8_t>(c)] & classes;
}

#if defined(__SSE2__)
// A bit for each of the 16 bytes from p on that equals c.
inline unsigned MatchMask(const char* p, char c)
{
	__m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
	return _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)));
}
#endif

// The first byte from scan on, before end, in the stop class; end when
// there is none. Names and white space are short: they are scanned byte by
// byte, and without a bounds test when the byte at end stops the scan
// anyway (as the '>' that ends a well-formed text does). Values and texts
// are scanned sixteen bytes at a time.
template <uint8_t Stop>
inline const char* FindStop(const char* scan, const char* end)
{
#if defined(__SSE2__)
	if constexpr (Stop == Quote || Stop == TextEnd)
	{
		for (; end - scan >= 16; scan += 16)
			if (unsigned mask = MatchMask(scan, Stop == Quote ? '"' : '<'))
				return scan + __builtin_ctz(mask);
	}
#endif
	if (IsIn(*end, Stop))
	{
		while (!IsIn(*scan, Stop))
			++scan;
		return scan;
	}
	while (scan < end && !IsIn(*scan, Stop))
		++scan;
	return scan;
}

// Whether text, which lies in a buffer that ends at end, holds c.
inline bool Contains(std::string_view text, char c, const char* end)
{
#if defined(__SSE2__)
	if (!text.empty() && text.size() <= 16 && end - text.data() >= 16)
		return MatchMask(text.data(), c) & ((1u << text.size()) - 1);
#endif
	return text.find(c) != std::string_view::npos;
}

// Whether text took memory of its own, beyond what the string itself holds.
inline bool OwnsMemory(const std::string& text)
{
	return text.capacity() > std::string().capacity();
}

// The text without leading and trailing bytes up to 32 (white space and control characters).
std::string_view Trimmed(std::string_view text)
{
	size_t begin = 0;
	while (begin < text.size() && static_cast<unsigned char>(text[begin]) <= 32)
		++begin;
	size_t end = text.size();
	while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32)
		--end;
	return text.substr(begin, end - begin);
}

// The decoders work in place: every replacement is shorter than what it
// replaces, so the write position never passes the read position. They give
// the text that replacing the first occurrence again and again, from the
// start of the text, gives.

// Decodes "&amp;" and then "&quot;" in one pass: an ampersand followed by
// "amp;" any number of times becomes one ampersand (each replacement forms
// a new "&amp;" with the text after it), which a following "quot;" then
// turns into a double quote. Returns whether the result holds an ampersand
// followed by '#'.
bool DecodeAmpersandsAndQuotes(std::string& text)
{
	size_t read = text.find('&');
	if (read == std::string::npos)
		return false;
	char* data = text.data();
	size_t size = text.size();
	size_t write = read;
	bool numeric = false;
	while (read < size)
	{
		char c = data[read++];
		if (c == '&')
		{
			while (size - read >= 4 && memcmp(data + read, "amp;", 4) == 0)
				read += 4;
			if (size - read >= 5 && memcmp(data + read, "quot;", 5) == 0)
			{
				c = '"';
				read += 5;
			}
			else
				numeric = numeric || (read < size && data[read] == '#');
		}
		data[write++] = c;
	}
	text.erase(write);
	return numeric;
}

// Replaces every occurrence of from (which holds its first character only
// once) by the character to, which must not be that first character.
void ReplaceReference(std::string& text, std::string_view from, char to)
{
	size_t found = text.find(from);
	if (found == std::string::npos)
		return;
	char* data = text.data();
	size_t write = found;
	size_t read = found;
	while (found != std::string::npos)
	{
		memmove(data + write, data + read, found - read);
		write += found - read;
		data[write++] = to;
		read = found + from.size();
		found = text.find(from, read);
	}
	memmove(data + write, data + read, text.size() - read);
	text.resize(write + text.size() - read);
}

// Removes every occurrence of from, also those that removals join together.
void RemoveReference(std::string& text, std::string_view from)
{
	if (text.find(from) == std::string::npos)
		return;
	size_t length = from.size();
	size_t write = 0;
	for (size_t read = 0; read < text.size(); ++read)
	{
		text[write++] = text[read];
		if (text[read] == from.back() && write >= length && text.compare(write - length, length, from) == 0)
			write -= length;
	}
	text.resize(write);
}
}

void DecodeXmlText(std::string& text)
{
	DecodeAmpersandsAndQuotes(text);
}

void DecodeXmlAttribute(std::string& text)
{
	// Without "&#" after the first two steps there is nothing for the others to do.
	if (!DecodeAmpersandsAndQuotes(text))
		return;
	RemoveReference(text, "&#xA;");
	ReplaceReference(text, "&#xD;", '\n');
}

cXmlParser::cXmlParser(cMemoryStream& stream)
	: m_stream(stream), m_data(reinterpret_cast<const char*>(stream.GetData())), m_position(stream.GetPosition()),
	  m_size(stream.GetSize())
{
}

// Reads one character; at the end nothing is read and the current
// character stays. Returns whether data is left after it.
inline bool cXmlParser::Next()
{
	if (m_position < m_size)
		m_char = m_data[m_position++];
	return m_position < m_size;
}

// Runs "while (!stop(c)) { if (!Next()) break; }" over the buffer in one
// scan: it ends on the first character in one of the stop classes, or on
// the last byte of the text, which is read but never tested.
template <uint8_t Stop>
inline void cXmlParser::SkipUntil()
{
	if (IsIn(m_char, Stop) || m_position >= m_size)
		return;
	const char* scan = FindStop<Stop>(m_data + m_position, m_data + m_size - 1);
	m_char = *scan;
	m_position = static_cast<uint32_t>(scan - m_data) + 1;
}

// The characters SkipUntil passes over, from the current one on: as in
// "while (!stop(c)) { append c; if (!Next()) break; }", the last byte of the
// text is only part of them when it is already the current character. The
// current character must be the byte last read.
template <uint8_t Stop>
inline std::string_view cXmlParser::CollectUntil()
{
	if (IsIn(m_char, Stop))
		return std::string_view();
	const char* begin = m_data + m_position - 1;
	if (AtEnd())
		return std::string_view(begin, 1);
	SkipUntil<Stop>();
	return std::string_view(begin, m_data + m_position - 1 - begin);
}

inline bool cXmlParser::SkipSpace()
{
	SkipUntil<NotSpace>();
	return AtEnd();
}

// The token is a view of the text: its characters lie together in the
// buffer, from the current character on.
[[gnu::always_inline]] inline bool cXmlParser::ReadToken()
{
	if (SkipSpace())
	{
		// Nothing more to read: the token is the current character alone.
		m_endToken.assign(1, m_char);
		m_token = m_endToken;
		return false;
	}
	const char* start = m_data + m_position - 1;
	if (IsIn(m_char, Delimiter))
	{
		m_token = std::string_view(start, 1);
		return Next();
	}
	if (!Next())
	{
		m_token = std::string_view(start, 1);
		return false;
	}
	SkipUntil<Delimiter>();
	// The character that ended the token was read last and is not part of it.
	m_token = std::string_view(start, m_data + m_position - 1 - start);
	return !AtEnd();
}

[[gnu::always_inline]] inline std::string_view cXmlParser::ReadQuoted()
{
	SkipSpace();
	SkipUntil<Quote>();
	std::string_view value;
	if (Next())
		value = CollectUntil<Quote>();
	m_char = 0;
	return value;
}

std::string_view cXmlParser::ReadText()
{
	SkipSpace();
	return Trimmed(CollectUntil<TextEnd>());
}

// Skips a comment whose "<!--" token has been read: on to the next two
// dashes in a row, then to the end of the tag.
void cXmlParser::SkipComment()
{
	int dashes = m_char == '-' ? 1 : 0;
	while (dashes < 2)
	{
		if (!Next())
			break;
		dashes = m_char == '-' ? dashes + 1 : 0;
	}
	SkipToTagEnd();
}

void cXmlParser::SkipToTagEnd()
{
	while (ReadToken() && !TokenIs('>'))
	{
	}
}

cXmlNode* cXmlParser::Fail(cXmlNode* top, const std::string& diagnostic)
{
	m_diagnostic = diagnostic;
	delete top;
	return nullptr;
}

cXmlNode* cXmlParser::Parse()
{
	m_diagnostic.clear();
	m_complete = false;
	// The arena goes with the last node made in it.
	cXmlArena* arena = cXmlArena::Open();
	cXmlNode* top = ParseInto(*arena);
	arena->Close(top);
	m_stream.Seek(static_cast<int32_t>(m_position), cStream::FromStart);
	return top;
}

cXmlNode* cXmlParser::ParseInto(cXmlArena& arena)
{
	cXmlNode* top = arena.NewNode("", "", nullptr);
	cXmlNode* current = nullptr;
	int depth = 0;
	int state = 0;

	bool more = ReadToken();
	while (more)
	{
		switch (state)
		{
		case 0:
			if (TokenIs('<'))
				state = 1;
			else if (!m_token.starts_with("\xEF\xBB\xBF"))
				return Fail(top, "XmlError::Open tag waiting, but found :" + std::string(m_token) + "\n");
			break;
		case 1:
			if (m_token.starts_with("!--"))
			{
				SkipComment();
				state = 0;
			}
			else if (TokenIs('/'))
				state = 2;
			else if (m_token == "?xml")
			{
				SkipToTagEnd();
				state = 0;
			}
			else
			{
				if (!current)
				{
					top->m_name = m_token;
					current = top;
				}
				else
				{
					if (++depth > MaxDepth)
						return Fail(top, "Xml::Nesting too deep in node " + current->m_name + "\n");
					cXmlNode* element = arena.NewNode(m_token, std::string_view(), m_data + m_size);
					if (OwnsMemory(element->m_name))
						arena.NoteOwnMemory(element);
					current->Append(current->m_firstChild, element);
					current = element;
				}
				state = 3;
			}
			break;
		case 2:
			if (!current || m_token != current->m_name)
				return Fail(top, "Xml::Looking for name " + (current ? current->m_name : std::string()) + " but found\n");
			current = current->m_parent;
			if (current)
				--depth;
			SkipToTagEnd();
			state = 0;
			break;
		case 3:
			if (TokenIs('/'))
			{
				ReadToken();
				if (!TokenIs('>'))
					return Fail(top, "Xml::Missed close branch in node " + current->m_name + "\n");
				current = current->m_parent;
				if (current)
					--depth;
				state = 0;
			}
			else if (TokenIs('>'))
			{
				std::string_view text = ReadText();
				current->m_value.assign(text);
				// Elements other than the top take their text once, after
				// their start tag; one with a long name is already noted.
				if (current != top && OwnsMemory(current->m_value) && !OwnsMemory(current->m_name))
					arena.NoteOwnMemory(current);
				if (Contains(text, '&', m_data + m_size))
					DecodeXmlText(current->m_value);
				state = 0;
			}
			else
			{
				// An attribute: its name, "=" and its quoted value.
				std::string_view name = m_token;
				ReadToken();
				if (!TokenIs('='))
					return Fail(top, "Xml::Expected '=' but found " + std::string(m_token) + "\n");
				std::string_view value = ReadQuoted();
				cXmlNode* attribute = arena.NewNode(name, value, m_data + m_size);
				if (OwnsMemory(attribute->m_name) || OwnsMemory(attribute->m_value))
					arena.NoteOwnMemory(attribute);
				current->Append(current->m_firstAttribute, attribute);
				if (Contains(value, '&', m_data + m_size))
					DecodeXmlAttribute(attribute->m_value);
			}
			break;
		}
		more = ReadToken();
	}
	// The last token is not acted on: the text is complete when every
	// element was closed, or when it ends with the top element's closing name.
	m_complete = !current || (state == 2 && current == top && m_token == top->m_name);
	return top;
}
