#pragma once
// The demo's colour puzzle "triangles" in data/minigames/: a stone board
// inside the minigame frame holding one big triangle made of 16 turning
// stone triangles, each with a dim coloured gem near every corner, and 12
// fixed gems around its edge. A gem shines when the gem it touches has its
// colour; the colours are dealt so that the board can be solved. Each
// triangle turns by a third ("rotation0" to "rotation2") with the sound
// "stone_take". The scene is in the list "triangles.resource".

class cContentTree;

// False, with a message on standard error, when anything failed.
bool WriteTrianglesContent(cContentTree& tree);
