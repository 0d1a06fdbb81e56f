#include "engine/foundation/cSubStream.h"

#include <algorithm>

cSubStream::cSubStream(cStream* parent, uint32_t offset, uint32_t size) : m_offset(offset), m_size(size), m_parent(parent)
{
}

bool cSubStream::IsEnd()
{
	return m_position == m_size;
}

uint32_t cSubStream::GetSize()
{
	return m_size;
}

bool cSubStream::SetSize(uint32_t)
{
	return false;
}

uint32_t cSubStream::Read(void* destination, uint32_t count)
{
	count = std::min(count, m_size - m_position);
	if (count == 0)
		return 0;
	m_parent->Seek(static_cast<int32_t>(m_offset + m_position), FromStart);
	uint32_t got = m_parent->Read(destination, count);
	m_position += got;
	return got;
}

uint32_t cSubStream::Write(const void*, uint32_t)
{
	return 0;
}

uint32_t cSubStream::Seek(int32_t offset, int origin)
{
	m_position = ClampedSeek(m_position, m_size, offset, origin);
	return m_position;
}
