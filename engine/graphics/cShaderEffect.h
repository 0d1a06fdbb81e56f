#pragma once
// Wraps one effect: keeps the handles of its standard parameters, feeds
// them from the graphics device's matrices, picks the technique by the
// number of enabled lights, and steps through the passes of the running
// technique for the drawing code, which draws once per pass.
//
// The standard parameters are looked up by name: "g_World", "g_View",
// "g_Projection", "g_WorldViewProjection", "g_Color", "g_LightPositions",
// "g_LightColors", and per texture stage k "g_Texture<k>" and
// "g_TextureMatrix<k>". The techniques for k lights are "Lights<k>"; the
// effect's current technique at construction is the default one.

#include "engine/foundation/sColor.h"
#include "engine/graphics/sEffectParameter.h"

#include <string>
#include <vector>

class cTexture;

class cShaderEffect
{
public:
	// Takes a reference on the effect.
	explicit cShaderEffect(ID3DXEffect* effect);
	~cShaderEffect();
	cShaderEffect(const cShaderEffect&) = delete;
	cShaderEffect& operator=(const cShaderEffect&) = delete;

	sEffectParameter GetParameter(const std::string& name) const;
	// Passes of the effect's current technique.
	UINT GetPassCount() const;
	sEffectParameter GetPassAnnotation(UINT pass, const std::string& name) const;

	// The stage's texture and texture matrix; nothing for a null texture
	// or a stage without parameters.
	void SetTexture(int stage, cTexture* texture);
	void SetColor(const sColor& color);
	// Matrices from the device, then the technique: with lighting on, the
	// default technique gives way to the one for the most enabled lights
	// (at most 4) that the effect has, which gets the shader light arrays.
	void ApplyStandardParameters();
	// Begins the technique when none runs, then applies the next pass:
	// true when there was one to draw with. After the last pass the
	// technique ends and the result is false.
	bool NextPass();

	void SetTechnique(D3DXHANDLE technique) { m_technique = technique; }
	ID3DXEffect* GetEffect() const { return m_effect; }

private:
	static constexpr int kMaxLights = 4;

	ID3DXEffect* m_effect;
	UINT m_passCount = 0;
	UINT m_passIndex = 0;
	D3DXHANDLE m_technique = nullptr;
	D3DXHANDLE m_defaultTechnique = nullptr;
	D3DXHANDLE m_currentTechnique = nullptr;
	D3DXHANDLE m_lightTechniques[kMaxLights + 1] {};
	std::vector<sEffectParameter> m_textures;
	std::vector<sEffectParameter> m_textureMatrices;
	sEffectParameter m_world;
	sEffectParameter m_view;
	sEffectParameter m_projection;
	sEffectParameter m_worldViewProjection;
	sEffectParameter m_color;
	sEffectParameter m_lightPositions;
	sEffectParameter m_lightColors;
};
