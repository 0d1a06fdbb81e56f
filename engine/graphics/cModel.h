#pragma once
// One mesh loaded from a model file: vertices in a Direct3D vertex layout
// (position, three floats, first in every vertex), a 16-bit triangle list,
// the materials and the animation data, with the static vertex and index
// buffers every instance draws from. Read-only once loaded; the fields are
// public so that controllers, animators and the model writer reach them.

#include "engine/foundation/cBoundingBox.h"
#include "engine/graphics/ModelData.h"
#include "engine/graphics/cIndexBuffer.h"
#include "engine/graphics/cVertexBuffer.h"

class cStream;

class cModel
{
public:
	// Every list empty, both buffers empty, the bounding box empty.
	cModel();
	virtual ~cModel();

	cModel(const cModel&) = delete;
	cModel& operator=(const cModel&) = delete;

	// Reads the model file from the stream's position and fills the buffers.
	// Counts are checked against the bytes left, frame nesting is limited,
	// and the layout, the indices and the material ranges must agree; a
	// file that fails is logged and leaves the model empty (false).
	bool Load(cStream& stream);

	// Bytes per vertex in the model's layout (0 while it has none).
	unsigned GetStride() const { return m_vertexBuffer.GetStride(); }
	// Whole vertices in the vertex bytes.
	unsigned GetVertexCount() const;

	cVertexBuffer& GetVertexBuffer() { return m_vertexBuffer; }
	cIndexBuffer& GetIndexBuffer() { return m_indexBuffer; }
	const cBoundingBox& GetBoundingBox() const { return m_boundingBox; }

	cVector3d boundsMin;
	cVector3d boundsMax;
	// A Direct3D FVF code, or -1 when the declaration describes the layout.
	int32_t vertexFormat = 0;
	// Including its end element; empty unless the format is -1.
	std::vector<D3DVERTEXELEMENT9> declaration;
	std::string name;
	std::vector<uint8_t> vertexBytes;
	std::vector<uint16_t> indices;
	std::vector<sModelMaterial> materials;
	// Skeletal animation sets by animation name; any makes the model skeletal.
	std::map<std::string, sAnimationSetDesc> animationSets;
	sBoneKeys boneKeys;
	sSkeleton skeleton;
	sMorphData morph;
	sTextureAnimation textureAnimation;

private:
	// Forgets everything read: what a damaged file leaves.
	void Clear();
	// Checks that what was read can be drawn and picked; logs and false when not.
	bool Validate();

	cVertexBuffer m_vertexBuffer;
	cIndexBuffer m_indexBuffer;
	cBoundingBox m_boundingBox;
};
