#include "engine/scene/sMotionData.h"

#include "engine/foundation/StreamSerialization.h"

#include <type_traits>

namespace
{
template <class T>
void WriteArray(cStream& out, const std::vector<T>& array)
{
	StreamWriteU32(out, static_cast<uint32_t>(array.size()));
	out.Write(array.data(), static_cast<uint32_t>(array.size() * sizeof(T)));
}

// A count and that many records read as one block.
template <class T>
bool ReadArray(cStream& in, std::vector<T>& array)
{
	static_assert(std::is_trivially_copyable_v<T>);
	uint32_t count = 0;
	if (!StreamReadCount(in, count, sizeof(T)))
		return false;
	array.resize(count);
	const uint64_t size = uint64_t(count) * sizeof(T);
	return size == 0 || in.Read(array.data(), uint32_t(size)) == size;
}
}

void sMotionData::Write(cStream& out) const
{
	WriteArray(out, positions);
	WriteArray(out, rotations);
	WriteArray(out, scales);
	WriteArray(out, colours);
	WriteArray(out, keyTimes);
}

bool sMotionData::Read(cStream& in, std::string& error)
{
	error.clear();
	if (!ReadArray(in, positions))
		error = "damaged position keys";
	else if (!ReadArray(in, rotations))
		error = "damaged rotation keys";
	else if (!ReadArray(in, scales))
		error = "damaged scale keys";
	else if (!ReadArray(in, colours))
		error = "damaged colour keys";
	else if (!ReadArray(in, keyTimes))
		error = "damaged key times";
	if (error.empty())
		return true;
	*this = sMotionData();
	return false;
}
