#pragma once
// The demo's board minigames in data/minigames/: "faces" (eight carved
// heads on a stone board; lit cells and golden rays show which heads see
// each other, and a lonely head smiles) and "device" (the brass parts of a
// machine scattered over a blueprint that shows each part's outline where
// it belongs), each inside the minigame frame, with their sounds and the
// description texts "minigame\<name>" of these and of the ring minigames,
// which it writes too (RingMinigameArt.h). The scenes are in the list
// "boards.resource".

#include <cstddef>

class cContentTree;

// The description texts: minigame name and text.
extern const char* const kPuzzleMinigameTexts[][2];
extern const size_t kPuzzleMinigameTextCount;

// False, with a message on standard error, when anything failed.
bool WritePuzzleMinigameContent(cContentTree& tree);
