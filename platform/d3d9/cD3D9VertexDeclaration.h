#pragma once
// A vertex declaration: the elements as created and the layout read from them.

#include "platform/d3d9/D3D9VertexLayout.h"
#include "platform/d3d9/cD3D9Object.h"

#include <vector>

class cD3D9VertexDeclaration final : public cD3D9Object<IDirect3DVertexDeclaration9>
{
public:
	// elements ends with D3DDECL_END.
	cD3D9VertexDeclaration(cD3D9Device* device, const D3DVERTEXELEMENT9* elements);

	HRESULT GetDeclaration(D3DVERTEXELEMENT9* elements, UINT* count) override;

	const sD3D9VertexLayout& Layout() const { return m_layout; }

private:
	~cD3D9VertexDeclaration() override = default;

	std::vector<D3DVERTEXELEMENT9> m_elements;
	sD3D9VertexLayout m_layout;
};
