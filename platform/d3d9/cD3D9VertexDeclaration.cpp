#include "platform/d3d9/cD3D9VertexDeclaration.h"

#include <algorithm>

cD3D9VertexDeclaration::cD3D9VertexDeclaration(cD3D9Device* device, const D3DVERTEXELEMENT9* elements)
	: cD3D9Object(device), m_layout(sD3D9VertexLayout::FromElements(elements))
{
	const D3DVERTEXELEMENT9* end = elements;
	while (end->Stream != 0xFF)
		++end;
	m_elements.assign(elements, end + 1);
}

HRESULT cD3D9VertexDeclaration::GetDeclaration(D3DVERTEXELEMENT9* elements, UINT* count)
{
	if (!count)
		return D3DERR_INVALIDCALL;
	*count = static_cast<UINT>(m_elements.size());
	if (elements)
		std::copy(m_elements.begin(), m_elements.end(), elements);
	return D3D_OK;
}
