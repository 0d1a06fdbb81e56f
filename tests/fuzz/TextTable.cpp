// The binary form of a text table.

#include "support/FuzzTarget.h"

#include "engine/foundation/cMemoryStream.h"
#include "engine/resources/cTextResource.h"

namespace
{
void Run(const uint8_t* data, size_t size)
{
	cMemoryStream stream;
	stream.Write(data, static_cast<uint32_t>(size));
	stream.Seek(0, cStream::FromStart);
	TextTable table;
	cTextResource::ReadTable(stream, table);
}

std::vector<std::string> Seeds()
{
	TextTable table;
	table["menu"]["buttons"]["start"] = L"Start";
	table["menu"]["buttons"]["quit"] = L"Quit\nnow";
	table["scene"]["hints"]["first"] = std::wstring(1, wchar_t(0x0416)) + L" text";
	cMemoryStream out;
	cTextResource::WriteTable(out, table);
	return {std::string(reinterpret_cast<const char*>(out.GetData()), out.GetSize())};
}
}

ZV2_FUZZ_TARGET(TextTable, Run, Seeds)
