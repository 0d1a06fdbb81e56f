#include "engine/input/cCursorManager.h"

#include "engine/foundation/cWin32Application.h"
#include "engine/graphics/cGraphics.h"
#include "engine/input/cInputManager.h"
#include "platform/win32/Win32.h"

cCursorManager::cCursorManager()
	: m_ownerThread(std::this_thread::get_id())
{
	InitCamera();
}

cCursorManager::~cCursorManager()
{
	for (const auto& [name, cursor] : m_hardwareCursors)
		if (cursor)
			DestroyCursor(cursor);
}

void cCursorManager::LoadHardwareCursor(const std::string& name, unsigned short id)
{
	if (m_hardwareCursors.count(name))
		return;
	HINSTANCE instance = Singletone<cWin32Application>::GetInstance()->GetInstanceHandle();
	m_hardwareCursors[name] =
		static_cast<HCURSOR>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_CURSOR, 0, 0, LR_DEFAULTCOLOR));
}

HCURSOR cCursorManager::GetHardwareCursor(const std::string& name) const
{
	auto found = m_hardwareCursors.find(name);
	return found == m_hardwareCursors.end() ? nullptr : found->second;
}

void cCursorManager::SetCursorModel(const std::string& name, const std::string& model)
{
	m_models[name].SetModel(cModelHandle(model));
}

void cCursorManager::SetCursorOffset(const std::string& name, const cVector3d& offset)
{
	m_offsets[name] = offset;
}

void cCursorManager::SetCursor(const std::string& name)
{
	std::lock_guard<std::mutex> hold(m_requestLock);
	if (std::this_thread::get_id() != m_ownerThread)
	{
		// The main thread draws with the current selection: it takes the
		// request over in its next update.
		m_requestedName = name;
		return;
	}
	// A later selection of the main thread replaces one still waiting.
	m_requestedName.reset();
	SelectCursor(name);
}

void cCursorManager::SelectCursor(const std::string& name)
{
	m_currentName = name;
	if (m_hardware)
	{
		if (m_hardwareCursors.count(name))
			Singletone<cWin32Application>::GetInstance()->SetCursor(GetHardwareCursor(name));
		return;
	}
	auto model = m_models.find(name);
	if (model == m_models.end())
		return;
	m_currentModel = &model->second;
	auto offset = m_offsets.find(name);
	if (offset != m_offsets.end())
		m_currentOffset = offset->second;
}

void cCursorManager::SetHardwareCursor(bool hardware)
{
	if (hardware == m_hardware)
		return;
	m_hardware = hardware;
	SelectCursor(m_currentName);
	ShowSystemCursor(m_hardware && m_visible);
}

void cCursorManager::ShowCursor(bool visible)
{
	m_visible = visible;
	ShowSystemCursor(m_hardware && m_visible);
}

void cCursorManager::ShowSystemCursor(bool show)
{
	if (show == m_systemCursorShown)
		return;
	m_systemCursorShown = show;
	int count = ::ShowCursor(show ? TRUE : FALSE);
	while ((count >= 0) != show)
		count = ::ShowCursor(show ? TRUE : FALSE);
}

void cCursorManager::InitCamera()
{
	float width = 0;
	float height = 0;
	if (Singletone<cGraphics>::Exists())
	{
		width = float(cGraphics::GetInstance()->GetBackBufferWidth());
		height = float(cGraphics::GetInstance()->GetBackBufferHeight());
	}
	m_camera.SetOrtho(0, 0, width, height, 1, 2000);
	cMatrix placement;
	placement.MakeTranslation(cVector3d(0, 0, -1000));
	placement.LookAt(cVector3d(0, 0, 0));
	m_camera.SetTransform(placement);
}

void cCursorManager::Update(float dt)
{
	{
		std::unique_lock<std::mutex> hold(m_requestLock);
		if (m_requestedName)
		{
			const std::string name = std::move(*m_requestedName);
			m_requestedName.reset();
			hold.unlock();
			SelectCursor(name);
		}
	}
	if (m_hardware || !m_currentModel)
		return;
	cAnimator* animator = m_currentModel->GetAnimator();
	if (animator && animator->IsRunning())
		animator->Update(dt);
}

void cCursorManager::Render()
{
	if (m_hardware || !m_visible || !m_currentModel)
		return;
	const cVector3d mouse = Singletone<cInputManager>::GetInstance()->GetCursorPosition();
	const sRay ray = m_camera.GetPickRay(mouse, cMatrix::Identity());
	m_camera.Apply();
	cGraphics* graphics = cGraphics::GetInstance();
	cMatrix world;
	world.MakeTranslation(cVector3d(m_currentOffset.x + ray.origin.x, m_currentOffset.y + ray.origin.y, 0));
	graphics->SetWorldMatrix(world);
	const bool depthTest = graphics->GetDepthTest();
	const bool lighting = graphics->GetLighting();
	graphics->SetDepthTest(false);
	graphics->SetLighting(false);
	m_currentModel->Draw(sColor(1, 1, 1, 1));
	graphics->SetDepthTest(depthTest);
	graphics->SetLighting(lighting);
}
