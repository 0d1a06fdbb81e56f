#include "engine/graphics/cShaderEffect.h"

#include "engine/graphics/cGraphics.h"
#include "engine/graphics/cTexture.h"

#include <algorithm>

cShaderEffect::cShaderEffect(ID3DXEffect* effect) : m_effect(effect)
{
	m_effect->AddRef();
	m_world = GetParameter("g_World");
	m_view = GetParameter("g_View");
	m_projection = GetParameter("g_Projection");
	m_worldViewProjection = GetParameter("g_WorldViewProjection");
	m_color = GetParameter("g_Color");
	m_lightPositions = GetParameter("g_LightPositions");
	m_lightColors = GetParameter("g_LightColors");
	for (int stage = 0; stage < kTextureStageCount; ++stage)
	{
		m_textures.push_back(GetParameter("g_Texture" + std::to_string(stage)));
		m_textureMatrices.push_back(GetParameter("g_TextureMatrix" + std::to_string(stage)));
	}
	for (int lights = 0; lights <= kMaxLights; ++lights)
		m_lightTechniques[lights] = m_effect->GetTechniqueByName(("Lights" + std::to_string(lights)).c_str());
	m_defaultTechnique = m_technique = m_currentTechnique = m_effect->GetCurrentTechnique();
}

cShaderEffect::~cShaderEffect()
{
	m_effect->Release();
}

sEffectParameter cShaderEffect::GetParameter(const std::string& name) const
{
	return { m_effect, m_effect->GetParameterByName(nullptr, name.c_str()) };
}

UINT cShaderEffect::GetPassCount() const
{
	D3DXTECHNIQUE_DESC desc {};
	if (FAILED(m_effect->GetTechniqueDesc(m_effect->GetCurrentTechnique(), &desc)))
		return 0;
	return desc.Passes;
}

sEffectParameter cShaderEffect::GetPassAnnotation(UINT pass, const std::string& name) const
{
	return { m_effect, m_effect->GetAnnotationByName(m_effect->GetPass(m_effect->GetCurrentTechnique(), pass),
						   name.c_str()) };
}

void cShaderEffect::SetTexture(int stage, cTexture* texture)
{
	if (!texture || stage < 0 || size_t(stage) >= m_textures.size())
		return;
	texture->SetEffectTexture(m_textures[stage]);
	if (m_textureMatrices[stage])
		m_effect->SetMatrix(m_textureMatrices[stage].handle, &texture->GetMatrix());
}

void cShaderEffect::SetColor(const sColor& color)
{
	if (m_color)
		m_effect->SetFloatArray(m_color.handle, &color.r, 4);
}

void cShaderEffect::ApplyStandardParameters()
{
	const sGraphicsDeviceState& state = GraphicsDeviceState();
	const std::pair<const sEffectParameter&, const cMatrix&> matrices[] = { { m_world, state.world },
		{ m_view, state.view }, { m_projection, state.projection },
		{ m_worldViewProjection, state.worldViewProjection } };
	for (const auto& [parameter, matrix] : matrices)
		if (parameter)
			m_effect->SetMatrix(parameter.handle, &matrix);

	D3DXHANDLE technique = m_technique;
	const bool lighting = Singletone<cGraphics>::Exists() && Singletone<cGraphics>::GetInstance()->GetLighting();
	if (technique == m_defaultTechnique && lighting)
	{
		for (int lights = std::min(state.enabledLightCount, kMaxLights); lights >= 0; --lights)
		{
			if (!m_lightTechniques[lights])
				continue;
			if (lights > 0)
			{
				if (m_lightPositions)
					m_effect->SetVectorArray(m_lightPositions.handle, state.shaderLightPositions, UINT(lights));
				if (m_lightColors)
					m_effect->SetVectorArray(m_lightColors.handle, state.shaderLightColors, UINT(lights));
			}
			technique = m_lightTechniques[lights];
			break;
		}
	}
	if (technique != m_currentTechnique)
	{
		m_effect->SetTechnique(technique);
		m_currentTechnique = technique;
	}
}

bool cShaderEffect::NextPass()
{
	if (m_passCount == 0)
	{
		ApplyStandardParameters();
		if (FAILED(m_effect->Begin(&m_passCount, 0)))
		{
			m_passCount = 0;
			return false;
		}
		m_passIndex = 0;
	}
	if (FAILED(m_effect->Pass(m_passIndex)))
	{
		m_effect->End();
		m_passCount = m_passIndex = 0;
		return false;
	}
	++m_passIndex;
	return true;
}
