#include "platform/crash/cCrashText.h"

cCrashText::cCrashText(char* buffer, size_t capacity) : m_buffer(buffer), m_capacity(capacity)
{
	Clear();
}

cCrashText& cCrashText::Clear()
{
	m_length = 0;
	if (m_capacity > 0)
		m_buffer[0] = '\0';
	return *this;
}

cCrashText& cCrashText::Append(const char* text, size_t length)
{
	if (m_capacity == 0 || !text)
		return *this;
	for (size_t index = 0; index < length && text[index] && m_length + 1 < m_capacity; ++index)
		m_buffer[m_length++] = text[index];
	m_buffer[m_length] = '\0';
	return *this;
}

cCrashText& cCrashText::Append(const char* text)
{
	return Append(text, SIZE_MAX);
}

cCrashText& cCrashText::Append(char c)
{
	return Append(&c, 1);
}

cCrashText& cCrashText::AppendDigits(uint64_t value, unsigned base, int minDigits)
{
	char digits[32];
	int count = 0;
	do
	{
		digits[count++] = "0123456789ABCDEF"[value % base];
		value /= base;
	} while (value != 0 && count < 32);
	while (count < minDigits && count < 32)
		digits[count++] = '0';
	char ordered[32];
	for (int index = 0; index < count; ++index)
		ordered[index] = digits[count - 1 - index];
	return Append(ordered, size_t(count));
}

cCrashText& cCrashText::AppendHex(uint64_t value, int minDigits)
{
	return AppendDigits(value, 16, minDigits);
}

cCrashText& cCrashText::AppendDecimal(int64_t value, int minDigits)
{
	if (value < 0)
		Append('-');
	return AppendDigits(value < 0 ? 0 - uint64_t(value) : uint64_t(value), 10, minDigits);
}

size_t CrashTextLength(const char* text)
{
	size_t length = 0;
	while (text && text[length])
		++length;
	return length;
}
