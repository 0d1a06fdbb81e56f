#pragma once
// A vertex buffer with a count of vertices in use and a capacity that grows
// with slack. The vertices are described by an FVF code, or by a vertex
// declaration when the format is -1. Static buffers live in the managed pool;
// dynamic ones in the default pool, listed as device objects and re-created
// empty (count kept) after a device reset.

#include "engine/foundation/Singletone.h"
#include "engine/graphics/cDirectXGraphicsObject.h"
#include "platform/d3d9/D3D9.h"

class cVertexBuffer : public cDirectXGraphicsObject, public NoCopy
{
public:
	cVertexBuffer() = default;
	cVertexBuffer(int format, const D3DVERTEXELEMENT9* elements, unsigned elementCount);
	~cVertexBuffer() override;

	// Nothing when the format is unchanged. Otherwise takes the FVF code
	// (stride from the code) or, for -1, a declaration of elementCount
	// elements including the end marker (stride: 8 per FLOAT2 and 12 per
	// FLOAT3 element), and drops the buffer.
	void SetFormat(int format, const D3DVERTEXELEMENT9* elements, unsigned elementCount);
	// Switches pools: drops the buffer and joins or leaves the device-object list.
	void SetDynamic(bool dynamic);
	// Re-creates the buffer for n vertices (none for 0) without keeping the
	// contents; the count is clamped to n.
	void SetCapacity(unsigned n);
	// Grows to n + n / 10 + 2 vertices when n does not fit (contents lost).
	void SetCount(unsigned n);

	// Vertices first to first + n (n 0: to the end), clamped to the count;
	// null when none are left or the buffer is missing.
	void* Lock(unsigned first, unsigned n);
	void Unlock();
	// Adds n vertices after the count, growing with slack.
	void Append(const void* vertices, unsigned n);
	// Replaces the contents with n vertices.
	void SetData(const void* vertices, unsigned n);
	// Overwrites the first min(count, n) vertices; the count stays.
	void Write(const void* vertices, unsigned n);

	// Sets the stream source and format unless this buffer is bound already.
	void Bind();

	// Byte offset of a component named by FVF bits: 2 position, 0x10
	// normal, 0x40 diffuse colour, 0x100 * k texture set k - 1.
	int GetComponentOffset(int component) const;
	// Whether the layout holds that component (GetComponentOffset answers
	// an offset past the others for one it lacks).
	bool HasComponent(int component) const;

	void OnLostDevice() override;
	void OnResetDevice() override;

	unsigned GetCount() const { return m_count; }
	unsigned GetCapacity() const { return m_capacity; }
	unsigned GetStride() const { return m_stride; }
	int GetFormat() const { return m_format; }
	bool IsDynamic() const { return m_dynamic; }
	IDirect3DVertexBuffer9* GetBuffer() const { return m_buffer; }

private:
	// Walks the declaration to the component: true with its offset when
	// found, else false with the offset past all elements.
	bool FindDeclaredComponent(int component, int& offset) const;
	void CreateBuffer();
	void ReleaseBuffer();
	// The device keeps drawing from a released buffer it still holds: a
	// re-created or destroyed buffer must be bound anew.
	void ForgetBinding();

	IDirect3DVertexBuffer9* m_buffer = nullptr;
	IDirect3DVertexDeclaration9* m_declaration = nullptr;
	unsigned m_count = 0;
	unsigned m_capacity = 0;
	unsigned m_stride = 0;
	int m_format = 0;
	bool m_dynamic = false;
};
