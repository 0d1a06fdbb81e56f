#pragma once
// The demo's light-path minigame "skull" in data/minigames/: a dark board
// inside the minigame frame with four lasers (blue, red, green, yellow),
// the receiver of each colour drawn as a ring of that colour, a skull in
// the middle that stops every beam, eight sockets, and a tray of five
// pieces: four mirrors, each with an arrow showing where it sends a beam,
// and a stone that stops one. "skull_config" gives the mirrors' rules,
// "connect" sounds when a piece is put in or taken out. The scene is in
// the list "skull.resource".

class cContentTree;

// False, with a message on standard error, when anything failed.
bool WriteSkullContent(cContentTree& tree);
