#include "game/screens/cGameOptionsMenu.h"

#include "engine/foundation/cConfig.h"
#include "engine/foundation/cWin32Application.h"
#include "engine/graphics/cGraphics.h"
#include "engine/input/cCursorManager.h"
#include "game/screens/ScreenPlacement.h"
#include "platform/win32/Win32Window.h"

#include <cstdio>
#include <cstdlib>

namespace
{
const float kDepth = -1000;

const std::string& Setting(const char* key)
{
	return cConfig::GetInstance()->GetValue(key);
}

bool IsLowQualitySetting()
{
	return std::atoi(Setting("video.width").c_str()) == 800 && std::atoi(Setting("video.height").c_str()) == 600;
}

std::string FormatFloat(float value)
{
	char text[64];
	std::snprintf(text, sizeof text, "%f", value);
	return text;
}

bool IsChecked(cSceneObject* checkBox)
{
	return checkBox && IsTrueText(checkBox->GetProperties().GetProperty("checked"));
}

void ResetDevice()
{
	cGraphics* graphics = cGraphics::GetInstance();
	graphics->ResetDevice(graphics->GetRequestedSettings());
}
}

cGameOptionsMenu::cGameOptionsMenu(const std::string& sceneName) : cGameDialog("Options Menu", nullptr, false)
{
	for (const char* event : {"back_to_mmenu", "help", "close"})
		GetEvents()[event];
	if (SceneExists(sceneName))
		BuildScreenScene(sceneName, *this);
	GetAnimations().SetLoopByName("working", true);
	const struct
	{
		const char* path;
		const char* event;
		void (cGameOptionsMenu::*handler)(cSceneObject*);
	} bindings[] = {
		{"window_options/sound", "on_change", &cGameOptionsMenu::OnSoundChange},
		{"window_options/music", "on_change", &cGameOptionsMenu::OnMusicChange},
		{"window_options/fullscreen", "on_click", &cGameOptionsMenu::OnFullscreenClick},
		{"window_options/help", "on_click", &cGameOptionsMenu::OnHelpClick},
		{"window_options/to_main_menu", "on_click", &cGameOptionsMenu::OnMainMenuClick},
		{"window_options/low_quality", "on_click", &cGameOptionsMenu::OnLowQualityClick},
		{"window_options/close", "on_click", &cGameOptionsMenu::OnCloseClick},
	};
	for (const auto& binding : bindings)
		BindChildEvent(binding.path, binding.event, tEvent(MakeMemberDelegate(this, binding.handler)));
	QueueUnderCamera(*this);
}

cSceneObject* cGameOptionsMenu::FindControl(const char* name)
{
	return GetChildList().FindByPath(std::string("window_options/") + name);
}

void cGameOptionsMenu::SetVolumeSlider(const char* name, const char* setting)
{
	if (cSceneObject* slider = FindControl(name))
		slider->GetProperties().SetProperty("cur", FormatFloat(float(std::atof(Setting(setting).c_str())) * 100));
}

void cGameOptionsMenu::Show()
{
	cGameDialog::Show();
	if (cSceneObject* fullScreen = FindControl("fullscreen"))
		fullScreen->GetProperties().SetProperty("checked", IsTrueText(Setting("video.window")) ? "false" : "true");
	if (cSceneObject* lowQuality = FindControl("low_quality"))
	{
		const std::string text = IsLowQualitySetting() ? "true" : "false";
		if (lowQuality->GetProperties().GetProperty("checked") != text)
			lowQuality->GetProperties().SetProperty("checked", text);
	}
	SetVolumeSlider("music", "music_volume");
	SetVolumeSlider("sound", "sound_volume");
	PlaceAtDepth(*this, kDepth);
}

void cGameOptionsMenu::StoreVolume(cSceneObject* slider, const char* setting)
{
	if (!slider)
		return;
	const float value = float(std::atof(slider->GetProperties().GetProperty("cur").c_str())) / 100;
	cConfig::GetInstance()->SetValue(setting, FormatFloat(value));
}

void cGameOptionsMenu::OnSoundChange(cSceneObject* slider)
{
	StoreVolume(slider, "sound_volume");
}

void cGameOptionsMenu::OnMusicChange(cSceneObject* slider)
{
	StoreVolume(slider, "music_volume");
}

void cGameOptionsMenu::OnFullscreenClick(cSceneObject* checkBox)
{
	const bool windowed = IsTrueText(Setting("video.window"));
	const bool ticked = IsChecked(checkBox);
	if (windowed == !ticked)
		return;
	cConfig::GetInstance()->SetValue("video.window", ticked ? "false" : "true");
	ResetDevice();
}

void cGameOptionsMenu::OnLowQualityClick(cSceneObject* checkBox)
{
	const bool ticked = IsChecked(checkBox);
	if (IsLowQualitySetting() == ticked)
		return;
	cGraphics* graphics = cGraphics::GetInstance();
	graphics->SetTextureQuality(!ticked);
	// A window is hidden while its size changes, so that it never shows a
	// frame of the old size stretched.
	const bool windowed = graphics->GetRequestedSettings().windowed;
	HWND window = cWin32Application::GetInstance()->GetWindowHandle();
	if (windowed)
		ShowWindow(window, SW_HIDE);
	cConfig* config = cConfig::GetInstance();
	config->SetValue("video.width", ticked ? "800" : "1024");
	config->SetValue("video.height", ticked ? "600" : "768");
	ResetDevice();
	cCursorManager::GetInstance()->SetHardwareCursor(ticked);
	if (windowed)
		ShowWindow(window, SW_SHOW);
}

void cGameOptionsMenu::OnHelpClick(cSceneObject*)
{
	FireEvent("help");
}

void cGameOptionsMenu::OnMainMenuClick(cSceneObject*)
{
	FireEvent("back_to_mmenu");
}

void cGameOptionsMenu::OnCloseClick(cSceneObject*)
{
	Hide();
	FireEvent("close");
}
