#pragma once
// One material of a model controller: the index range it draws, its
// textures per stage (looked up by the lower-case base names the model
// gives), override textures set by the owner, and a texture-coordinate
// offset written into each texture's matrix when the material is applied.

#include "engine/graphics/ModelData.h"
#include "engine/resources/cResourceHandle.h"

class cTexture;

class cMaterialController
{
public:
	explicit cMaterialController(const sModelMaterial& material);
	// Copies take their own reference to each texture resource.
	cMaterialController(const cMaterialController&) = default;
	cMaterialController& operator=(const cMaterialController&) = default;
	virtual ~cMaterialController() = default;

	// The name of the texture resource of an entry; empty when the index is
	// out of range or the entry is empty.
	std::string GetTextureName(unsigned stage) const;
	// Stores the override texture of the stage; ignored for a stage past
	// the material's texture names.
	void SetTexture(unsigned stage, cTexture* texture);
	void SetTextureOffset(float u, float v);
	// Binds the textures to the device stages (at most the eight the device
	// has; later names are ignored) and switches off the stages above the
	// material's names.
	void Apply();

	uint32_t GetStartIndex() const { return m_startIndex; }
	uint32_t GetTriangleCount() const { return m_triangleCount; }
	float GetOffsetU() const { return m_offsetU; }
	float GetOffsetV() const { return m_offsetV; }
	// The texture a stage draws with: the override, else the entry's; null for none.
	cTexture* GetStageTexture(unsigned stage) const;

private:
	uint32_t m_startIndex;
	uint32_t m_triangleCount;
	float m_offsetU = 0.0f;
	float m_offsetV = 0.0f;
	std::vector<cMatrix> m_textureMatrices;
	// "itexture" resources in stage order, one per non-empty name; empty
	// when the name was not found.
	std::vector<cResourceHandle> m_textures;
	// One per texture name, null until set; not owned.
	std::vector<cTexture*> m_overrides;
};
