#include "engine/widgets/cEditBox.h"

#include "engine/foundation/TextConversion.h"
#include "engine/graphics/cFontResource.h"
#include "engine/graphics/cGraphicsText.h"
#include "engine/input/cInputManager.h"
#include "engine/scene/cTextVisual.h"
#include "engine/sound/cSoundRegistry.h"
#include "engine/sound/cSoundResource.h"

namespace
{
const float kBlinkTime = 0.5f;
// The pause before a held Backspace repeats, and between accepted keys.
const float kRepeatTime = 0.25f;
}

cEditBox::cEditBox(const std::string& name, cSceneObject* parent)
	: cSceneObject(name, parent), m_visual(new cTextVisual(this))
{
	SetVisual(m_visual);
	cPropertyMap& properties = GetProperties().GetMap();
	properties.BindIntVariable("max_length", &m_maxLength);
	properties.BindString("sound", cDelegatePtr<std::string*>(),
		cDelegatePtr<std::string*>(MakeMemberDelegate(this, &cEditBox::OnSound)));
	m_visual->BindTextProperties(properties, cDelegatePtr<std::string*>());
	// The box keeps the text itself: writing it goes through the box.
	properties.BindString("text", cDelegatePtr<std::string*>(MakeMemberDelegate(this, &cEditBox::GetTextUtf8)),
		cDelegatePtr<std::string*>(MakeMemberDelegate(this, &cEditBox::OnText)));
}

cSceneObject* cEditBox::Create(const std::string& name, cSceneObject* parent)
{
	return new cEditBox(name, parent);
}

void cEditBox::OnSound(std::string* name)
{
	m_sound.BindByName<cSoundResource>(name->c_str());
}

void cEditBox::OnText(std::string* text)
{
	Utf8ToWide(*text, m_text);
	FireEvent("on_change");
	RefreshDisplay();
}

void cEditBox::GetTextUtf8(std::string* text)
{
	WideToUtf8(m_text, *text);
}

void cEditBox::RefreshDisplay()
{
	m_visual->SetText(m_cursorShown ? m_text + m_cursor : m_text);
}

void cEditBox::Update(float dt)
{
	cSceneObject::Update(dt);
	m_blinkTimer -= dt;
	m_repeatTimer -= dt;
	if (m_blinkTimer < 0)
	{
		m_blinkTimer = kBlinkTime;
		m_cursorShown = !m_cursorShown;
		RefreshDisplay();
	}
}

bool cEditBox::HandleInput()
{
	cInputManager* input = cInputManager::GetInstance();
	const int keyboard = cInputManager::kKeyboardSlot;
	const int pairs = cInputManager::kKeyPairsSlot;
	const bool backspaceHeld = input->IsDown(keyboard, kBackspace);
	if (input->IsPressed(keyboard, kBackspace) || (m_repeatTimer < 0 && backspaceHeld))
		Backspace();
	else if (input->IsReleased(keyboard, kBackspace))
		m_repeatTimer = 0;
	else if (input->IsPressed(pairs, cInputManager::kPairEnter))
		FireEvent("on_enter");
	else if (!input->IsDown(pairs, cInputManager::kPairEnter))
	{
		std::wstring characters;
		const bool typed = input->ReadText(characters);
		// Keys in consecutive frames: only the first frame's are taken.
		if (m_repeatTimer > 0 || backspaceHeld)
		{
			if (!typed)
				m_repeatTimer = 0;
		}
		else if (typed)
			Type(characters);
	}
	return false;
}

void cEditBox::Backspace()
{
	if (m_text.empty())
		return;
	m_text.pop_back();
	RefreshDisplay();
	m_repeatTimer = kRepeatTime;
	FireEvent("on_change");
}

void cEditBox::Type(const std::wstring& characters)
{
	for (wchar_t character : characters)
		if (CanDraw(character))
			m_text += character;
	// A negative maximum keeps nothing.
	const size_t maxLength = m_maxLength > 0 ? size_t(m_maxLength) : 0;
	if (m_text.size() >= maxLength)
		m_text.resize(maxLength);
	else if (m_sound)
		cSoundRegistry::GetInstance()->Play(m_sound, false);
	RefreshDisplay();
	m_repeatTimer = kRepeatTime;
	FireEvent("on_change");
}

bool cEditBox::CanDraw(wchar_t character) const
{
	const cFontResource* font =
		Singletone<cGraphicsText>::Exists() ? cGraphicsText::GetInstance()->GetFont(m_visual->GetFontId()) : nullptr;
	if (!font)
		return true;
	const sFontData& data = font->GetData();
	const size_t code = size_t(character);
	if (code >= data.glyphs.size())
		return false;
	const sGlyph& glyph = data.glyphs[code];
	return float(int64_t(glyph.right) - glyph.left) * data.scale > 0;
}
