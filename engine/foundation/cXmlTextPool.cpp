#include "engine/foundation/cXmlTextPool.h"

#include <bit>

namespace
{
// Set when the thread's pool is destroyed, so that trees destroyed later
// in the thread's end release their texts as usual.
thread_local bool t_poolEnded = false;

// The room of a string that holds its text in itself.
const size_t OwnRoom = std::string().capacity();
}

cXmlTextPool* cXmlTextPool::OfThisThread()
{
	if (t_poolEnded)
		return nullptr;
	thread_local cXmlTextPool pool;
	return &pool;
}

cXmlTextPool::~cXmlTextPool()
{
	t_poolEnded = true;
}

size_t cXmlTextPool::RoomClass(size_t room)
{
	return static_cast<size_t>(std::bit_width(room)) - 5;
}

std::string cXmlTextPool::Copy(cXmlTextPool* pool, std::string_view text)
{
	if (!pool || text.size() <= OwnRoom || text.size() >= (size_t(16) << RoomClasses))
		return std::string(text);
	std::string copy;
	// A kept string of the text's own room class may be too small; one of
	// the next class is not.
	size_t roomClass = RoomClass(text.size());
	for (size_t tried : {roomClass, roomClass + 1})
	{
		if (tried == RoomClasses || pool->m_kept[tried].empty() || pool->m_kept[tried].back().capacity() < text.size())
			continue;
		pool->m_bytes -= pool->m_kept[tried].back().capacity();
		copy = std::move(pool->m_kept[tried].back());
		pool->m_kept[tried].pop_back();
		break;
	}
	copy.assign(text);
	return copy;
}

void cXmlTextPool::Keep(cXmlTextPool* pool, std::string& text)
{
	size_t room = text.capacity();
	if (!pool || room <= OwnRoom || room >= (size_t(16) << RoomClasses) || pool->m_bytes + room > KeptBytes)
		return;
	pool->m_kept[RoomClass(room)].push_back(std::move(text));
	pool->m_bytes += room;
	text.clear();
}
