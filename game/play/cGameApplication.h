#pragma once
// The game's frame work, driven by the application's frame loop. Built
// once the managers exist: it reads the game configuration "game_config"
// (texts, fonts, model cursors), starts the menu music and titles the
// window.

#include "engine/foundation/cApplicationHandler.h"
#include "engine/graphics/cDebugManager.h"
#include "engine/resources/cResourceHandle.h"

class cXmlNode;

class cGameApplication : public cApplicationHandler
{
public:
	cGameApplication();

	bool CanRun() override;
	bool Update(float dt) override;
	void Render() override;

	// Reads the XML resource "game_config": its root's children "texts",
	// "fonts" and "cursors", in document order; anything else is skipped.
	static void LoadGameConfig();

	// While the profile manager's cheat mode is on, F1 switches the
	// frame-rate overlay.
	bool IsOverlayShown() const { return m_overlayShown; }

private:
	static void LoadTexts(const cXmlNode& texts);
	static void LoadFonts(const cXmlNode& fonts);
	static void LoadCursors(const cXmlNode& cursors);

	// Destroyed in reverse: the menu music is released before the overlay goes.
	cDebugManager m_overlay;
	bool m_overlayShown = false;
	cResourceHandle m_menuMusic;
};
