#pragma once
// The game's frame work, driven by the application's frame loop.

#include "engine/foundation/cApplicationHandler.h"
#include "engine/graphics/cDebugManager.h"

class cGameApplication : public cApplicationHandler
{
public:
	cGameApplication();

	bool CanRun() override;
	bool Update(float dt) override;
	void Render() override;

	// While the profile manager's cheat mode is on, F1 switches the
	// frame-rate overlay.
	bool IsOverlayShown() const { return m_overlayShown; }

private:
	cDebugManager m_overlay;
	bool m_overlayShown = false;
};
