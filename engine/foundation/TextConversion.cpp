#include "engine/foundation/TextConversion.h"

namespace
{
const wchar_t kReplacement = 0xFFFD;

int LeadingOnes(unsigned char byte)
{
	int count = 0;
	while (count < 8 && (byte & (0x80 >> count)))
		++count;
	return count;
}
}

int DecodeUtf8Char(const unsigned char* p, wchar_t* out)
{
	if (p[0] == 0)
	{
		*out = 0;
		return 0;
	}
	switch (LeadingOnes(p[0]))
	{
	case 0:
		*out = p[0];
		return 1;
	case 2:
		if (p[1] == 0)
			break;
		*out = static_cast<wchar_t>(((p[0] & 0x1F) << 6) | (p[1] & 0x3F));
		return 2;
	case 3:
		if (p[1] == 0)
			break;
		if (p[2] == 0)
		{
			*out = kReplacement;
			return 2;
		}
		*out = static_cast<wchar_t>(((p[0] & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
		return 3;
	default:
		break;
	}
	*out = kReplacement;
	return 1;
}

void Utf8ToWide(const std::string& in, std::wstring& out)
{
	out.clear();
	const auto* p = reinterpret_cast<const unsigned char*>(in.c_str());
	while (*p)
	{
		wchar_t unit;
		p += DecodeUtf8Char(p, &unit);
		out += unit;
	}
}

void WideToUtf8(const std::wstring& in, std::string& out)
{
	out.clear();
	for (wchar_t element : in)
	{
		auto u = static_cast<uint32_t>(element);
		if (u > 0xFFFF)
			u = kReplacement;
		if (u < 0x80)
			out += static_cast<char>(u);
		else if (u < 0x800)
		{
			out += static_cast<char>(0xC0 | (u >> 6));
			out += static_cast<char>(0x80 | (u & 0x3F));
		}
		else
		{
			out += static_cast<char>(0xE0 | (u >> 12));
			out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
			out += static_cast<char>(0x80 | (u & 0x3F));
		}
	}
}
