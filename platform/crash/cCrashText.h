#pragma once
// Text built in a fixed buffer without allocation, locks or locale, so that
// it may run in a signal handler. Every append is bounded by the room left
// (one byte stays for the terminator): a piece that does not fit is cut,
// never written past the end.

#include <cstddef>
#include <cstdint>

class cCrashText
{
public:
	cCrashText(char* buffer, size_t capacity);

	// Starts over with the empty text.
	cCrashText& Clear();
	cCrashText& Append(const char* text);
	// At most length bytes of text (stops at a terminator).
	cCrashText& Append(const char* text, size_t length);
	cCrashText& Append(char c);
	// Upper-case hexadecimal with at least minDigits digits.
	cCrashText& AppendHex(uint64_t value, int minDigits);
	// Decimal with at least minDigits digits (leading zeros).
	cCrashText& AppendDecimal(int64_t value, int minDigits = 1);

	const char* Get() const { return m_buffer; }
	size_t Length() const { return m_length; }
	// Bytes that can still be appended.
	size_t Room() const { return m_capacity - 1 - m_length; }

private:
	cCrashText& AppendDigits(uint64_t value, unsigned base, int minDigits);

	char* m_buffer;
	size_t m_capacity;
	size_t m_length = 0;
};

// Length of a terminated text; usable in a signal handler.
size_t CrashTextLength(const char* text);
