#pragma once
// A buffer of 16-bit indices in the managed pool, with a count in use and
// a capacity that grows with slack. It survives device resets untouched.

#include "engine/foundation/Singletone.h"
#include "engine/graphics/cDirectXGraphicsObject.h"
#include "platform/d3d9/D3D9.h"

class cIndexBuffer : public cDirectXGraphicsObject, public NoCopy
{
public:
	cIndexBuffer() = default;
	~cIndexBuffer() override;

	// Re-creates the buffer for n indices (none for 0) without keeping the
	// contents; the count is clamped to n.
	void SetCapacity(unsigned n);
	// Grows to n + n / 10 + 2 indices when n does not fit (contents lost).
	void SetCount(unsigned n);
	// Indices first to first + n (n 0: to the end), clamped to the count;
	// null when none are left or the buffer is missing.
	void* Lock(unsigned first, unsigned n);
	void Unlock();
	void Append(const void* indices, unsigned n);
	// Replaces the contents with exactly n indices (no slack).
	void SetData(const void* indices, unsigned n);
	// Sets the indices on the device unless this buffer is bound already.
	void Bind();

	unsigned GetCount() const { return m_count; }
	unsigned GetCapacity() const { return m_capacity; }
	IDirect3DIndexBuffer9* GetBuffer() const { return m_buffer; }

private:
	void ReleaseBuffer();

	IDirect3DIndexBuffer9* m_buffer = nullptr;
	unsigned m_count = 0;
	unsigned m_capacity = 0;
};
