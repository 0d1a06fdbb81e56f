#pragma once
// The demo's front end in data/frontend/: the two start-up logos
// "gorsim_logo" and "druvels_logo" (each fades in, holds and fades out by
// itself), the loading window "game_loading" with its progress bar (the
// clip "loading"), the page effect "page_rotate" the windows hang in, the
// main menu "mainmenu" with its appear decoration "main_menu_appear", the
// options windows "options" and "in_game_options", the profile window
// "profile_menu", and the global boxes "mb_ok", "mb_yn" and "edit_box".
// Every button carries its label in its picture. Also the menus' sounds
// ("menu_appear", "mainmenuappear", "journal_page", "game_start") and
// texts.

#include <cstddef>
#include <string>

class cContentTree;

// False, with a message on standard error, when a part cannot be made.
bool WriteFrontEndContent(cContentTree& tree, const std::string& fontFolder);

// The front end's texts (chapter and section "default"): name and text.
extern const char* const kFrontEndTexts[][2];
extern const size_t kFrontEndTextCount;
