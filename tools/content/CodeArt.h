#pragma once
// The demo's code locks and keypads in data/minigames/: the scenes "bag",
// "code_enter1", "code_enter2", "l6_box", "terminal", "l10_terminal" and
// "computer" (in the list "codes.resource"), each inside the common frame
// with its clue painted in the scene, the motions of its wheels, keys and
// lamps, and the sounds "roll", "click" and "bip". The description texts
// and the computer's words are in kCodeTexts.

#include <cstddef>
#include <string>

class cContentTree;

// fontFolder holds the DejaVu typefaces the labels are painted with.
// False, with a message on standard error, when anything failed.
bool WriteCodeContent(cContentTree& tree, const std::string& fontFolder);

// Phrases of the texts' group "minigame" and their English texts.
extern const char* const kCodeTexts[][2];
extern const size_t kCodeTextCount;
