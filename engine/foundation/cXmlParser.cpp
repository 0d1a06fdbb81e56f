#include "engine/foundation/cXmlParser.h"

#include "engine/foundation/cXmlArena.h"
#include "engine/foundation/cXmlTokenizer.h"

#include <cstring>

namespace
{
// Whether text took memory of its own, beyond what the string itself holds.
inline bool OwnsMemory(const std::string& text)
{
	return text.capacity() > std::string().capacity();
}

// The decoders give the text that replacing the first occurrence of each
// reference again and again, from the start of the text, gives.

// Decodes "&amp;" and then "&quot;" from text into out, which has room for
// 15 characters more than text, in one pass: an ampersand followed by
// "amp;" any number of times becomes one ampersand (each replacement forms
// a new "&amp;" with the text after it), which a following "quot;" then
// turns into a double quote. Returns the decoded length; numeric tells
// whether the result holds an ampersand followed by '#'.
size_t DecodeAmpersandsAndQuotes(std::string_view text, char* out, bool& numeric)
{
	const char* read = text.data();
	const char* end = read + text.size();
	char* write = out;
	while (read < end)
	{
#if defined(__SSE2__)
		if (end - read >= 16)
		{
			// Sixteen characters are copied; those up to an ampersand count.
			__m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(read));
			_mm_storeu_si128(reinterpret_cast<__m128i*>(write), chunk);
			unsigned ampersands = _mm_movemask_epi8(_mm_cmpeq_epi8(chunk, _mm_set1_epi8('&')));
			unsigned plain = ampersands ? __builtin_ctz(ampersands) : 16;
			read += plain;
			write += plain;
			if (!ampersands)
				continue;
		}
		else
#endif
		{
			while (read < end && *read != '&')
				*write++ = *read++;
			if (read == end)
				break;
		}
		++read; // the ampersand
		while (end - read >= 4 && memcmp(read, "amp;", 4) == 0)
			read += 4;
		if (end - read >= 5 && memcmp(read, "quot;", 5) == 0)
		{
			*write++ = '"';
			read += 5;
		}
		else
		{
			*write++ = '&';
			numeric = numeric || (read < end && *read == '#');
		}
	}
	return static_cast<size_t>(write - out);
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

cXmlParser::cXmlParser(cMemoryStream& stream)
	: m_stream(stream), m_data(reinterpret_cast<const char*>(stream.GetData())), m_position(stream.GetPosition()),
	  m_size(stream.GetSize())
{
}

// The element text or attribute value with its references decoded:
// "&amp;" and then "&quot;", and in attribute values then "&#xA;" removed
// and "&#xD;" made a line feed. Text without an ampersand is returned as it
// is; decoded text lies in the parser's buffer, with 15 bytes of room after
// it.
inline std::string_view cXmlParser::Decoded(std::string_view text, bool attribute)
{
	return cXmlTokenizer::Contains(text, '&', m_data + m_size) ? Decode(text, attribute) : text;
}

std::string_view cXmlParser::Decode(std::string_view text, bool attribute)
{
	if (m_decoded.size() < text.size() + 16)
		m_decoded.resize(text.size() + 16);
	bool numeric = false;
	size_t length = DecodeAmpersandsAndQuotes(text, m_decoded.data(), numeric);
	// Without "&#" after the first two steps there is nothing for the others to do.
	if (attribute && numeric)
	{
		std::string rest(m_decoded.data(), length);
		RemoveReference(rest, "&#xA;");
		ReplaceReference(rest, "&#xD;", '\n');
		memcpy(m_decoded.data(), rest.data(), rest.size());
		length = rest.size();
	}
	return std::string_view(m_decoded.data(), length);
}

cXmlNode* cXmlParser::Fail(cXmlNode* top, uint32_t position, const std::string& diagnostic)
{
	m_position = position;
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
	cXmlTokenizer tokenizer(m_data, m_position, m_size, m_endToken);
	cXmlNode* top = arena.NewNode(arena.Names().Share("", nullptr), std::string_view(), nullptr);
	cXmlNode* current = nullptr;
	int depth = 0;
	int state = 0;

	bool more = tokenizer.ReadToken();
	while (more)
	{
		switch (state)
		{
		case 0:
			if (tokenizer.TokenIs('<'))
				state = 1;
			else if (!tokenizer.GetToken().starts_with("\xEF\xBB\xBF"))
				return Fail(top, tokenizer.GetPosition(), "XmlError::Open tag waiting, but found :" + std::string(tokenizer.GetToken()) + "\n");
			break;
		case 1:
			if (tokenizer.GetToken().starts_with("!--"))
			{
				tokenizer.SkipComment();
				state = 0;
			}
			else if (tokenizer.TokenIs('/'))
				state = 2;
			else if (tokenizer.GetToken() == "?xml")
			{
				tokenizer.SkipToTagEnd();
				state = 0;
			}
			else
			{
				if (!current)
				{
					top->m_name = arena.Names().Share(tokenizer.GetToken(), m_data + m_size);
					current = top;
				}
				else
				{
					if (++depth > MaxDepth)
						return Fail(top, tokenizer.GetPosition(), "Xml::Nesting too deep in node " + current->GetName() + "\n");
					cXmlNode* element = arena.NewNode(arena.Names().Share(tokenizer.GetToken(), m_data + m_size), std::string_view(), nullptr);
					current->Append(current->m_firstChild, element);
					current = element;
				}
				state = 3;
			}
			break;
		case 2:
			if (!current || tokenizer.GetToken() != current->GetName())
				return Fail(top, tokenizer.GetPosition(), "Xml::Looking for name " + (current ? current->GetName() : std::string()) + " but found\n");
			current = current->m_parent;
			if (current)
				--depth;
			tokenizer.SkipToTagEnd();
			state = 0;
			break;
		case 3:
			if (tokenizer.TokenIs('/'))
			{
				tokenizer.ReadToken();
				if (!tokenizer.TokenIs('>'))
					return Fail(top, tokenizer.GetPosition(), "Xml::Missed close branch in node " + current->GetName() + "\n");
				current = current->m_parent;
				if (current)
					--depth;
				state = 0;
			}
			else if (tokenizer.TokenIs('>'))
			{
				std::string_view text = Decoded(tokenizer.ReadText(), false);
				if (!text.empty() || !current->m_value.empty())
					current->m_value = arena.CopyText(text);
				// Elements other than the top take their text once, after their start tag.
				if (current != top && OwnsMemory(current->m_value))
					arena.NoteOwnMemory(current);
				state = 0;
			}
			else
			{
				// An attribute: its name, "=" and its quoted value.
				std::string_view name = tokenizer.GetToken();
				std::string_view written;
				if (!tokenizer.ReadAssignedValue(written))
					return Fail(top, tokenizer.GetPosition(), "Xml::Expected '=' but found " + std::string(tokenizer.GetToken()) + "\n");
				std::string_view value = Decoded(written, true);
				// The value lies in the text, or in the parser's buffer when decoded.
				const char* valueEnd = value.data() == written.data() ? m_data + m_size : m_decoded.data() + m_decoded.size();
				cXmlNode* attribute = arena.NewNode(arena.Names().Share(name, m_data + m_size), value, valueEnd);
				if (OwnsMemory(attribute->m_value))
					arena.NoteOwnMemory(attribute);
				current->Append(current->m_firstAttribute, attribute);
			}
			break;
		}
		more = tokenizer.ReadToken();
	}
	// The last token is not acted on: the text is complete when every
	// element was closed, or when it ends with the top element's closing name.
	m_complete = !current || (state == 2 && current == top && tokenizer.GetToken() == top->GetName());
	m_position = tokenizer.GetPosition();
	return top;
}
