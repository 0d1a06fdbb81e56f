#include "platform/d3d9/cD3D9Texture.h"

#include "platform/d3d9/cD3D9TextureSurface.h"

#include <mutex>

cD3D9Texture::cD3D9Texture(cD3D9Device* device, UINT width, UINT height, UINT levels, DWORD usage,
	const sD3D9PixelFormat& format, D3DPOOL pool)
	: cD3D9Object(device), m_usage(usage), m_format(format)
{
	for (UINT level = 0; level < levels; ++level)
	{
		sLevel entry;
		entry.desc = { format.format, D3DRTYPE_SURFACE, usage, pool, D3DMULTISAMPLE_NONE, 0,
			width > level ? width >> level : 1, height > level ? height >> level : 1 };
		if (entry.desc.Width == 0)
			entry.desc.Width = 1;
		if (entry.desc.Height == 0)
			entry.desc.Height = 1;
		entry.pitch = format.Pitch(entry.desc.Width);
		if (!IsRenderTarget())
			entry.bytes.assign(static_cast<size_t>(entry.pitch) * format.Rows(entry.desc.Height), 0);
		m_levels.push_back(std::move(entry));
	}
	m_surfaces.resize(levels);
	if (pool == D3DPOOL_DEFAULT)
		Device()->CountDefaultPoolResource(+1);
}

cD3D9Texture::~cD3D9Texture()
{
	if (m_levels[0].desc.Pool == D3DPOOL_DEFAULT)
		Device()->CountDefaultPoolResource(-1);
	Device()->DeleteGlTexture(m_glTexture);
}

HRESULT cD3D9Texture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc)
{
	if (level >= m_levels.size() || !desc)
		return D3DERR_INVALIDCALL;
	*desc = m_levels[level].desc;
	return D3D_OK;
}

HRESULT cD3D9Texture::GetSurfaceLevel(UINT level, IDirect3DSurface9** surface)
{
	if (level >= m_levels.size() || !surface)
		return D3DERR_INVALIDCALL;
	std::lock_guard lock(Device()->Mutex());
	if (!m_surfaces[level])
		m_surfaces[level] = std::make_unique<cD3D9TextureSurface>(*this, level);
	*surface = m_surfaces[level].get();
	AddRef();
	return D3D_OK;
}

HRESULT cD3D9Texture::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags)
{
	if (level >= m_levels.size() || !locked)
		return D3DERR_INVALIDCALL;
	std::lock_guard lock(Device()->Mutex());
	sLevel& entry = m_levels[level];
	if (entry.locked)
		return D3DERR_INVALIDCALL;
	UINT left = 0;
	UINT top = 0;
	if (rect)
	{
		if (rect->left < 0 || rect->top < 0 || rect->left >= rect->right || rect->top >= rect->bottom
			|| static_cast<UINT>(rect->right) > entry.desc.Width || static_cast<UINT>(rect->bottom) > entry.desc.Height)
			return D3DERR_INVALIDCALL;
		left = static_cast<UINT>(rect->left);
		top = static_cast<UINT>(rect->top);
	}
	if (IsRenderTarget())
	{
		if (!Device()->BeginGlWork("LockRect"))
			return D3DERR_INVALIDCALL;
		entry.bytes.assign(static_cast<size_t>(entry.pitch) * entry.desc.Height, 0);
		GLuint name = BindForDraw();
		Device()->ReadColor({ name, static_cast<GLint>(level), false }, entry.desc.Width, entry.desc.Height,
			entry.bytes.data(), entry.pitch);
	}
	entry.locked = true;
	entry.lockedReadOnly = (flags & D3DLOCK_READONLY) != 0;
	size_t offset = m_format.compressed
		? static_cast<size_t>(top / 4) * entry.pitch + (left / 4) * m_format.blockBytes
		: static_cast<size_t>(top) * entry.pitch + left * m_format.blockBytes;
	locked->Pitch = static_cast<INT>(entry.pitch);
	locked->pBits = entry.bytes.data() + offset;
	return D3D_OK;
}

HRESULT cD3D9Texture::UnlockRect(UINT level)
{
	if (level >= m_levels.size())
		return D3DERR_INVALIDCALL;
	std::lock_guard lock(Device()->Mutex());
	sLevel& entry = m_levels[level];
	if (!entry.locked)
		return D3DERR_INVALIDCALL;
	entry.locked = false;
	if (IsRenderTarget())
	{
		if (!entry.lockedReadOnly && Device()->BeginGlWork("UnlockRect"))
		{
			GLuint name = BindForDraw();
			Device()->WriteColor({ name, static_cast<GLint>(level), false }, entry.desc.Width, entry.desc.Height,
				entry.bytes.data(), entry.pitch);
		}
		std::vector<BYTE>().swap(entry.bytes);
		return D3D_OK;
	}
	if (!entry.lockedReadOnly)
	{
		entry.dirty = true;
		m_anyDirty = true;
	}
	return D3D_OK;
}

GLuint cD3D9Texture::BindForDraw()
{
	if (m_glTexture == 0)
	{
		glGenTextures(1, &m_glTexture);
		glBindTexture(GL_TEXTURE_2D, m_glTexture);
		glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
		glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(m_levels.size()) - 1);
		if (IsRenderTarget())
		{
			for (UINT level = 0; level < m_levels.size(); ++level)
				glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), m_format.internalFormat,
					static_cast<GLsizei>(m_levels[level].desc.Width), static_cast<GLsizei>(m_levels[level].desc.Height),
					0, m_format.uploadFormat, m_format.uploadType, nullptr);
			m_anyDirty = false;
		}
	}
	else
		glBindTexture(GL_TEXTURE_2D, m_glTexture);

	if (m_anyDirty)
	{
		m_anyDirty = false;
		for (UINT level = 0; level < m_levels.size(); ++level)
		{
			if (m_levels[level].locked)
				m_anyDirty |= m_levels[level].dirty;
			else if (m_levels[level].dirty)
				Upload(level);
		}
	}
	return m_glTexture;
}

void cD3D9Texture::Upload(UINT level)
{
	sLevel& entry = m_levels[level];
	entry.dirty = false;
	GLsizei width = static_cast<GLsizei>(entry.desc.Width);
	GLsizei height = static_cast<GLsizei>(entry.desc.Height);
	if (m_format.compressed)
		glCompressedTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), m_format.internalFormat, width, height, 0,
			static_cast<GLsizei>(entry.bytes.size()), entry.bytes.data());
	else
		glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), m_format.internalFormat, width, height, 0,
			m_format.uploadFormat, m_format.uploadType, entry.bytes.data());
}
