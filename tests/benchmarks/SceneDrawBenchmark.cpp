// Frames of 10,000 textured, tinted quad objects: updated and drawn through
// the scene manager (one scene object with a quad visual each, sorted and
// drawn one model instance at a time) against the same quads written into
// one vertex buffer and drawn directly with cGraphics::DrawQuads, in the
// same process and frame size. Both pictures are compared before timing.
// Prints the medians, their ratio and the target (the scene at most 1.5
// times the direct draw).
//
// Run under a display, e.g. xvfb-run -a -s "-screen 0 1920x1200x24".

#include "benchmarks/cSummaryReporter.h"
#include "engine/graphics/TextureFiles.h"

#include "engine/foundation/cWin32Application.h"
#include "engine/graphics/cGraphics.h"
#include "engine/graphics/cModelWriter.h"
#include "engine/graphics/cTexture.h"
#include "engine/graphics/cTextureResource.h"
#include "engine/graphics/cVertexBuffer.h"
#include "engine/resources/cResourceManager.h"
#include "engine/scene/cCameraObject.h"
#include "engine/scene/cQuadVisual.h"
#include "engine/scene/cSceneManager.h"
#include "platform/win32/Win32.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace
{
constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kColumns = 100;
constexpr int kRows = 100;
constexpr int kQuads = kColumns * kRows;
constexpr float kQuadWidth = 8.0f;
constexpr float kQuadHeight = 6.0f;

struct sVertexTex
{
	float x, y, z, u, v;
};

struct sVertexColorTex
{
	float x, y, z;
	D3DCOLOR color;
	float u, v;
};

// Channels that are whole multiples of 1/255, so that the texture factor
// of a scene object and a vertex colour give the same bytes.
D3DCOLOR Tint(int index)
{
	return 0xFF000000 | D3DCOLOR(((index * 37) % 256) << 16) | D3DCOLOR(((index * 91) % 256) << 8) |
		D3DCOLOR((index * 53) % 256);
}

float Channel(D3DCOLOR color, int shift)
{
	return float((color >> shift) & 0xFF) / 255.0f;
}

// The lower left corner of a quad: a grid over the screen.
cVector3d Corner(int index)
{
	return cVector3d(float(index % kColumns) * 10.24f, float(index / kColumns) * 7.68f, 0.0f);
}

void AddResource(const char* type, const std::string& name, const tBytes& bytes)
{
	auto* stream = new cMemoryStream;
	LoadStream(*stream, bytes);
	cResourceManager::GetInstance()->CreateByType(type, name, sResourceSource(stream, ""))->AddToIndex();
}

// The one quad model every object shows: kQuadWidth by kQuadHeight on a white texture.
tBytes QuadModel()
{
	cModel model;
	model.vertexFormat = D3DFVF_XYZ | D3DFVF_TEX1;
	const sVertexTex vertices[] = { { 0, kQuadHeight, 0, 0, 0 }, { kQuadWidth, kQuadHeight, 0, 1, 0 },
		{ kQuadWidth, 0, 0, 1, 1 }, { 0, 0, 0, 0, 1 } };
	const auto* bytes = reinterpret_cast<const uint8_t*>(vertices);
	model.vertexBytes.assign(bytes, bytes + sizeof vertices);
	model.indices = { 0, 1, 2, 0, 2, 3 };
	model.boundsMin = cVector3d(0, 0, 0);
	model.boundsMax = cVector3d(kQuadWidth, kQuadHeight, 0);
	sModelMaterial material;
	material.startIndex = 0;
	material.triangleCount = 2;
	material.textureNames = { "white" };
	model.materials.push_back(material);
	cMemoryStream stream;
	cModelWriter(stream).Write(model);
	return tBytes(stream.GetData(), stream.GetData() + stream.GetSize());
}

class cBench
{
public:
	cBench()
	{
		cWin32Application* application = Singletone<cWin32Application>::GetInstance();
		sStartupParams params { nullptr, SW_SHOWDEFAULT, nullptr, "", false };
		if (!application->CreateMainWindow(params, "SceneDrawBenchmark", "scene"))
			return;
		m_graphics = Singletone<cGraphics>::GetInstance();
		sDisplaySettings settings;
		settings.width = kWidth;
		settings.height = kHeight;
		settings.windowed = true;
		if (!m_graphics->CreateDevice(settings))
			return;
		AddResource("texture", "white", DdsFile(1, 1, { 0xFFFFFFFF }));
		AddResource("model", "quad", QuadModel());
		m_white = cResourceManager::GetResourceByName<cTextureResource>("white");

		m_scene = Singletone<cSceneManager>::GetInstance();
		cCamera& camera = m_scene->GetDefaultCamera()->GetCamera();
		camera.SetOrtho(0, 0, kWidth, kHeight, 1, 2000);
		cMatrix placement;
		placement.MakeTranslation(cVector3d(0, 0, -1800));
		placement.LookAt(cVector3d(0, 0, 0));
		camera.SetTransform(placement);
		camera.SetDepthTest(false);
		for (int index = 0; index < kQuads; ++index)
		{
			auto* object = new cSceneObject("quad", m_scene->GetDefaultCamera());
			object->SetVisual(new cQuadVisual(object));
			object->SetModel("quad");
			cMatrix matrix;
			object->GetTransform().SetLocalMatrix(matrix.MakeTranslation(Corner(index)));
			const D3DCOLOR tint = Tint(index);
			object->GetTransform().SetColor(Channel(tint, 16), Channel(tint, 8), Channel(tint, 0), 1.0f);
		}
		m_scene->Update(0);

		m_buffer = std::make_unique<cVertexBuffer>(D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1, nullptr, 0);
		m_buffer->SetDynamic(true);
		m_vertices.resize(size_t(kQuads) * 4);
	}

	bool Ready() const { return m_white && m_scene; }

	void SceneFrame(float dt)
	{
		m_scene->Update(dt);
		m_graphics->BeginScene();
		m_scene->Render();
	}

	// The same quads from the same objects' places and colours, in one buffer.
	void DirectFrame()
	{
		for (int index = 0; index < kQuads; ++index)
		{
			const cVector3d corner = Corner(index);
			const D3DCOLOR tint = Tint(index);
			sVertexColorTex* quad = &m_vertices[size_t(index) * 4];
			quad[0] = { corner.x, corner.y + kQuadHeight, 0, tint, 0, 0 };
			quad[1] = { corner.x + kQuadWidth, corner.y + kQuadHeight, 0, tint, 1, 0 };
			quad[2] = { corner.x + kQuadWidth, corner.y, 0, tint, 1, 1 };
			quad[3] = { corner.x, corner.y, 0, tint, 0, 1 };
		}
		m_graphics->BeginScene();
		m_scene->GetDefaultCamera()->GetCamera().Apply();
		m_graphics->SetWorldMatrix(cMatrix::Identity());
		m_buffer->SetData(m_vertices.data(), unsigned(m_vertices.size()));
		m_buffer->Bind();
		m_graphics->GetQuadIndexBuffer().Bind();
		m_white->GetTexture()->Bind(0);
		m_graphics->DrawQuads(kQuads * 4, kQuads * 2);
	}

	void EndFrame() { m_graphics->EndScene(); }

	std::vector<D3DCOLOR> Pixels()
	{
		std::vector<D3DCOLOR> pixels(size_t(kWidth) * kHeight);
		D3DLOCKED_RECT locked;
		IDirect3DSurface9* backBuffer = m_graphics->GetBackBuffer();
		if (backBuffer->LockRect(&locked, nullptr, D3DLOCK_READONLY) == D3D_OK)
		{
			for (int row = 0; row < kHeight; ++row)
				std::memcpy(&pixels[size_t(row) * kWidth], static_cast<BYTE*>(locked.pBits) + row * locked.Pitch,
					kWidth * 4);
			backBuffer->UnlockRect();
		}
		return pixels;
	}

private:
	cGraphics* m_graphics = nullptr;
	cSceneManager* m_scene = nullptr;
	cTextureResource* m_white = nullptr;
	std::unique_ptr<cVertexBuffer> m_buffer;
	std::vector<sVertexColorTex> m_vertices;
};

std::unique_ptr<cBench> g_bench;

void SceneManagerFrames(benchmark::State& state)
{
	for (auto _ : state)
	{
		g_bench->SceneFrame(1.0f / 60.0f);
		g_bench->EndFrame();
	}
	state.SetItemsProcessed(state.iterations() * kQuads);
}

void DirectDrawQuadsFrames(benchmark::State& state)
{
	for (auto _ : state)
	{
		g_bench->DirectFrame();
		g_bench->EndFrame();
	}
	state.SetItemsProcessed(state.iterations() * kQuads);
}

BENCHMARK(SceneManagerFrames)->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(5);
BENCHMARK(DirectDrawQuadsFrames)->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(5);
}

int main(int argc, char** argv)
{
	benchmark::Initialize(&argc, argv);
	g_bench = std::make_unique<cBench>();
	if (!g_bench->Ready())
	{
		printf("No graphics device: run under a display.\n");
		return 1;
	}
	g_bench->SceneFrame(0);
	const std::vector<D3DCOLOR> scene = g_bench->Pixels();
	g_bench->EndFrame();
	g_bench->DirectFrame();
	const std::vector<D3DCOLOR> direct = g_bench->Pixels();
	g_bench->EndFrame();
	size_t differing = 0;
	for (size_t pixel = 0; pixel < scene.size(); ++pixel)
		differing += (scene[pixel] & 0xFFFFFF) != (direct[pixel] & 0xFFFFFF);
	printf("Scene manager and direct pictures: %s (%zu of %zu pixels differ)\n", differing ? "DIFFERENT" : "equal",
		differing, scene.size());

	cSummaryReporter reporter;
	benchmark::RunSpecifiedBenchmarks(&reporter);
	const double viaScene = reporter.Median("SceneManagerFrames");
	const double direct_ = reporter.Median("DirectDrawQuadsFrames");
	const double ratio = direct_ > 0 ? viaScene / direct_ : 0.0;
	printf("\nUpdate and draw of %d quad objects (medians): scene manager %.2f ms, direct DrawQuads %.2f ms, time "
		   "ratio %.2f (target at most 1.5: %s)\n",
		kQuads, viaScene * 1e3, direct_ * 1e3, ratio, ratio <= 1.5 ? "ok" : "OVER");
	benchmark::Shutdown();
	g_bench.reset();
	return differing ? 1 : 0;
}
