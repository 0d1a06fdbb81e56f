#include "engine/graphics/cDebugManager.h"

#include "engine/graphics/cCamera.h"
#include "engine/graphics/cGraphics.h"
#include "engine/graphics/cGraphicsText.h"

cDebugManager::cDebugManager(float width, float height, float zNear, float zFar, const cVector3d& textPosition)
	: m_camera(std::make_unique<cCamera>()), m_textPosition(textPosition)
{
	m_camera->SetOrtho(0, 0, width, height, zNear, zFar);
	cMatrix placement;
	placement.MakeTranslation(cVector3d(0, 0, -1000));
	placement.LookAt(cVector3d(0, 0, 0));
	m_camera->SetTransform(placement);
}

cDebugManager::~cDebugManager() = default;

void cDebugManager::Update(float dt)
{
	m_elapsed += dt;
	if (m_elapsed >= 1.0f)
	{
		m_framesPerSecond = float(m_frameCount) / m_elapsed;
		m_frameCount = 0;
		m_elapsed = 0.0f;
	}
}

void cDebugManager::Draw()
{
	++m_frameCount;
	m_camera->Apply();
	cGraphicsText* text = Singletone<cGraphicsText>::GetInstance();
	text->SelectFont(0);
	cGraphics* graphics = Singletone<cGraphics>::GetInstance();
	cMatrix world;
	graphics->SetWorldMatrix(world.MakeTranslation(m_textPosition));
	const bool depthTest = graphics->GetDepthTest();
	graphics->SetDepthTest(false);
	const sGraphicsDeviceState& state = GraphicsDeviceState();
	text->DrawFormatted(TextAlignTop, sColor(1, 1, 1, 1), L"FPS=%3.2f, tri: %i, dip: %i", double(m_framesPerSecond),
		state.triangleCount, state.drawCallCount);
	graphics->SetDepthTest(depthTest);
}
