#include "engine/graphics/cModel.h"

#include "engine/foundation/cLog.h"
#include "engine/graphics/cModelReader.h"

namespace
{
// Position, three floats, must fit in every vertex.
constexpr unsigned kPositionSize = 12;

bool IsDeclarationEnd(const D3DVERTEXELEMENT9& element)
{
	return element.Stream == 0xFF && element.Type == D3DDECLTYPE_UNUSED;
}
}

cModel::cModel() = default;

cModel::~cModel() = default;

unsigned cModel::GetVertexCount() const
{
	const unsigned stride = GetStride();
	return stride ? unsigned(vertexBytes.size() / stride) : 0;
}

bool cModel::Load(cStream& stream)
{
	cModelReader reader(stream);
	if (!reader.Read(*this))
	{
		LOG(2, "model file \"%s\" is damaged (%s); the model stays empty", name.c_str(), reader.GetError().c_str());
		Clear();
		return false;
	}
	if (!Validate())
	{
		Clear();
		return false;
	}
	m_indexBuffer.SetData(indices.data(), unsigned(indices.size()));
	m_vertexBuffer.SetData(vertexBytes.data(), GetVertexCount());
	m_boundingBox.SetFromPoints(boundsMin, boundsMax);
	return true;
}

bool cModel::Validate()
{
	const char* fault = nullptr;
	if (vertexFormat == -1 && (declaration.empty() || !IsDeclarationEnd(declaration.back())))
		fault = "its vertex declaration has no end element";
	else
	{
		m_vertexBuffer.SetFormat(vertexFormat, declaration.empty() ? nullptr : declaration.data(),
			unsigned(declaration.size()));
		if (GetStride() < kPositionSize)
			fault = "its vertex layout has no room for a position";
	}
	const unsigned vertexCount = GetVertexCount();
	for (size_t i = 0; !fault && i < indices.size(); ++i)
		if (indices[i] >= vertexCount)
			fault = "an index lies beyond the vertices";
	for (size_t i = 0; !fault && i < materials.size(); ++i)
		if (uint64_t(materials[i].startIndex) + 3 * uint64_t(materials[i].triangleCount) > indices.size())
			fault = "a material's triangles lie beyond the indices";
	if (!fault)
		return true;
	LOG(2, "model \"%s\" is inconsistent (%s); the model stays empty", name.c_str(), fault);
	return false;
}

void cModel::Clear()
{
	vertexFormat = 0;
	declaration.clear();
	vertexBytes.clear();
	indices.clear();
	materials.clear();
	animationSets.clear();
	boneKeys = sBoneKeys();
	skeleton = sSkeleton();
	morph = sMorphData();
	textureAnimation = sTextureAnimation();
	m_vertexBuffer.SetFormat(0, nullptr, 0);
}
