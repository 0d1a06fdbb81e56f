// Runs of objects that draw alike: one draw call per run, the same pixels
// and the same device state afterwards as every object's own draw.

#include "SceneDrawSupport.h"

#include "engine/graphics/sGraphicsDeviceState.h"

namespace
{
// A quad object of a type of its own: it never joins a run.
struct cOwnDrawQuad : cSceneObject
{
	using cSceneObject::cSceneObject;
	void DrawSelf() override { cSceneObject::DrawSelf(); }
};

struct sDeviceState
{
	DWORD colorArgument;
	DWORD alphaArgument;
	DWORD factor;
	D3DMATRIX world;
	IDirect3DBaseTexture9* texture;
};

sDeviceState ReadDeviceState()
{
	IDirect3DDevice9* device = GraphicsDevice();
	sDeviceState state {};
	device->GetTextureStageState(0, D3DTSS_COLORARG2, &state.colorArgument);
	device->GetTextureStageState(0, D3DTSS_ALPHAARG2, &state.alphaArgument);
	device->GetRenderState(D3DRS_TEXTUREFACTOR, &state.factor);
	device->GetTransform(D3DTS_WORLD, &state.world);
	device->GetTexture(0, &state.texture);
	if (state.texture)
		state.texture->Release();
	return state;
}

class QuadRunTest : public SceneDrawTest
{
protected:
	void SetUp() override
	{
		SceneDrawTest::SetUp();
		// The own draws below switch no lighting, as the scene would.
		graphics->SetLighting(false);
		resources.Add("texture", "tiles", DdsFile(2, 2, { 0xFFFFFFFF, 0xFFFF8040, 0xFF40FF80, 0xFF8040FF }));
		resources.Add("texture", "other", DdsFile(1, 1, { 0xFF20A0C0 }));
		for (const char* texture : { "tiles", "other" })
		{
			cModel model;
			AddQuad(model, 0, 0, 37, 23);
			model.materials.push_back(Material(0, 2, { texture }));
			resources.Add("model", texture, ModelBytes(model));
		}
		cModel tall;
		AddQuad(tall, -5, -10, 15, 50);
		tall.materials.push_back(Material(0, 2, { "tiles" }));
		resources.Add("model", "tall", ModelBytes(tall));
	}

	// Overlapping, scaled and tinted objects showing the model, in the draw
	// order of the sort key.
	std::vector<cSceneObject*> AddGroup(const std::string& model, int sortKey, int count, float x)
	{
		std::vector<cSceneObject*> group;
		for (int n = 0; n < count; ++n)
		{
			cSceneObject* object = Quad(model + std::to_string(n), model, 0, 0);
			cMatrix place;
			place.MakeTranslationScale(cVector3d(x + 11.3f * float(n), 100.7f + 7.9f * float(n % 5), 0),
				cVector3d(1.0f + 0.05f * float(n), 1.3f, 1.0f));
			object->GetTransform().SetLocalMatrix(place);
			object->GetTransform().SetColor(1.0f - 0.03f * float(n), 0.5f + 0.02f * float(n), 0.8f, n % 3 ? 1.0f : 0.6f);
			object->SetSortKey(sortKey);
			group.push_back(object);
		}
		return group;
	}

	// The queue of the last frame drawn again, each object by its own draw.
	sPixels DrawEachObject()
	{
		graphics->BeginScene();
		for (const sDrawEntry& entry : scene->GetDrawQueue())
		{
			if (entry.camera)
				entry.camera->Apply();
			entry.object->DrawSelf();
		}
		sPixels pixels = ReadBackBuffer();
		graphics->EndScene();
		return pixels;
	}
};
}

TEST_F(QuadRunTest, RunsDrawInOneCallWhatEachObjectsOwnDrawShows)
{
	// Runs of one texture; an object of its own type and one on another
	// texture draw alone between them.
	AddGroup("tiles", 0, 20, 100);
	cSceneObject* own = new cOwnDrawQuad("own quad", screen);
	own->SetVisual(new cQuadVisual(own));
	own->SetModel("tiles");
	own->GetTransform().SetLocalMatrix(Translation(150, 110, 0));
	own->SetSortKey(1);
	AddGroup("tall", 2, 12, 160);
	Quad("other", "other", 200, 120)->SetSortKey(3);
	AddGroup("tiles", 4, 3, 300);

	const sPixels runs = Frame();
	const sDeviceState afterRuns = ReadDeviceState();
	EXPECT_EQ(GraphicsDeviceState().drawCallCount, 5);
	ASSERT_EQ(scene->GetDrawQueue().size(), 37u);

	const sPixels own_ = DrawEachObject();
	const sDeviceState afterOwn = ReadDeviceState();
	EXPECT_EQ(GraphicsDeviceState().drawCallCount, 37);
	size_t differing = 0;
	for (size_t pixel = 0; pixel < runs.data.size(); ++pixel)
		differing += runs.data[pixel] != own_.data[pixel];
	EXPECT_EQ(differing, 0u);
	EXPECT_NE(At(runs, 110, 105), 0xFF000000u) << "something drawn";

	EXPECT_EQ(afterRuns.colorArgument, afterOwn.colorArgument);
	EXPECT_EQ(afterRuns.alphaArgument, afterOwn.alphaArgument);
	EXPECT_EQ(afterRuns.factor, afterOwn.factor);
	EXPECT_EQ(memcmp(&afterRuns.world, &afterOwn.world, sizeof(D3DMATRIX)), 0);
	EXPECT_EQ(afterRuns.texture, afterOwn.texture);
}

TEST_F(QuadRunTest, TurnedObjectsAndThoseOfOtherOffsetsFiltersOrLightingDrawApart)
{
	const std::vector<cSceneObject*> group = AddGroup("tiles", 0, 4, 100);
	for (int n = 0; n < 4; ++n)
		group[n]->SetSortKey(n); // a fixed order; keys do not part runs
	Frame();
	EXPECT_EQ(GraphicsDeviceState().drawCallCount, 1);

	group[2]->GetProperties().SetProperty("filter", "true");
	group[3]->GetVisual()->SetTextureOffset(0.5f, 0);
	Frame();
	EXPECT_EQ(GraphicsDeviceState().drawCallCount, 3) << "the first two, the filtered one, the moved texture";

	cMatrix turned;
	group[1]->GetTransform().SetLocalMatrix(turned.MakeRotationZ(0.5f).SetTranslation(cVector3d(120, 100, 0)));
	Frame();
	EXPECT_EQ(GraphicsDeviceState().drawCallCount, 4) << "the first, the turned one, the filtered one, the moved texture";
	group[1]->GetTransform().SetLocalMatrix(Translation(120, 100, 0));

	group[2]->GetProperties().SetProperty("filter", "false");
	group[3]->GetVisual()->SetTextureOffset(0, 0);
	group[3]->GetProperties().SetProperty("light_rec", "true");
	graphics->SetLighting(true);
	scene->Update(0);
	graphics->BeginScene();
	scene->Render();
	EXPECT_EQ(GraphicsDeviceState().drawCallCount, 2) << "the unlit three, the lit one";
	graphics->EndScene();
	graphics->SetLighting(false);
}
