#include "engine/foundation/StringUtils.h"

#include "engine/foundation/TextConversion.h"

#include <climits>
#include <cstring>
#include <type_traits>

namespace
{
// The text without the characters up to 32 (spaces and control characters)
// at both ends; characters compare as unsigned codes.
template <class tString>
tString Trimmed(const tString& text)
{
	auto isBlank = [](typename tString::value_type c) {
		return static_cast<std::make_unsigned_t<typename tString::value_type>>(c) <= 32;
	};
	size_t begin = 0;
	while (begin < text.size() && isBlank(text[begin]))
		++begin;
	size_t end = text.size();
	while (end > begin && isBlank(text[end - 1]))
		--end;
	return text.substr(begin, end - begin);
}
}

void TrimString(std::string& text)
{
	text = Trimmed(text);
}

std::wstring TrimWide(const std::wstring& text)
{
	return Trimmed(text);
}

void ReplaceAll(std::string& text, const std::string& from, const char* to)
{
	if (from.empty())
		return;
	std::string replacement = to ? to : "";
	bool reformsItself = replacement.find(from) != std::string::npos;
	size_t position = text.find(from);
	while (position != std::string::npos)
	{
		text.replace(position, from.size(), replacement);
		// An occurrence formed by the replacement overlaps the inserted text,
		// so searching again from just before it finds what a search from the
		// start would find.
		size_t next = reformsItself ? position + replacement.size()
									: (position >= from.size() - 1 ? position - (from.size() - 1) : 0);
		position = text.find(from, next);
	}
}

std::string Utf8FromWide(const std::wstring& text)
{
	std::string out;
	WideToUtf8(text, out);
	return out;
}

int StringToInt(const std::string& text)
{
	const char* p = text.c_str();
	while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
		++p;
	bool negative = *p == '-';
	if (*p == '-' || *p == '+')
		++p;
	long long value = 0;
	for (; *p >= '0' && *p <= '9'; ++p)
	{
		value = value * 10 + (*p - '0');
		if (value > static_cast<long long>(INT_MAX) + 1)
			value = static_cast<long long>(INT_MAX) + 1;
	}
	if (negative)
		return static_cast<int>(-value);
	return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}
