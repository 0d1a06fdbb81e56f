// The shared binary encodings of strings, lists and maps, read in the order
// the seed writes them.

#include "support/FuzzTarget.h"

#include "engine/foundation/StreamSerialization.h"
#include "engine/foundation/cMemoryStream.h"

namespace
{
void Run(const uint8_t* data, size_t size)
{
	cMemoryStream stream;
	stream.Write(data, static_cast<uint32_t>(size));
	stream.Seek(0, cStream::FromStart);
	uint32_t number;
	std::string text;
	std::wstring wide;
	std::vector<std::string> list;
	std::map<std::string, int> numbers;
	std::map<std::string, bool> flags;
	std::map<std::string, std::wstring> texts;
	StreamReadU32(stream, number);
	StreamReadString(stream, text);
	StreamReadWideString(stream, wide);
	StreamReadStringList(stream, list);
	StreamReadStringIntMap(stream, numbers);
	StreamReadStringBoolMap(stream, flags);
	StreamReadStringWideMap(stream, texts);
	StreamReadCount(stream, number, 3);
}

std::vector<std::string> Seeds()
{
	cMemoryStream out;
	StreamWriteU32(out, 7);
	StreamWriteString(out, "name");
	StreamWriteWideString(out, L"wide text");
	StreamWriteStringList(out, {"a", "", "ccc"});
	StreamWriteStringIntMap(out, {{"one", 1}, {"minus", -1}});
	StreamWriteStringBoolMap(out, {{"yes", true}, {"no", false}});
	StreamWriteStringWideMap(out, {{"k", L"v"}});
	StreamWriteU32(out, 2);
	return {std::string(reinterpret_cast<const char*>(out.GetData()), out.GetSize())};
}
}

ZV2_FUZZ_TARGET(SerializedValues, Run, Seeds)
