#pragma once
// Small models built in memory for the model tests, written with the
// model writer and read back, and resources made from bytes.

#include "GraphicsTestSupport.h"
#include "TextureFiles.h"

#include "engine/graphics/GraphicsResourceTypes.h"
#include "engine/graphics/cModelController.h"
#include "engine/graphics/cModelWriter.h"

#include <memory>

// FVF 258 (position and one texture coordinate pair), the layout of the
// quads below.
inline void AddVertex(cModel& model, const sTexVertex& vertex)
{
	const auto* bytes = reinterpret_cast<const uint8_t*>(&vertex);
	model.vertexBytes.insert(model.vertexBytes.end(), bytes, bytes + sizeof vertex);
}

// A quad from left to right and bottom to top at depth z, textured 0 to 1,
// as two triangles clockwise under the screen camera. The bounds grow to
// hold it.
inline void AddQuad(cModel& model, float left, float bottom, float right, float top, float z = 0)
{
	model.vertexFormat = kFvfTex;
	const uint16_t first = uint16_t(model.vertexBytes.size() / sizeof(sTexVertex));
	for (const sTexVertex& vertex : { sTexVertex { left, top, z, 0, 0 }, sTexVertex { right, top, z, 1, 0 },
			 sTexVertex { right, bottom, z, 1, 1 }, sTexVertex { left, bottom, z, 0, 1 } })
		AddVertex(model, vertex);
	for (int index : { 0, 1, 2, 0, 2, 3 })
		model.indices.push_back(uint16_t(first + index));
	cBoundingBox box;
	if (first > 0)
		box.SetFromPoints(model.boundsMin, model.boundsMax);
	box.AddPoint(cVector3d(left, bottom, z));
	box.AddPoint(cVector3d(right, top, z));
	model.boundsMin = box.min;
	model.boundsMax = box.max;
}

inline sModelMaterial Material(uint32_t startIndex, uint32_t triangles, std::vector<std::string> textures = {})
{
	sModelMaterial material;
	material.startIndex = startIndex;
	material.triangleCount = triangles;
	material.textureNames = std::move(textures);
	return material;
}

inline tBytes ModelBytes(const cModel& model)
{
	cMemoryStream stream;
	cModelWriter(stream).Write(model);
	return tBytes(stream.GetData(), stream.GetData() + stream.GetSize());
}

// Writes the model and loads the bytes into a new one.
inline std::unique_ptr<cModel> ReadBack(const cModel& model)
{
	cMemoryStream stream;
	LoadStream(stream, ModelBytes(model));
	auto loaded = std::make_unique<cModel>();
	loaded->Load(stream);
	return loaded;
}

inline sTexVertex VertexAt(const uint8_t* bytes, unsigned index)
{
	sTexVertex vertex;
	memcpy(&vertex, bytes + size_t(index) * sizeof vertex, sizeof vertex);
	return vertex;
}

// Resources of registered types made from bytes and entered into their
// indexes; taken out and deleted with this object (after their holders).
class cTestResources
{
public:
	cTestResources() { RegisterGraphicsResourceTypes(); }

	cResource* Add(const char* type, const std::string& name, const tBytes& bytes)
	{
		auto* stream = new cMemoryStream;
		LoadStream(*stream, bytes);
		cResource* resource = cResourceManager::GetInstance()->CreateByType(type, name, sResourceSource(stream, ""));
		resource->AddToIndex();
		m_resources.push_back(resource);
		return resource;
	}

	~cTestResources()
	{
		for (cResource* resource : m_resources)
		{
			resource->RemoveFromIndex();
			delete resource;
		}
	}

private:
	std::vector<cResource*> m_resources;
};
