#pragma once
// The options window "Options Menu": the sound and music volumes through
// the sliders "window_options/sound" and "window_options/music", and the
// display mode through the check boxes "window_options/fullscreen" and
// "window_options/low_quality" (exactly 800 by 600), whose changes reset
// the graphics device at once. Every change is written to the settings
// store at once; every Show reads the controls back from it. The buttons
// fire "back_to_mmenu", "help" and, after the window has started hiding,
// "close", each with the window, for the owner to bind.

#include "engine/windows/cGameDialog.h"

class cGameOptionsMenu : public cGameDialog
{
public:
	// Builds the scene of the name (a missing one leaves the window empty)
	// and posts the window under the default camera object.
	explicit cGameOptionsMenu(const std::string& sceneName);

	// Shows the window at z -1000 with the controls set from the settings.
	// A scene without a slider or check box skips that control.
	void Show() override;

	void OnSoundChange(cSceneObject* slider);
	void OnMusicChange(cSceneObject* slider);
	void OnFullscreenClick(cSceneObject* checkBox);
	void OnLowQualityClick(cSceneObject* checkBox);
	void OnHelpClick(cSceneObject* button);
	void OnMainMenuClick(cSceneObject* button);
	void OnCloseClick(cSceneObject* button);

private:
	cSceneObject* FindControl(const char* name);
	void SetVolumeSlider(const char* name, const char* setting);
	static void StoreVolume(cSceneObject* slider, const char* setting);
};
