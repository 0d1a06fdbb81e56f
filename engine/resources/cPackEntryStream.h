#pragma once
// A read-only window onto one record of an open pack file. All entry
// streams of a pack share the file and its position, so every read seeks
// and reads under the resource manager's lock.

#include "engine/foundation/cSubStream.h"
#include "platform/win32/Win32Sync.h"

class cPackEntryStream : public cSubStream
{
public:
	// The pack file is not owned; it outlives the window.
	cPackEntryStream(cStream* pack, uint32_t offset, uint32_t size, CRITICAL_SECTION* lock);

	uint32_t Read(void* destination, uint32_t count) override;

private:
	CRITICAL_SECTION* m_lock;
};
