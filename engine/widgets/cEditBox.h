#pragma once
// The object type "editbox": a one-line text entry shown through a text
// visual with a blinking "_" cursor. Every visible edit box the input pass
// reaches takes the keyboard. Typed characters the font can draw are
// appended (the text is cut to max_length, else the typing sound plays),
// Backspace removes the last character (repeating every 0.25 s while held)
// and Enter fires "on_enter". Every change fires "on_change".
//
// Properties: "max_length", "sound" (write only), "alignment", "text_id",
// "font_id" and "text" (UTF-8; reading gives the text without the cursor).

#include "engine/resources/cResourceHandle.h"
#include "engine/scene/cSceneObject.h"

#include <string>

class cTextVisual;

class cEditBox : public cSceneObject
{
public:
	// DirectInput code of Backspace.
	static constexpr int kBackspace = 0x0E;

	cEditBox(const std::string& name, cSceneObject* parent);
	static cSceneObject* Create(const std::string& name, cSceneObject* parent);

	bool HandleInput() override;
	std::string GetTypeName() const override { return "editbox"; }
	// The base update, then the cursor blink.
	void Update(float dt) override;

	const std::wstring& GetText() const { return m_text; }
	cTextVisual* GetTextVisual() const { return m_visual; }

private:
	void RefreshDisplay();
	void Backspace();
	void Type(const std::wstring& characters);
	// The font of the text visual can draw the character (any without a font).
	bool CanDraw(wchar_t character) const;
	void OnSound(std::string* name);
	void OnText(std::string* text);
	void GetTextUtf8(std::string* text);

	cResourceHandle m_sound;
	float m_blinkTimer = 0.0f;
	float m_repeatTimer = 0.0f;
	int m_maxLength = 22;
	cTextVisual* m_visual;
	std::wstring m_text;
	wchar_t m_cursor = L'_';
	bool m_cursorShown = false;
};
