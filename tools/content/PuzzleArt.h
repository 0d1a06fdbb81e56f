#pragma once
// The demo's platens, tube, hammer, wire and statue minigames in
// data/minigames/: each scene ("platens", "tube", "hammer", "wire",
// "statue", in the list "puzzles.resource") drawn inside the common
// frame, with labels painted on the pieces, the motions that move them,
// and their sounds. The description texts are in kPuzzleTexts.

#include <cstddef>
#include <string>

class cContentTree;

// fontFolder holds the DejaVu typefaces the labels are painted with.
// False, with a message on standard error, when anything failed.
bool WritePuzzleContent(cContentTree& tree, const std::string& fontFolder);

// The minigames' descriptions: the phrase (the minigame's name) of the
// texts' group "minigame", and the English text.
extern const char* const kPuzzleTexts[][2];
extern const size_t kPuzzleTextCount;
