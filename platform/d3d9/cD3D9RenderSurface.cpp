#include "platform/d3d9/cD3D9RenderSurface.h"

#include <mutex>

namespace
{
GLenum DepthFormat(D3DFORMAT format)
{
	switch (format)
	{
	case D3DFMT_D16: return GL_DEPTH_COMPONENT16;
	case D3DFMT_D24X8: return GL_DEPTH_COMPONENT24;
	case D3DFMT_D32: return GL_DEPTH_COMPONENT32;
	default: return GL_DEPTH24_STENCIL8;
	}
}
}

cD3D9RenderSurface::cD3D9RenderSurface(cD3D9Device* device, UINT width, UINT height, D3DFORMAT format,
	DWORD usage, bool countsAsDefaultPool)
	: cD3D9Object(device),
	  m_desc { format, D3DRTYPE_SURFACE, usage, D3DPOOL_DEFAULT, D3DMULTISAMPLE_NONE, 0, width, height },
	  m_countsAsDefaultPool(countsAsDefaultPool)
{
	if (m_countsAsDefaultPool)
		Device()->CountDefaultPoolResource(+1);
}

cD3D9RenderSurface::~cD3D9RenderSurface()
{
	if (m_countsAsDefaultPool)
		Device()->CountDefaultPoolResource(-1);
	if (IsDepthStencil())
		Device()->DeleteGlRenderbuffer(m_name);
	else
		Device()->DeleteGlTexture(m_name);
}

HRESULT cD3D9RenderSurface::GetDesc(D3DSURFACE_DESC* desc)
{
	if (!desc)
		return D3DERR_INVALIDCALL;
	*desc = m_desc;
	return D3D_OK;
}

HRESULT cD3D9RenderSurface::LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags)
{
	std::lock_guard lock(Device()->Mutex());
	if (!locked || rect || m_locked || IsDepthStencil() || !Device()->BeginGlWork("LockRect"))
		return D3DERR_INVALIDCALL;
	UINT pitch = m_desc.Width * 4;
	m_lockBytes.assign(static_cast<size_t>(pitch) * m_desc.Height, 0);
	Device()->ReadColor(PrepareAttachment(), m_desc.Width, m_desc.Height, m_lockBytes.data(), pitch);
	m_locked = true;
	m_lockedReadOnly = (flags & D3DLOCK_READONLY) != 0;
	locked->Pitch = static_cast<INT>(pitch);
	locked->pBits = m_lockBytes.data();
	return D3D_OK;
}

HRESULT cD3D9RenderSurface::UnlockRect()
{
	std::lock_guard lock(Device()->Mutex());
	if (!m_locked)
		return D3DERR_INVALIDCALL;
	m_locked = false;
	if (!m_lockedReadOnly && Device()->BeginGlWork("UnlockRect"))
		Device()->WriteColor(PrepareAttachment(), m_desc.Width, m_desc.Height, m_lockBytes.data(), m_desc.Width * 4);
	std::vector<BYTE>().swap(m_lockBytes);
	return D3D_OK;
}

cD3D9Surface::sAttachment cD3D9RenderSurface::PrepareAttachment()
{
	GLsizei width = static_cast<GLsizei>(m_desc.Width);
	GLsizei height = static_cast<GLsizei>(m_desc.Height);
	if (IsDepthStencil())
	{
		if (m_name == 0)
		{
			glGenRenderbuffers(1, &m_name);
			glBindRenderbuffer(GL_RENDERBUFFER, m_name);
			glRenderbufferStorage(GL_RENDERBUFFER, DepthFormat(m_desc.Format), width, height);
		}
		return { m_name, 0, true };
	}
	if (m_name == 0)
	{
		glGenTextures(1, &m_name);
		glBindTexture(GL_TEXTURE_2D, m_name);
		glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
		glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
	}
	return { m_name, 0, false };
}
