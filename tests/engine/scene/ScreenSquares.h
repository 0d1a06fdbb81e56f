#pragma once
// Scenes drawn for real under the game's screen camera: coloured squares as
// visuals, a camera object that puts its camera into the collection, and
// pixels read back in logical coordinates.

#include "SceneTestSupport.h"

#include "../graphics/GraphicsTestSupport.h"

namespace screen_squares
{
// A square of the given size at the owner's world matrix, in the owner's
// effective colour.
class cSquareVisual : public cProbeVisual
{
public:
	cSquareVisual(cSceneObject* owner, float size) : cProbeVisual(owner), m_buffer(kFvfTex, nullptr, 0)
	{
		const sTexVertex triangles[] = { { 0, size, 0, 0, 0 }, { size, size, 0, 1, 0 }, { size, 0, 0, 1, 1 },
			{ size, 0, 0, 1, 1 }, { 0, 0, 0, 0, 1 }, { 0, size, 0, 0, 0 } };
		m_buffer.SetData(triangles, 6);
	}

	void Draw() override
	{
		cGraphics* graphics = Singletone<cGraphics>::GetInstance();
		graphics->SetWorldMatrix(m_owner->GetTransform().GetWorldMatrix());
		m_buffer.Bind();
		graphics->DrawColoredTriangles(0, 2, m_owner->GetTransform().GetEffectiveColor());
	}

private:
	cVertexBuffer m_buffer;
};

// Puts its camera into the collection's camera slot, as camera objects do.
class cScreenCameraObject : public cSceneObject
{
public:
	using cSceneObject::cSceneObject;
	void CollectDraw(std::vector<sDrawEntry>& queue, cCamera*& camera) override
	{
		camera = &this->camera;
		cSceneObject::CollectDraw(queue, camera);
	}
	cCamera camera;
};

inline cSceneObject* Square(const std::string& name, cSceneObject* parent, float x, float y, float z, float size,
	const sColor& colour, int sort = 0)
{
	auto* object = new cSceneObject(name, parent);
	object->SetVisual(new cSquareVisual(object, size));
	object->GetTransform().SetLocalMatrix(Translation(x, y, z));
	object->GetTransform().SetColor(colour.r, colour.g, colour.b, colour.a);
	object->SetSortKey(sort);
	return object;
}

// The pixel at logical (x, y), y up.
inline D3DCOLOR At(const sPixels& pixels, int x, int y)
{
	return pixels.At(UINT(x), UINT(768 - y)) | 0xFF000000;
}
}

using namespace screen_squares;
