#include "engine/resources/cPackEntryStream.h"

#include "engine/foundation/cAutoLock.h"

cPackEntryStream::cPackEntryStream(cStream* pack, uint32_t offset, uint32_t size, CRITICAL_SECTION* lock)
	: cSubStream(pack, offset, size), m_lock(lock)
{
}

uint32_t cPackEntryStream::Read(void* destination, uint32_t count)
{
	cAutoLock lock(m_lock);
	return cSubStream::Read(destination, count);
}
