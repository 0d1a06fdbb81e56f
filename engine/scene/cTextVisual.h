#pragma once
// One UTF-16 text laid out with a font of the text drawer inside a text
// box, aligned, optionally cut with "...", and a typewriter that reports
// the text as an animation playing while its characters appear (two per
// step of 0.05 s). The whole text is drawn from the first frame; the
// typewriter only tells waiting code when the reveal is over.
//
// Binds "appear_text", "anim_text", "anim_restart" and "short_text" in the
// owner's properties; objects owning a text visual bind the text
// properties through BindTextProperties.

#include "engine/foundation/cDelegate.h"
#include "engine/graphics/sTextLayout.h"
#include "engine/scene/cVisual.h"

#include <string>
#include <vector>

class cPropertyMap;

class cTextVisual : public cVisual
{
public:
	// The text box starts as the device's viewport.
	explicit cTextVisual(cSceneObject* owner);

	// Binds "alignment", "text_id", "font_id" and "text" (UTF-8) of the
	// map to this visual. The text getter may be empty: writes only.
	void BindTextProperties(cPropertyMap& properties, const cDelegatePtr<std::string*>& textGetter);

	// Lays the text out when a font is set; a new text under anim_text
	// continues the reveal from where it was.
	void SetText(const std::wstring& text);
	// Two letters: "c" or "r" horizontally, then "c" or "t" vertically.
	void SetAlignment(const std::string& alignment);
	void SetFontId(int id);
	void SetTextId(const std::string& id);
	void RestartTyping();

	float GetAnimationLength() override { return 0.0f; }
	float GetAnimationTime() override { return 0.0f; }
	void PlayAnimation(const std::string&) override {}
	void ResumeAnimation() override {}
	void SetAnimationParam(const std::string&, int) override {}
	void SetAnimationTime(float) override {}
	void SeekAnimation(float) override {}
	void StopAnimation() override {}
	// The typewriter is revealing the text.
	bool IsAnimationPlaying() override;
	bool IsNamedAnimationPlaying(const std::string&) override { return false; }
	bool IsCurrentAnimation(const std::string&) override { return false; }
	const std::string& GetAnimationName() override { return m_name; }
	bool IsAnimationLooping() override { return false; }
	// The ray, as a segment, against the owner's local box; no hit point.
	bool HitTestPoint(const sRay& ray, cVector3d& hitPoint) override;
	bool HitTest(const sRay& ray) override;
	sTextLayout* GetTextLayout() override { return &m_layout; }
	const cMatrix& GetLocalMatrix() override { return m_textMatrix; }
	const cBoundingBox& GetLocalBox() override { return m_textBox; }
	// Draws the laid-out glyphs aligned in the text box.
	void Draw() override;
	// The typewriter step.
	void Update(float dt) override;
	void UpdateOwnerBox() override {}
	// The text box becomes the named model's box; the text is not laid out again.
	void SetModel(const std::string& name) override;
	void SetAnimatorParam(const std::string&, float) override {}
	void SetTextureOffset(float, float) override {}

	const std::wstring& GetText() const { return m_text; }
	int GetFontId() const { return m_fontId; }
	int GetAlignment() const { return m_alignment; }
	int GetShownCount() const { return m_shown; }
	int GetGlyphCount() const { return m_layout.vertexCount / 4; }
	size_t GetVertexCapacity() const { return m_vertices.size(); }

private:
	void Layout();
	void OnAnimRestart(bool*) { RestartTyping(); }
	void OnShortText(bool* on);
	void OnAlignment(std::string* text) { SetAlignment(*text); }
	void OnTextId(std::string* text) { SetTextId(*text); }
	void OnFontId(int* id) { SetFontId(*id); }
	void OnText(std::string* text);

	cBoundingBox m_textBox;
	cMatrix m_textMatrix;
	int m_fontId = -1;
	std::wstring m_text;
	std::vector<sTextVertex> m_vertices;
	sTextLayout m_layout;
	int m_alignment = 0;
	bool m_appearText = false;
	bool m_animText = false;
	int m_shown = 0;
	float m_typingTimer = 0.05f;
	bool m_shortText = false;
};
