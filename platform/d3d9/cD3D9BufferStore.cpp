#include "platform/d3d9/cD3D9BufferStore.h"

#include <algorithm>
#include <utility>

HRESULT cD3D9BufferStore::Lock(UINT offset, UINT size, void** data)
{
	if (!data || offset > Size() || m_locked)
		return D3DERR_INVALIDCALL;
	if (size == 0 || size > Size() - offset)
		size = Size() - offset;
	m_locked = true;
	m_lockBegin = offset;
	m_lockEnd = offset + size;
	*data = m_bytes.data() + offset;
	return D3D_OK;
}

HRESULT cD3D9BufferStore::Unlock()
{
	if (!m_locked)
		return D3DERR_INVALIDCALL;
	m_locked = false;
	if (m_dirtyBegin == m_dirtyEnd)
	{
		m_dirtyBegin = m_lockBegin;
		m_dirtyEnd = m_lockEnd;
	}
	else
	{
		m_dirtyBegin = std::min(m_dirtyBegin, m_lockBegin);
		m_dirtyEnd = std::max(m_dirtyEnd, m_lockEnd);
	}
	return D3D_OK;
}

const BYTE* cD3D9BufferStore::BindForDraw(GLenum target)
{
	if (DrawsFromMemory())
	{
		glBindBuffer(target, 0);
		return m_bytes.data();
	}
	if (m_glBuffer == 0)
	{
		glGenBuffers(1, &m_glBuffer);
		glBindBuffer(target, m_glBuffer);
		glBufferData(target, static_cast<GLsizeiptr>(m_bytes.size()), m_bytes.data(), GL_STATIC_DRAW);
		m_dirtyBegin = m_dirtyEnd = 0;
		return nullptr;
	}
	glBindBuffer(target, m_glBuffer);
	if (m_dirtyBegin != m_dirtyEnd && !m_locked)
	{
		glBufferSubData(target, m_dirtyBegin, m_dirtyEnd - m_dirtyBegin, m_bytes.data() + m_dirtyBegin);
		m_dirtyBegin = m_dirtyEnd = 0;
	}
	return nullptr;
}

GLuint cD3D9BufferStore::TakeGlBuffer()
{
	return std::exchange(m_glBuffer, 0);
}
