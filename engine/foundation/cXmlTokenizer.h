#pragma once
// The tokenizer of the XML reader. It reads a text in memory the way a
// reader of one byte at a time would: the current character is the byte
// read last, and at the end of the text nothing more is read and the
// current character stays. Tokens, quoted values and texts are views of the
// text, found by scanning it in place.
//
// Every step that uses the tokenizer's state is inlined into the reader,
// which keeps its tokenizer on the stack: the position and the current
// character then stay in registers.

#include <array>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The tokenizer's character classes, one bit each, looked up in a table.
struct sXmlCharacterClasses
{
	enum : uint8_t
	{
		NotSpace = 1,  // anything but 0, tab, line feed, carriage return and space
		Delimiter = 2, // tab, space, '"', '/', '<', '=' and '>'
		Quote = 4,     // '"'
		TextEnd = 8,   // '<'
	};

	static constexpr std::array<uint8_t, 256> Make()
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
};

class cXmlTokenizer
{
public:
	// Reads size bytes of data from position on. endToken holds the token
	// read at the very end of the text.
	cXmlTokenizer(const char* data, uint32_t position, uint32_t size, char& endToken)
		: m_data(data), m_position(position), m_size(size),
		  m_lastClasses(size > 0 ? Classes[static_cast<uint8_t>(data[size - 1])] : 0), m_endToken(endToken)
	{
	}

	[[gnu::always_inline]] uint32_t GetPosition() const { return m_position; }
	[[gnu::always_inline]] std::string_view GetToken() const { return m_token; }
	[[gnu::always_inline]] bool TokenIs(char c) const { return m_token.size() == 1 && m_token[0] == c; }

	// Skips white space, then reads a delimiter alone or a run of other
	// characters up to a delimiter: a view of the text, from the current
	// character on. Returns whether data is left.
	[[gnu::always_inline]] bool ReadToken()
	{
		if (SkipSpace())
		{
			// Nothing more to read: the token is the current character alone.
			m_endToken = m_char;
			m_token = std::string_view(&m_endToken, 1);
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

	// After an attribute name: reads the "=" token and then the quoted value
	// (see ReadQuoted). Returns false, with the token read in place of "=",
	// when no "=" follows.
	[[gnu::always_inline]] bool ReadAssignedValue(std::string_view& value)
	{
		if (m_char == '=' && m_size - m_position >= 2 && m_data[m_position] == '"')
		{
			// The usual name="value", without the general steps: the "="
			// token, and the opening quote read as the current character.
			m_token = std::string_view(m_data + m_position - 1, 1);
			m_char = '"';
			++m_position;
		}
		else
		{
			ReadToken();
			if (!TokenIs('='))
				return false;
		}
		value = ReadQuoted();
		return true;
	}

	// Skips white space and returns the text up to the next '<', trimmed.
	[[gnu::always_inline]] std::string_view ReadText()
	{
		SkipSpace();
		return Trimmed(CollectUntil<TextEnd>());
	}

	// After a "<!--" token: skips on to the next two dashes in a row, then
	// to the end of the tag.
	[[gnu::always_inline]] void SkipComment()
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

	// Reads tokens up to and including ">", or to the end.
	[[gnu::always_inline]] void SkipToTagEnd()
	{
		while (ReadToken() && !TokenIs('>'))
		{
		}
	}

	// Whether text, which lies in a buffer that ends at end, holds c.
	static bool Contains(std::string_view text, char c, [[maybe_unused]] const char* end)
	{
#if defined(__SSE2__)
		if (!text.empty() && text.size() <= 16 && end - text.data() >= 16)
			return MatchMask(text.data(), c) & ((1u << text.size()) - 1);
#endif
		return text.find(c) != std::string_view::npos;
	}

private:
	// Character classes, one bit each.
	enum : uint8_t
	{
		NotSpace = sXmlCharacterClasses::NotSpace,
		Delimiter = sXmlCharacterClasses::Delimiter,
		Quote = sXmlCharacterClasses::Quote,
		TextEnd = sXmlCharacterClasses::TextEnd,
	};
	static constexpr std::array<uint8_t, 256> Classes = sXmlCharacterClasses::Make();

	static bool IsIn(char c, uint8_t classes) { return Classes[static_cast<uint8_t>(c)] & classes; }

#if defined(__SSE2__)
	// A bit for each of the 16 bytes from p on that equals c.
	static unsigned MatchMask(const char* p, char c)
	{
		__m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
		return _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)));
	}
#endif

	// The first byte from scan on, before end, in the stop class; end when
	// there is none. endClasses are the classes of the byte at end. Names
	// and white space are short: they are scanned byte by byte, and without
	// a bounds test when the byte at end stops the scan anyway (as the '>'
	// that ends a well-formed text does). Values and texts are scanned
	// sixteen bytes at a time.
	template <uint8_t Stop>
	static const char* FindStop(const char* scan, const char* end, uint8_t endClasses)
	{
#if defined(__SSE2__)
		if constexpr (Stop == Quote || Stop == TextEnd)
		{
			for (; end - scan >= 16; scan += 16)
				if (unsigned mask = MatchMask(scan, Stop == Quote ? '"' : '<'))
					return scan + __builtin_ctz(mask);
		}
#endif
		if (endClasses & Stop)
		{
			while (!IsIn(*scan, Stop))
				++scan;
			return scan;
		}
		while (scan < end && !IsIn(*scan, Stop))
			++scan;
		return scan;
	}

	// The text without leading and trailing bytes up to 32 (white space and
	// control characters).
	static std::string_view Trimmed(std::string_view text)
	{
		size_t begin = 0;
		while (begin < text.size() && static_cast<unsigned char>(text[begin]) <= 32)
			++begin;
		size_t end = text.size();
		while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32)
			--end;
		return text.substr(begin, end - begin);
	}

	// Skips to the next double quote and returns what lies between it and
	// the following one (or the end). The current character becomes 0.
	[[gnu::always_inline]] std::string_view ReadQuoted()
	{
		SkipSpace();
		SkipUntil<Quote>();
		std::string_view value;
		if (Next())
			value = CollectUntil<Quote>();
		m_char = 0;
		return value;
	}

	[[gnu::always_inline]] bool AtEnd() const { return m_position >= m_size; }

	// Reads one character; at the end nothing is read and the current
	// character stays. Returns whether data is left after it.
	[[gnu::always_inline]] bool Next()
	{
		if (m_position < m_size)
			m_char = m_data[m_position++];
		return m_position < m_size;
	}

	// Runs "while (!stop(c)) { if (!Next()) break; }" in one scan: it ends
	// on the first character in one of the stop classes, or on the last
	// byte of the text, which is read but never tested.
	template <uint8_t Stop>
	[[gnu::always_inline]] void SkipUntil()
	{
		if (IsIn(m_char, Stop) || m_position >= m_size)
			return;
		const char* scan = FindStop<Stop>(m_data + m_position, m_data + m_size - 1, m_lastClasses);
		m_char = *scan;
		m_position = static_cast<uint32_t>(scan - m_data) + 1;
	}

	// The characters SkipUntil passes over, from the current one on: as in
	// "while (!stop(c)) { append c; if (!Next()) break; }", the last byte
	// of the text is only part of them when it is already the current
	// character. The current character must be the byte last read.
	template <uint8_t Stop>
	[[gnu::always_inline]] std::string_view CollectUntil()
	{
		if (IsIn(m_char, Stop))
			return std::string_view();
		const char* begin = m_data + m_position - 1;
		if (AtEnd())
			return std::string_view(begin, 1);
		SkipUntil<Stop>();
		return std::string_view(begin, m_data + m_position - 1 - begin);
	}

	// Returns whether the text is at its end.
	[[gnu::always_inline]] bool SkipSpace()
	{
		SkipUntil<NotSpace>();
		return AtEnd();
	}

	const char* m_data;
	uint32_t m_position;
	uint32_t m_size;
	// The classes of the last byte of the text.
	uint8_t m_lastClasses;
	char m_char = 0;
	std::string_view m_token;
	char& m_endToken;
};
