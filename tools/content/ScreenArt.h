#pragma once
// The demo's in-game screens, in data/screens/: the two-part comic
// "comic_intro" with its prompt, the short movie "credits" (also the
// credits of the main menu), the help dialog "window_help" with its three
// arrows and a ring around the place it points at, and the diary page
// "diary" with a map of two places, their labels and texts, the notes of
// its loading mode and the reveal of a new place. Also the hover markers'
// particles "gamepanel.p_selection" and the map music "track07map".

#include "PanelArt.h"

#include <string>
#include <utility>
#include <vector>

// The quads of the screens; each model and texture shares its name.
std::vector<sPanelPicture> DrawScreenPictures();
// The motion resources of the screens: name and bytes.
std::vector<std::pair<std::string, std::string>> MakeScreenMotions();
// The resource list of the four scenes.
std::string ScreenScenesXml();
// The glow of the hovered marker: program "start", looping.
sParticleSystemDesc MakeSelectionParticles();
// A calm plucked tune of 8 s that loops; one vector of samples per channel.
std::vector<std::vector<float>> ComposeMapMusic(long rate);

// The screens' texts: section (in chapter "default"), name, English text.
extern const char* const kScreenTexts[][3];
extern const size_t kScreenTextCount;
