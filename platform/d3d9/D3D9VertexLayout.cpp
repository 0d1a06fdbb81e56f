#include "platform/d3d9/D3D9VertexLayout.h"

#include "platform/d3d9/D3D9Fvf.h"

namespace
{
// Floats per texture set from the two format bits of set i.
int FvfTexSetSize(DWORD fvf, int set)
{
	switch ((fvf >> (16 + 2 * set)) & 3)
	{
	case D3DFVF_TEXTUREFORMAT1: return 1;
	case D3DFVF_TEXTUREFORMAT3: return 3;
	case D3DFVF_TEXTUREFORMAT4: return 4;
	default: return 2;
	}
}

// Bytes of the position with its blend weights.
int FvfPositionBytes(DWORD fvf)
{
	switch (fvf & D3DFVF_POSITION_MASK)
	{
	case D3DFVF_XYZ: return 12;
	case D3DFVF_XYZRHW:
	case D3DFVF_XYZW:
	case D3DFVF_XYZB1: return 16;
	case D3DFVF_XYZB2: return 20;
	case D3DFVF_XYZB3: return 24;
	case D3DFVF_XYZB4: return 28;
	case D3DFVF_XYZB5: return 32;
	default: return 0;
	}
}

int DeclTypeFloats(BYTE type)
{
	switch (type)
	{
	case D3DDECLTYPE_FLOAT1: return 1;
	case D3DDECLTYPE_FLOAT2: return 2;
	case D3DDECLTYPE_FLOAT3: return 3;
	case D3DDECLTYPE_FLOAT4: return 4;
	default: return 0;
	}
}

int DeclTypeBytes(BYTE type)
{
	switch (type)
	{
	case D3DDECLTYPE_D3DCOLOR:
	case D3DDECLTYPE_UBYTE4:
	case D3DDECLTYPE_UBYTE4N:
	case D3DDECLTYPE_SHORT2: return 4;
	case D3DDECLTYPE_SHORT4: return 8;
	default: return 4 * DeclTypeFloats(type);
	}
}
}

sD3D9VertexLayout sD3D9VertexLayout::FromFvf(DWORD fvf)
{
	sD3D9VertexLayout layout;
	int offset = 0;
	int positionBytes = FvfPositionBytes(fvf);
	if (positionBytes > 0)
	{
		layout.positionOffset = 0;
		layout.positionSize = (fvf & D3DFVF_POSITION_MASK) == D3DFVF_XYZW ? 4 : 3;
		offset = positionBytes;
	}
	if (fvf & D3DFVF_NORMAL)
	{
		layout.normalOffset = offset;
		offset += 12;
	}
	if (fvf & D3DFVF_PSIZE)
		offset += 4;
	if (fvf & D3DFVF_DIFFUSE)
	{
		layout.diffuseOffset = offset;
		offset += 4;
	}
	if (fvf & D3DFVF_SPECULAR)
		offset += 4;
	int sets = static_cast<int>((fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT);
	for (int set = 0; set < sets && set < kMaxTexSets; ++set)
	{
		layout.texOffset[set] = offset;
		layout.texSize[set] = FvfTexSetSize(fvf, set);
		offset += 4 * layout.texSize[set];
	}
	layout.size = offset;
	return layout;
}

sD3D9VertexLayout sD3D9VertexLayout::FromElements(const D3DVERTEXELEMENT9* elements)
{
	sD3D9VertexLayout layout;
	for (const D3DVERTEXELEMENT9* e = elements; e->Stream != 0xFF; ++e)
	{
		if (e->Stream != 0)
			continue;
		int end = e->Offset + DeclTypeBytes(e->Type);
		if (end > layout.size)
			layout.size = end;
		int floats = DeclTypeFloats(e->Type);
		switch (e->Usage)
		{
		case D3DDECLUSAGE_POSITION:
			if (e->UsageIndex == 0 && floats >= 3)
			{
				layout.positionOffset = e->Offset;
				layout.positionSize = floats;
			}
			break;
		case D3DDECLUSAGE_NORMAL:
			if (e->UsageIndex == 0 && floats == 3)
				layout.normalOffset = e->Offset;
			break;
		case D3DDECLUSAGE_COLOR:
			if (e->UsageIndex == 0 && e->Type == D3DDECLTYPE_D3DCOLOR)
				layout.diffuseOffset = e->Offset;
			break;
		case D3DDECLUSAGE_TEXCOORD:
			if (e->UsageIndex < kMaxTexSets && floats > 0)
			{
				layout.texOffset[e->UsageIndex] = e->Offset;
				layout.texSize[e->UsageIndex] = floats;
			}
			break;
		default:
			break;
		}
	}
	return layout;
}
