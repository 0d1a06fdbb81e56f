#pragma once
// The demo's hand-skill minigames in data/minigames/, each inside the
// minigame frame: "fan" (a red magnet to be steered between the pipes of a
// vent to the golden key, the vents humming), "fingers" (a hand with four
// red outlines where the loose fingers, each of its own length, belong),
// "glass" (a pane of nine square rings to be broken from the outside in,
// the key behind it) and "key" (a dirty key to be rubbed clean with the
// cloth while a lamp lights up with the cleanness), with their sounds and
// the description texts "minigame\<name>". The scenes are in the list
// "dexterity.resource".

#include <cstddef>

class cContentTree;

// The description texts: minigame name and text.
extern const char* const kDexterityTexts[][2];
extern const size_t kDexterityTextCount;

// False, with a message on standard error, when anything failed.
bool WriteDexterityContent(cContentTree& tree);
