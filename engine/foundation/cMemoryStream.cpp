#include "engine/foundation/cMemoryStream.h"

#include <algorithm>
#include <cstring>
#include <new>

cMemoryStream::cMemoryStream(cStream& source)
{
	LoadFrom(source);
}

cMemoryStream::cMemoryStream(const cMemoryStream& other)
{
	if (other.m_size > 0 && Reserve(other.m_size))
	{
		memcpy(m_data, other.m_data, other.m_size);
		m_size = other.m_size;
		m_position = other.m_position;
	}
}

cMemoryStream::~cMemoryStream()
{
	Release();
}

void cMemoryStream::Release()
{
	delete[] m_data;
	m_data = nullptr;
	m_position = m_size = m_capacity = 0;
}

void cMemoryStream::LoadFrom(cStream& source)
{
	Release();
	uint32_t size = source.GetSize();
	source.Seek(0, FromStart);
	if (size == 0 || !Reserve(size))
		return;
	m_size = source.Read(m_data, size);
	m_position = 0;
}

bool cMemoryStream::Reserve(uint64_t size)
{
	if (size <= m_capacity)
		return true;
	if (size > 0xFFFFFFFFu)
		return false;
	uint64_t capacity = std::max<uint64_t>({size, static_cast<uint64_t>(m_capacity) * 2, 64});
	return Reallocate(static_cast<uint32_t>(std::min<uint64_t>(capacity, 0xFFFFFFFFu)));
}

bool cMemoryStream::Reallocate(uint32_t capacity)
{
	uint8_t* data = new (std::nothrow) uint8_t[capacity];
	if (!data)
		return false;
	if (m_size > 0)
		memcpy(data, m_data, m_size);
	delete[] m_data;
	m_data = data;
	m_capacity = capacity;
	return true;
}

bool cMemoryStream::IsEnd()
{
	return m_position == m_size;
}

uint32_t cMemoryStream::GetSize()
{
	return m_size;
}

uint8_t* cMemoryStream::ReadAll()
{
	uint8_t* data = m_data;
	m_data = nullptr;
	m_position = m_size = m_capacity = 0;
	return data;
}

bool cMemoryStream::SetSize(uint32_t size)
{
	if (size == 0)
	{
		Release();
		return true;
	}
	if (size > m_capacity)
	{
		// An explicit size is taken as final: no spare room.
		if (!Reallocate(size))
			return false;
	}
	if (size > m_size)
		memset(m_data + m_size, 0, size - m_size);
	m_size = size;
	m_position = std::min(m_position, m_size);
	return true;
}

uint32_t cMemoryStream::Read(void* destination, uint32_t count)
{
	count = std::min(count, m_size - m_position);
	if (count > 0)
	{
		memcpy(destination, m_data + m_position, count);
		m_position += count;
	}
	return count;
}

uint32_t cMemoryStream::Write(const void* source, uint32_t count)
{
	if (count == 0)
		return 0;
	uint64_t end = static_cast<uint64_t>(m_position) + count;
	if (end > m_size)
	{
		if (!Reserve(end))
			return 0;
		m_size = static_cast<uint32_t>(end);
	}
	memcpy(m_data + m_position, source, count);
	m_position += count;
	return count;
}

uint32_t cMemoryStream::Seek(int32_t offset, int origin)
{
	m_position = ClampedSeek(m_position, m_size, offset, origin);
	return m_position;
}

void cMemoryStream::CopyFrom(cStream& source, uint32_t count)
{
	count = CopyCount(source, count);
	if (count == 0)
		return;
	uint64_t end = static_cast<uint64_t>(m_position) + count;
	if (!Reserve(end))
		return;
	uint32_t got = source.Read(m_data + m_position, count);
	m_position += got;
	m_size = std::max(m_size, m_position);
}
