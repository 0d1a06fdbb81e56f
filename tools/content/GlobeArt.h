#pragma once
// The demo's globe minigame "globe" in data/minigames/: a globe seen from
// above on its stand, eight labelled animal tags on its top, a brass
// ruler across it holding a nail, and four signs that name the next animal
// to pin. The top turns when dragged sideways ("globroot1", 2 s a turn),
// the ruler slides when dragged up or down ("rule_on"), the nail goes in
// and out ("nail_miss") or stays in ("nail_hit"), the signs fade in and
// out, and the top fades away ("globopen") to show the key inside. The
// sound "roll" rumbles after each good strike; "button_click" and "keys"
// are the panel's and the puzzles'. The scene is in "globe.resource".

#include <string>

class cContentTree;

// False, with a message on standard error, when anything failed.
bool WriteGlobeContent(cContentTree& tree, const std::string& fontFolder);
