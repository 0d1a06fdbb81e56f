#include "engine/foundation/PropertyValue.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cstdlib>

void IntToString(const int* value, std::string& out)
{
	out = IntToString(*value);
}

std::string IntToString(int value)
{
	char buffer[16];
	auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
	return std::string(buffer, result.ptr);
}

int TextToInt(const std::string& text)
{
	// atoi: leading white space, an optional sign, digits up to the first other character.
	return static_cast<int>(strtol(text.c_str(), nullptr, 10));
}

bool TextToBool(const std::string& text)
{
	return text == "1" || text == "true";
}

const char* BoolToText(bool value)
{
	return value ? "true" : "false";
}

float TextToFloat(const std::string& text)
{
	// atof in the "C" locale: the decimal separator is always ".".
	const char* begin = text.c_str();
	const char* end = begin + text.size();
	while (begin < end && isspace(static_cast<unsigned char>(*begin)))
		++begin;
	if (begin < end && *begin == '+')
		++begin;
	double value = 0;
	std::from_chars(begin, end, value);
	return static_cast<float>(value);
}

std::string FloatToText(float value)
{
	// "%f": six decimals, "." as the separator.
	char buffer[64];
	auto result = std::to_chars(buffer, buffer + sizeof(buffer), static_cast<double>(value), std::chars_format::fixed, 6);
	if (result.ec != std::errc())
		return "0.000000";
	return std::string(buffer, result.ptr);
}
