// The effect wrapper and the post effect over a scripted effect (the layer
// has no effect compiler): passes, technique choice by light count, the
// chain read from a list of names, and the quads each pass draws.

#include "GraphicsTestSupport.h"

#include "engine/graphics/cFakeShaderResource.h"
#include "engine/graphics/cLight.h"
#include "engine/graphics/cPostEffect.h"

#include <cmath>
#include <map>
#include <memory>

namespace
{
// An effect with a fixed number of passes whose every pass carries the
// given scale annotations (0: none). Handles are the names themselves.
class cScriptedEffect : public ID3DXEffect
{
public:
	cScriptedEffect(UINT passes, float scale, std::vector<std::string> parameters = {})
		: m_passes(passes), m_scale(scale), m_parameters(std::move(parameters))
	{
	}

	ULONG AddRef() override { return ++m_refs; }
	ULONG Release() override { return --m_refs; }
	D3DXHANDLE GetParameterByName(D3DXHANDLE, const char* name) override { return Known(name); }
	D3DXHANDLE GetTechniqueByName(const char* name) override { return Known(name); }
	D3DXHANDLE GetCurrentTechnique() override { return m_technique; }
	HRESULT GetTechniqueDesc(D3DXHANDLE, D3DXTECHNIQUE_DESC* desc) override
	{
		*desc = { m_technique, m_passes, 0 };
		return D3D_OK;
	}
	D3DXHANDLE GetPass(D3DXHANDLE, UINT index) override { return index < m_passes ? "pass" : nullptr; }
	D3DXHANDLE GetAnnotationByName(D3DXHANDLE pass, const char* name) override
	{
		return pass && m_scale != 0 && (!strcmp(name, "fScaleX") || !strcmp(name, "fScaleY")) ? "scale" : nullptr;
	}
	HRESULT SetMatrix(D3DXHANDLE parameter, const D3DXMATRIX*) override { return Record(parameter); }
	HRESULT SetFloatArray(D3DXHANDLE parameter, const float* values, UINT count) override
	{
		lastFloats.assign(values, values + count);
		return Record(parameter);
	}
	HRESULT SetVectorArray(D3DXHANDLE parameter, const D3DXVECTOR4*, UINT count) override
	{
		vectorCounts[parameter] = count;
		return Record(parameter);
	}
	HRESULT SetTexture(D3DXHANDLE parameter, IDirect3DBaseTexture9*) override { return Record(parameter); }
	HRESULT GetFloat(D3DXHANDLE, float* value) override
	{
		*value = m_scale;
		return D3D_OK;
	}
	HRESULT SetTechnique(D3DXHANDLE technique) override
	{
		m_technique = technique;
		return D3D_OK;
	}
	HRESULT Begin(UINT* passes, DWORD) override
	{
		++begins;
		*passes = m_passes;
		return D3D_OK;
	}
	HRESULT Pass(UINT index) override
	{
		passesApplied.push_back(index);
		return index < m_passes ? D3D_OK : E_FAIL;
	}
	HRESULT End() override
	{
		++ends;
		return D3D_OK;
	}

	int begins = 0;
	int ends = 0;
	std::vector<UINT> passesApplied;
	std::vector<std::string> calls;
	std::vector<float> lastFloats;
	std::map<std::string, UINT> vectorCounts;

private:
	D3DXHANDLE Known(const char* name)
	{
		for (const std::string& known : m_parameters)
			if (known == name)
				return known.c_str();
		return nullptr;
	}
	HRESULT Record(D3DXHANDLE parameter)
	{
		calls.push_back(parameter);
		return D3D_OK;
	}

	ULONG m_refs = 1;
	UINT m_passes;
	float m_scale;
	std::vector<std::string> m_parameters;
	D3DXHANDLE m_technique = "default";
};

// A shader that is in the shader index, carrying an effect, while it lives.
class cIndexedShader : public cFakeShaderResource
{
public:
	cIndexedShader(const std::string& name, ID3DXEffect* effect) : cFakeShaderResource(name, sResourceSource())
	{
		m_effect = std::make_unique<cShaderEffect>(effect);
		AddToIndex();
	}
	~cIndexedShader() override { RemoveFromIndex(); }
	void AddToIndex() override
	{
		cResource::AddToIndex();
		cResourceManager::AddToTypeIndex<cFakeShaderResource>(this);
	}
	void RemoveFromIndex() override
	{
		cResource::RemoveFromIndex();
		cResourceManager::RemoveFromTypeIndex<cFakeShaderResource>(this);
	}
};

std::vector<sTexVertex> QuadVertices(cVertexBuffer& buffer)
{
	std::vector<sTexVertex> vertices(buffer.GetCount());
	const void* locked = buffer.Lock(0, 0);
	memcpy(vertices.data(), locked, vertices.size() * sizeof(sTexVertex));
	buffer.Unlock();
	return vertices;
}
}

TEST(ShaderEffect, PassesRunUntilTheTechniqueEndsAndChooseTheLightTechnique)
{
	StartGraphics();
	cScriptedEffect scripted(2, 0, { "g_Color", "g_World", "g_LightColors", "Lights0", "Lights2" });
	cShaderEffect effect(&scripted);
	int drawn = 0;
	while (effect.NextPass())
		++drawn;
	EXPECT_EQ(drawn, 2);
	EXPECT_EQ(scripted.begins, 1);
	EXPECT_EQ(scripted.ends, 1);
	EXPECT_STREQ(scripted.GetCurrentTechnique(), "default") << "lighting is off";

	cGraphics* graphics = Singletone<cGraphics>::GetInstance();
	graphics->SetLighting(true);
	cLight lights[3];
	for (cLight& light : lights)
		light.Enable();
	effect.ApplyStandardParameters();
	EXPECT_STREQ(scripted.GetCurrentTechnique(), "Lights2") << "the most lights the effect has a technique for";
	EXPECT_EQ(scripted.vectorCounts["g_LightColors"], 2u);
	EXPECT_EQ(scripted.vectorCounts.count("g_LightPositions"), 0u) << "a missing parameter is skipped";
	graphics->SetLighting(false);

	effect.SetColor(sColor(0.25f, 0.5f, 0.75f, 1.0f));
	EXPECT_EQ(scripted.lastFloats, (std::vector<float> { 0.25f, 0.5f, 0.75f, 1.0f }));
	const size_t calls = scripted.calls.size();
	effect.SetTexture(0, nullptr);
	effect.SetTexture(99, nullptr);
	EXPECT_EQ(scripted.calls.size(), calls);
}

TEST(ShaderEffect, AStagesTextureReachesTheEffectThroughTheTexture)
{
	StartGraphics();
	cScriptedEffect scripted(1, 0, { "g_Texture1", "g_TextureMatrix1" });
	cShaderEffect effect(&scripted);
	std::unique_ptr<cTexture> texture(WhiteTexture());
	EXPECT_FALSE(texture->SetEffectTexture(effect.GetParameter("g_Texture0"))) << "a parameter the effect lacks";
	EXPECT_TRUE(scripted.calls.empty());
	EXPECT_TRUE(texture->SetEffectTexture(effect.GetParameter("g_Texture1")));
	EXPECT_EQ(scripted.calls, (std::vector<std::string> { "g_Texture1" }));

	scripted.calls.clear();
	effect.SetTexture(1, texture.get());
	EXPECT_EQ(scripted.calls, (std::vector<std::string> { "g_Texture1", "g_TextureMatrix1" }));
	scripted.calls.clear();
	effect.SetTexture(0, texture.get());
	EXPECT_TRUE(scripted.calls.empty()) << "stage 0 has neither parameter";
}

TEST(PostEffect, ChainFromTrimmedNamesAndQuadsShrinkingPassByPass)
{
	StartGraphics();
	cScriptedEffect halving(2, 0.5f);
	cScriptedEffect plain(1, 0);
	cIndexedShader blur("blur", &halving);
	cIndexedShader glow("glow", &plain);

	testing::internal::CaptureStderr();
	cPostEffect post;
	post.SetEffects(" blur , missing,glow ,");
	const std::string log = testing::internal::GetCapturedStderr();
	EXPECT_NE(log.find("shader[pe_default] not found"), std::string::npos) << log;
	EXPECT_NE(log.find("shader[missing] not found"), std::string::npos) << log;
	ASSERT_EQ(post.GetEffects().size(), 2u);
	EXPECT_EQ(post.GetEffects()[0]->GetName(), "blur");
	EXPECT_EQ(post.GetEffects()[1]->GetName(), "glow");

	cVertexBuffer& quads = const_cast<cVertexBuffer&>(post.GetQuads());
	const std::vector<sTexVertex> v = QuadVertices(quads);
	ASSERT_EQ(v.size(), 16u) << "three passes and the full-screen quad";
	// First pass: 512 by 384, reading the whole source.
	EXPECT_EQ(v[2].x, 512.0f);
	EXPECT_EQ(v[2].y, 384.0f);
	EXPECT_EQ(v[2].u, 1.0f);
	EXPECT_EQ(v[2].v, 0.0f);
	EXPECT_TRUE(std::signbit(v[0].x)) << "x 0 is negative zero";
	// Second: 256 by 192, reading u 0..0.5, v 0.5..1.
	EXPECT_EQ(v[6].x, 256.0f);
	EXPECT_EQ(v[6].y, 192.0f);
	EXPECT_EQ(v[6].u, 0.5f);
	EXPECT_EQ(v[6].v, 0.5f);
	EXPECT_EQ(v[4].v, 1.0f);
	// A pass without annotations keeps the size.
	EXPECT_EQ(v[10].x, 256.0f);
	EXPECT_EQ(v[10].u, 0.25f);
	// The full-screen quad.
	EXPECT_EQ(v[14].x, 1024.0f);
	EXPECT_EQ(v[14].y, 768.0f);
	EXPECT_EQ(v[12].v, 1.0f);
}

TEST(PostEffect, RenderStopsAtTheFirstEffectWithoutATarget)
{
	cGraphics* graphics = StartGraphics();
	cScriptedEffect first(1, 0);
	cScriptedEffect second(1, 0);
	cIndexedShader firstShader("first", &first);
	cIndexedShader secondShader("second", &second);
	cPostEffect post;
	post.SetEffects("first,second");

	graphics->BeginScene();
	graphics->PushRenderTarget();
	post.Render();
	graphics->EndScene();
	EXPECT_EQ(first.passesApplied, (std::vector<UINT> { 0, 1 }));
	EXPECT_TRUE(second.passesApplied.empty()) << "no target was left for it";

	graphics->BeginScene();
	post.BeginCapture();
	EXPECT_EQ(graphics->GetRenderTargetIndex(), 1);
	post.RenderBlended(0.25f);
	EXPECT_EQ(graphics->GetRenderTargetIndex(), -1);
	graphics->EndScene();
	EXPECT_EQ(second.passesApplied, (std::vector<UINT> { 0, 1 }));
}
