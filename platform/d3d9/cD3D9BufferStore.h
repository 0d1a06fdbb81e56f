#pragma once
// The bytes of a vertex or index buffer. Every buffer keeps its contents in
// memory, so locks read back what was written and partial rewrites keep the
// rest. Dynamic buffers are drawn straight from that memory (the GL copies
// the range a draw uses when the draw is made, so a later lock cannot change
// it); the others are mirrored in a GL buffer updated at the next draw.

#include "platform/d3d9/D3D9Types.h"
#include "platform/d3d9/GlHeaders.h"

#include <vector>

class cD3D9Device;

class cD3D9BufferStore
{
public:
	// Zero bytes kept after the end: a draw may read that far past the last
	// vertex when the caller's stride is shorter than the declared layout.
	static constexpr UINT kReadSlack = 256;

	cD3D9BufferStore(UINT size, DWORD usage) : m_bytes(size + kReadSlack), m_size(size), m_usage(usage) {}

	UINT Size() const { return m_size; }
	// The bytes as last written; caller holds the device lock.
	const BYTE* Data() const { return m_bytes.data(); }
	DWORD Usage() const { return m_usage; }

	// Caller holds the device lock.
	HRESULT Lock(UINT offset, UINT size, void** data);
	HRESULT Unlock();

	// Drawing thread: binds the buffer to target (or unbinds it for memory
	// drawing) and returns the base address the GL pointers are relative to.
	const BYTE* BindForDraw(GLenum target);

	// The GL buffer drawn from; 0 when drawing from memory.
	GLuint GlBuffer() const { return m_glBuffer; }
	// The GL buffer, handed over for deletion.
	GLuint TakeGlBuffer();

private:
	bool DrawsFromMemory() const { return (m_usage & D3DUSAGE_DYNAMIC) != 0; }

	std::vector<BYTE> m_bytes;
	UINT m_size;
	DWORD m_usage;
	GLuint m_glBuffer = 0;
	UINT m_dirtyBegin = 0;
	UINT m_dirtyEnd = 0;
	UINT m_lockBegin = 0;
	UINT m_lockEnd = 0;
	bool m_locked = false;
};
