#include "engine/foundation/cStream.h"

#include <algorithm>
#include <memory>
#include <new>

bool cStream::IsEnd()
{
	return false;
}

uint8_t* cStream::ReadAll()
{
	uint32_t size = GetSize();
	uint8_t* data = new (std::nothrow) uint8_t[size]();
	if (!data)
		return nullptr;
	Seek(0, FromStart);
	Read(data, size);
	return data;
}

void cStream::CopyFrom(cStream& source, uint32_t count)
{
	count = CopyCount(source, count);
	if (count == 0)
		return;
	uint32_t chunk = std::min<uint32_t>(count, 1u << 20);
	std::unique_ptr<uint8_t[]> buffer(new uint8_t[chunk]());
	uint32_t got = 1;
	while (count > 0 && got > 0)
	{
		got = source.Read(buffer.get(), chunk);
		Write(buffer.get(), got);
		count -= std::min(count, got);
		chunk = std::min(count, chunk);
	}
}

uint64_t cStream::GetRemaining()
{
	uint64_t size = GetSize();
	uint64_t position = Seek(0, FromCurrent);
	return position < size ? size - position : 0;
}

uint32_t cStream::ClampedSeek(uint32_t position, uint32_t size, int32_t offset, int origin)
{
	int64_t target = position;
	if (origin == FromStart)
		target = offset;
	else if (origin == FromCurrent)
		target = static_cast<int64_t>(position) + offset;
	else if (origin == FromEnd)
		target = static_cast<int64_t>(size) + offset;
	return static_cast<uint32_t>(std::clamp<int64_t>(target, 0, size));
}

uint32_t cStream::CopyCount(cStream& source, uint32_t count)
{
	if (count == 0)
		return 0;
	if (count == WholeStream)
	{
		uint32_t size = source.GetSize();
		source.Seek(0, FromStart);
		return size;
	}
	return static_cast<uint32_t>(std::min<uint64_t>(count, source.GetRemaining()));
}
