#include "engine/resources/cZlibArchiver.h"

#include "engine/foundation/StreamSerialization.h"
#include "engine/foundation/cLog.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>
#include <zlib.h>

namespace
{
bool UncompressFailed()
{
	LOG(2, "zlib uncompression failed");
	return false;
}
}

bool cZlibArchiver::Compress(cStream& in, cMemoryStream& out)
{
	cMemoryStream input(in);
	in.Seek(0, cStream::FromStart);
	uLong size = input.GetSize();
	// Room for the worst case, at least the input size plus 996 bytes.
	uLongf room = std::max<uLong>(size + 996, compressBound(size));
	if (!out.SetSize(static_cast<uint32_t>(4 + room)))
	{
		LOG(2, "zlib compression failed");
		return false;
	}
	uint8_t* data = out.GetData();
	PutU32LE(data, static_cast<uint32_t>(size));
	uint8_t empty = 0;
	const Bytef* source = size ? input.GetData() : &empty;
	if (compress(data + 4, &room, source, size) != Z_OK)
	{
		LOG(2, "zlib compression failed");
		return false;
	}
	out.SetSize(static_cast<uint32_t>(4 + room));
	out.Seek(0, cStream::FromEnd);
	return true;
}

bool cZlibArchiver::Uncompress(cStream& in, cMemoryStream& out)
{
	// The record is read into a buffer kept between calls (a new one for each
	// record costs its pages again) and inflated from there into out.
	thread_local std::vector<uint8_t> record;
	record.resize(in.GetSize());
	in.Seek(0, cStream::FromStart);
	uint32_t size = record.empty() ? 0 : in.Read(record.data(), static_cast<uint32_t>(record.size()));
	in.Seek(0, cStream::FromStart);
	if (size == 0)
		return false;
	if (size < 4)
		return UncompressFailed();
	uint32_t expected = GetU32LE(record.data());
	uint64_t packed = size - 4;
	if (expected > packed * MaxExpansion + ExpansionSlack || !out.SetSize(expected))
		return UncompressFailed();
	uint8_t spare = 0;
	Bytef* destination = expected ? out.GetData() : &spare;
	uLongf length = expected;
	if (uncompress(destination, &length, record.data() + 4, static_cast<uLong>(packed)) != Z_OK)
	{
		out.SetSize(0);
		return UncompressFailed();
	}
	out.SetSize(static_cast<uint32_t>(length));
	out.Seek(0, cStream::FromEnd);
	return true;
}
