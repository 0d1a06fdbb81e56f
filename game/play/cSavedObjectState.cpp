#include "game/play/cSavedObjectState.h"

#include "engine/foundation/StreamSerialization.h"

namespace
{
// The smallest encoded record: empty name, no children, two flags, empty
// motion and animation.
constexpr uint64_t SmallestRecord = 4 + 4 + 1 + 1 + 4 + 4;
}

void cSavedObjectState::Write(cStream& stream) const
{
	StreamWriteString(stream, name);
	StreamWriteU32(stream, static_cast<uint32_t>(children.size()));
	for (const cSavedObjectState& child : children)
		child.Write(stream);
	StreamWriteBool(stream, enabled);
	StreamWriteBool(stream, visible);
	StreamWriteString(stream, motion);
	StreamWriteString(stream, animation);
}

bool cSavedObjectState::Read(cStream& stream, int depth)
{
	uint32_t count;
	if (depth > MaxDepth || !StreamReadString(stream, name) || !StreamReadCount(stream, count, SmallestRecord))
		return false;
	// Children are added as they are read, so that the records held never
	// outgrow the bytes read, however deep the counts nest.
	children.clear();
	for (uint32_t i = 0; i < count; ++i)
		if (!children.emplace_back().Read(stream, depth + 1))
			return false;
	return StreamReadBool(stream, enabled) && StreamReadBool(stream, visible) && StreamReadString(stream, motion) &&
		StreamReadString(stream, animation);
}
