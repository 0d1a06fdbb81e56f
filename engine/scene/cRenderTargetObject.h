#pragma once
// Type "render_target": while its visual's animation plays (and "force" is
// on) the object draws its whole subtree into a render-target texture
// cleared to "fill_color", then draws that picture as one, so that the
// subtree fades or moves as a single image. The subtree is then left out
// of the scene's own draw queue. Otherwise it and its subtree draw as any
// other objects do.
//
// "fill_color" is written in hexadecimal (as scene files give it) and
// reads back as an unsigned decimal number.

#include "engine/scene/cSceneObject.h"

#include "platform/d3d9/D3D9.h"

class cRenderTargetVisual;

class cRenderTargetObject : public cSceneObject
{
public:
	cRenderTargetObject(const std::string& name, cSceneObject* parent);
	static cSceneObject* Create(const std::string& name, cSceneObject* parent);

	std::string GetTypeName() const override { return "render_target"; }
	void CollectDraw(std::vector<sDrawEntry>& queue, cCamera*& camera) override;
	// Draws the captured subtree while active.
	void DrawSelf() override;
	// The subtree updates in the parent's colours; the object's own colour
	// goes to the visual, which applies it once to the picture. Render
	// targets the subtree pushed in its update (post effects) are popped
	// again while active and pushed anew when the picture is drawn.
	void Update(float dt) override;

	// Capturing: force is on and the visual's animation plays.
	bool IsActive() const;
	cRenderTargetVisual* GetRenderTargetVisual() const { return m_visual; }
	D3DCOLOR GetFillColor() const { return m_fillColor; }

private:
	void GetFillColorText(std::string* text);
	void SetFillColorText(std::string* text);

	cRenderTargetVisual* m_visual;
	std::vector<sDrawEntry> m_queue;
	int m_pushedCount = 0;
	bool m_force = true;
	bool m_collecting = false;
	D3DCOLOR m_fillColor = 0x303030;
};
