#pragma once
// Consecutive objects of the draw queue that draw alike, drawn with one
// call. Each is a plain scene object, placed without turning, whose quad
// visual shows a small model of one material with positions and one
// texture coordinate pair, drawn with lighting off; all of them take the
// same texture, texture offsets and filtering. The run's vertices are what the device itself sends when
// it gathers such small draws: the positions moved to world space on the
// CPU and each object's colour beside them. Afterwards the device holds
// the state that the last object's own draw leaves.

#include "engine/foundation/Singletone.h"
#include "engine/graphics/cIndexBuffer.h"
#include "engine/graphics/cVertexBuffer.h"
#include "engine/scene/sDrawEntry.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class cTexture;

class cQuadRun : public NoCopy
{
public:
	cQuadRun();

	// What a member draws with: members of equal keys join one run.
	struct sMemberKey
	{
		const cTexture* texture;
		float offsetU;
		float offsetV;
		size_t textureCount;
		bool filtered;

		bool operator==(const sMemberKey&) const = default;
	};

	// Whether the object can be a member, with its key and its model's
	// vertex count; false when it draws anything else or otherwise.
	static bool Member(const cSceneObject* object, sMemberKey& key, unsigned& vertexCount);
	// Draws the members, each entry's object a member of the first one's key.
	void Draw(const sDrawEntry* entries, size_t count);

	// Vertices one run holds at most, as many as 16-bit indices reach.
	static constexpr size_t kMaxVertices = 65536;

private:
	struct sVertex
	{
		float x, y, z;
		uint32_t color;
		float u, v;
	};

	cVertexBuffer m_vertexBuffer;
	cIndexBuffer m_indexBuffer;
	std::vector<sVertex> m_vertices;
	std::vector<uint16_t> m_indices;
};
