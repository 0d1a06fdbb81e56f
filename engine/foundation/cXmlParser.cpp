#include "engine/foundation/cXmlParser.h"

#include <cstring>

namespace
{
bool IsSpace(char c)
{
	return c == 0 || c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

bool IsDelimiter(char c)
{
	return c == '\t' || c == ' ' || c == '"' || c == '/' || c == '<' || c == '=' || c == '>';
}

void Trim(std::string& text)
{
	size_t begin = 0;
	while (begin < text.size() && static_cast<unsigned char>(text[begin]) <= 32)
		++begin;
	size_t end = text.size();
	while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32)
		--end;
	text.erase(end);
	text.erase(0, begin);
}

// The decoders work in place: every replacement is shorter than what it
// replaces, so the write position never passes the read position.

// Replaces every "&amp;" by "&". A replacement that forms a new "&amp;"
// with the text after it is replaced again: "&amp;amp;" gives "&".
void DecodeAmpersands(std::string& text)
{
	size_t write = 0;
	for (size_t read = 0; read < text.size();)
	{
		char c = text[read++];
		if (c == '&')
			while (text.compare(read, 4, "amp;") == 0)
				read += 4;
		text[write++] = c;
	}
	text.resize(write);
}

// Replaces every occurrence of from (which starts with "&" and holds no
// other "&") by the single character to, which cannot itself form from.
void ReplaceReference(std::string& text, const char* from, char to)
{
	size_t length = strlen(from);
	size_t write = 0;
	for (size_t read = 0; read < text.size();)
	{
		if (text[read] == '&' && text.compare(read, length, from) == 0)
		{
			text[write++] = to;
			read += length;
		}
		else
			text[write++] = text[read++];
	}
	text.resize(write);
}

// Removes every occurrence of from, also those that removals join together.
void RemoveReference(std::string& text, const char* from)
{
	size_t length = strlen(from);
	size_t write = 0;
	for (size_t read = 0; read < text.size(); ++read)
	{
		text[write++] = text[read];
		if (text[read] == from[length - 1] && write >= length && text.compare(write - length, length, from) == 0)
			write -= length;
	}
	text.resize(write);
}
}

void DecodeXmlText(std::string& text)
{
	if (text.find('&') == std::string::npos)
		return;
	DecodeAmpersands(text);
	ReplaceReference(text, "&quot;", '"');
}

void DecodeXmlAttribute(std::string& text)
{
	if (text.find('&') == std::string::npos)
		return;
	DecodeXmlText(text);
	RemoveReference(text, "&#xA;");
	ReplaceReference(text, "&#xD;", '\n');
}

cXmlParser::cXmlParser(cMemoryStream& stream)
	: m_stream(stream), m_data(stream.GetData()), m_position(stream.GetPosition()), m_size(stream.GetSize())
{
}

// Reads one character; at the end nothing is read and the current
// character stays. Returns whether data is left after it.
bool cXmlParser::Next()
{
	if (m_position < m_size)
		m_char = static_cast<char>(m_data[m_position++]);
	return m_position < m_size;
}

// Runs "while (!stop(c)) { append c; if (!Next()) break; }" over the buffer
// in one scan. As in that loop, the last byte of the text is never appended.
template <class Stop>
void cXmlParser::Collect(std::string* out, Stop stop)
{
	if (stop(m_char))
		return;
	if (out)
		*out += m_char;
	if (!Next())
		return;
	// Not at the end, so the current character is the byte just read.
	const uint8_t* begin = m_data + m_position - 1;
	const uint8_t* last = m_data + m_size - 1;
	const uint8_t* scan = begin;
	while (scan < last && !stop(static_cast<char>(*scan)))
		++scan;
	if (out)
		out->append(reinterpret_cast<const char*>(begin), scan - begin);
	m_char = static_cast<char>(*scan);
	m_position = static_cast<uint32_t>(scan - m_data) + 1;
}

bool cXmlParser::SkipSpace()
{
	Collect(nullptr, [](char c) { return !IsSpace(c); });
	return AtEnd();
}

// The token is a view of the text: its characters lie together in the
// buffer, from the current character on.
bool cXmlParser::ReadToken()
{
	if (SkipSpace())
	{
		// Nothing more to read: the token is the current character alone.
		m_endToken.assign(1, m_char);
		m_token = m_endToken;
		return false;
	}
	const char* start = reinterpret_cast<const char*>(m_data) + m_position - 1;
	if (IsDelimiter(m_char))
	{
		m_token = std::string_view(start, 1);
		return Next();
	}
	if (!Next())
	{
		m_token = std::string_view(start, 1);
		return false;
	}
	Collect(nullptr, IsDelimiter);
	// The character that ended the token was read last and is not part of it.
	m_token = std::string_view(start, reinterpret_cast<const char*>(m_data) + m_position - 1 - start);
	return !AtEnd();
}

bool cXmlParser::ReadQuoted(std::string& out)
{
	SkipSpace();
	Collect(nullptr, [](char c) { return c == '"'; });
	out.clear();
	if (Next())
		Collect(&out, [](char c) { return c == '"'; });
	m_char = 0;
	return AtEnd();
}

void cXmlParser::ReadText(std::string& out)
{
	SkipSpace();
	out.clear();
	Collect(&out, [](char c) { return c == '<'; });
	Trim(out);
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
	m_stream.Seek(static_cast<int32_t>(m_position), cStream::FromStart);
	return nullptr;
}

cXmlNode* cXmlParser::Parse()
{
	cXmlNode* top = new cXmlNode("");
	cXmlNode* current = nullptr;
	int depth = 0;
	int state = 0;
	m_diagnostic.clear();
	m_complete = false;

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
					top->Name() = m_token;
					current = top;
				}
				else
				{
					if (++depth > MaxDepth)
						return Fail(top, "Xml::Nesting too deep in node " + current->GetName() + "\n");
					cXmlNode* element = new cXmlNode(m_token);
					current->AppendChild(element);
					current = element;
				}
				state = 3;
			}
			break;
		case 2:
			if (!current || m_token != current->GetName())
				return Fail(top, "Xml::Looking for name " + (current ? current->GetName() : std::string()) + " but found\n");
			current = current->GetParent();
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
					return Fail(top, "Xml::Missed close branch in node " + current->GetName() + "\n");
				current = current->GetParent();
				if (current)
					--depth;
				state = 0;
			}
			else if (TokenIs('>'))
			{
				ReadText(current->Value());
				DecodeXmlText(current->Value());
				state = 0;
			}
			else
			{
				cXmlNode* attribute = current->AddAttribute(m_token);
				ReadToken();
				if (!TokenIs('='))
					return Fail(top, "Xml::Expected '=' but found " + std::string(m_token) + "\n");
				ReadQuoted(attribute->Value());
				DecodeXmlAttribute(attribute->Value());
			}
			break;
		}
		more = ReadToken();
	}
	// The last token is not acted on: the text is complete when every
	// element was closed, or when it ends with the top element's closing name.
	m_complete = !current || (state == 2 && current == top && m_token == top->GetName());
	m_stream.Seek(static_cast<int32_t>(m_position), cStream::FromStart);
	return top;
}
