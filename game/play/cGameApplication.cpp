#include "game/play/cGameApplication.h"

#include "engine/foundation/cWin32Application.h"
#include "engine/foundation/cXmlNode.h"
#include "engine/graphics/cFontResource.h"
#include "engine/graphics/cGraphics.h"
#include "engine/graphics/cGraphicsText.h"
#include "engine/input/cCursorManager.h"
#include "engine/input/cInputManager.h"
#include "engine/resources/cTextManager.h"
#include "engine/resources/cXmlResource.h"
#include "engine/scene/cSceneManager.h"
#include "engine/sound/cSoundManager.h"
#include "engine/sound/cSoundRegistry.h"
#include "engine/sound/cSoundResource.h"
#include "game/play/cProfileManager.h"

#include <cstdio>
#include <cstdlib>

namespace
{
// The child elements of parent with the name, in document order.
template <class Visit>
void ForEachChild(const cXmlNode& parent, const char* name, Visit visit)
{
	for (const cXmlNode* child = parent.GetFirstChild(); child; child = child->GetNextSibling())
		if (child->GetName() == name)
			visit(*child);
}
}

cGameApplication::cGameApplication() : m_overlay(1024, 768, 1, 2000, cVector3d(0, 0, 0))
{
	LoadGameConfig();
	m_menuMusic.BindByName<cSoundResource>("track00menu");
	Singletone<cSoundManager>::GetInstance()->PlayMusic(m_menuMusic);
	const std::wstring& title = Singletone<cTextManager>::GetInstance()->GetText("game_title");
	if (!title.empty())
		Singletone<cWin32Application>::GetInstance()->SetTitleW(title);
}

void cGameApplication::LoadGameConfig()
{
	cResourceHandle config = cResourceHandle::InitByName<cXmlResource>("game_config");
	if (!config)
		return;
	const cXmlNode& root = config.Get<cXmlResource>()->GetDocument().GetRoot();
	for (const cXmlNode* child = root.GetFirstChild(); child; child = child->GetNextSibling())
	{
		if (child->GetName() == "texts")
			LoadTexts(*child);
		else if (child->GetName() == "fonts")
			LoadFonts(*child);
		else if (child->GetName() == "cursors")
			LoadCursors(*child);
	}
}

void cGameApplication::LoadTexts(const cXmlNode& texts)
{
	ForEachChild(texts, "text", [](const cXmlNode& text) {
		cResourceHandle xml = cResourceHandle::InitByName<cXmlResource>(GetXmlAttribute(&text, "name", ""));
		Singletone<cTextManager>::GetInstance()->LoadFromXml(xml);
	});
}

void cGameApplication::LoadFonts(const cXmlNode& fonts)
{
	ForEachChild(fonts, "font", [](const cXmlNode& font) {
		// The registry takes its own reference; the lookup's goes with the handle.
		cResourceHandle resource = cResourceHandle::InitByName<cFontResource>(GetXmlAttribute(&font, "name", ""));
		const int id = int(strtol(GetXmlAttribute(&font, "id", "").c_str(), nullptr, 10));
		if (resource)
			Singletone<cGraphicsText>::GetInstance()->RegisterFont(id, resource.Get<cFontResource>());
	});
}

void cGameApplication::LoadCursors(const cXmlNode& cursors)
{
	cCursorManager* manager = Singletone<cCursorManager>::GetInstance();
	ForEachChild(cursors, "cursor", [manager](const cXmlNode& cursor) {
		const std::string name = GetXmlAttribute(&cursor, "name", "");
		manager->SetCursorModel(name, GetXmlAttribute(&cursor, "model", ""));
		const std::string offset = GetXmlAttribute(&cursor, "offset", "");
		if (offset.empty())
			return;
		cVector3d vector(0, 0, 0);
		std::sscanf(offset.c_str(), "%f %f %f", &vector.x, &vector.y, &vector.z);
		manager->SetCursorOffset(name, vector);
	});
}

bool cGameApplication::CanRun()
{
	IDirect3DDevice9* device = cGraphics::GetDevice();
	return device && device->TestCooperativeLevel() >= 0;
}

bool cGameApplication::Update(float dt)
{
	m_overlay.Update(dt);
	cInputManager* input = Singletone<cInputManager>::GetInstance();
	input->Update(dt);
	if (Singletone<cProfileManager>::GetInstance()->IsCheatMode() &&
	    input->IsPressed(cInputManager::kKeyboardSlot, DIK_F1))
		m_overlayShown = !m_overlayShown;
	cSceneManager* scene = Singletone<cSceneManager>::GetInstance();
	scene->DispatchInput();
	scene->Update(dt);
	Singletone<cCursorManager>::GetInstance()->Update(dt);
	Singletone<cSoundManager>::GetInstance()->Update(dt);
	Singletone<cSoundRegistry>::GetInstance()->Update();
	return true;
}

void cGameApplication::Render()
{
	cGraphics* graphics = Singletone<cGraphics>::GetInstance();
	graphics->BeginScene();
	Singletone<cSceneManager>::GetInstance()->Render();
	Singletone<cCursorManager>::GetInstance()->Render();
	if (m_overlayShown)
		m_overlay.Draw();
	graphics->EndScene();
}
