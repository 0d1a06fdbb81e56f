#pragma once
// Scene tests that draw for real: the graphics device on a hidden window,
// the default camera as the game's screen camera (x 0 to 1024, y up), model
// and texture resources made in the test, and pixels read back.

#include "SceneTestSupport.h"

#include "../graphics/ModelTestSupport.h"

#include "engine/scene/cQuadVisual.h"

// A quad from left to right and bottom to top showing the texture from
// (u0, v0) to (u1, v1): one cell of an atlas.
inline void AddCellQuad(cModel& model, float left, float bottom, float right, float top, float u1, float v1)
{
	AddQuad(model, left, bottom, right, top);
	const size_t first = model.vertexBytes.size() - 4 * sizeof(sTexVertex);
	for (size_t vertex = 0; vertex < 4; ++vertex)
	{
		sTexVertex value = VertexAt(model.vertexBytes.data() + first, unsigned(vertex));
		value.u *= u1;
		value.v *= v1;
		memcpy(model.vertexBytes.data() + first + vertex * sizeof value, &value, sizeof value);
	}
}

// The pixel at logical (x, y), y up, as opaque.
inline D3DCOLOR At(const sPixels& pixels, int x, int y)
{
	return pixels.At(UINT(x), UINT(767 - y)) | 0xFF000000;
}

class SceneDrawTest : public SceneTest
{
protected:
	void SetUp() override
	{
		graphics = StartGraphics(1024, 768);
		SceneTest::SetUp();
		screen = scene->GetDefaultCamera();
		screen->SetVisible(true);
		SetScreenCamera(screen->GetCamera());
		screen->GetCamera().SetDepthTest(false);
	}

	// An object with a quad visual showing the named model.
	cSceneObject* Quad(const std::string& name, const std::string& model, float x, float y, cSceneObject* parent = nullptr)
	{
		auto* object = new cSceneObject(name, parent ? parent : screen);
		object->SetVisual(new cQuadVisual(object));
		object->SetModel(model);
		object->GetTransform().SetLocalMatrix(Translation(x, y, 0));
		return object;
	}

	// Updates the scene by dt, draws it and reads the back buffer.
	sPixels Frame(float dt = 0)
	{
		scene->Update(dt);
		graphics->BeginScene();
		scene->Render();
		sPixels pixels = ReadBackBuffer();
		graphics->EndScene();
		return pixels;
	}

	// Held past the tree's deletion in TearDown.
	cTestResources resources;
	cGraphics* graphics = nullptr;
	cCameraObject* screen = nullptr;
};
