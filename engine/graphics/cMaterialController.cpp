#include "engine/graphics/cMaterialController.h"

#include "engine/foundation/sPathInfo.h"
#include "engine/graphics/cTexture.h"
#include "engine/graphics/cTextureResource.h"
#include "engine/graphics/sGraphicsDeviceState.h"
#include "engine/resources/ResourceUtils.h"

#include <algorithm>

cMaterialController::cMaterialController(const sModelMaterial& material)
	: m_startIndex(material.startIndex),
	  m_triangleCount(material.triangleCount),
	  m_textureMatrices(material.textureMatrices),
	  m_overrides(material.textureNames.size(), nullptr)
{
	for (const std::string& textureName : material.textureNames)
	{
		const std::string name = ToLowerCase(sPathInfo(textureName).name);
		if (!name.empty())
			m_textures.push_back(cResourceHandle::InitByName<cTextureResource>(name));
	}
}

std::string cMaterialController::GetTextureName(unsigned stage) const
{
	if (stage >= m_textures.size() || !m_textures[stage])
		return std::string();
	return m_textures[stage].Get()->GetName();
}

void cMaterialController::SetTexture(unsigned stage, cTexture* texture)
{
	if (stage < m_overrides.size())
		m_overrides[stage] = texture;
}

void cMaterialController::SetTextureOffset(float u, float v)
{
	m_offsetU = u;
	m_offsetV = v;
}

cTexture* cMaterialController::GetStageTexture(unsigned stage) const
{
	if (stage < m_overrides.size() && m_overrides[stage])
		return m_overrides[stage];
	if (stage < m_textures.size() && m_textures[stage])
		return m_textures[stage].Get<cTextureResource>()->GetTexture();
	return nullptr;
}

void cMaterialController::Apply()
{
	const unsigned stages = unsigned(std::min<size_t>(m_overrides.size(), kTextureStageCount));
	for (unsigned stage = 0; stage < stages; ++stage)
	{
		if (cTexture* texture = GetStageTexture(stage))
		{
			// The matrix belongs to the texture: the last material applied sets it.
			cMatrix& matrix = texture->GetMatrix();
			matrix.m[2][0] = matrix.m[0][0] * m_offsetU;
			matrix.m[2][1] = matrix.m[1][1] * m_offsetV;
			texture->Bind(int(stage));
		}
		else
			cTexture::Unbind(int(stage));
	}
	for (unsigned stage = stages; stage < kTextureStageCount; ++stage)
		cTexture::Unbind(int(stage));
}
