#pragma once
// The demo's ring minigames in data/minigames/: "picture" (a landscape
// painting cut into three rings of curved pieces that turn into each
// other's places) and "tower" (eight coloured balls on a round board whose
// goal sockets are ringed in the colour they want, with a turning wheel of
// four gates around it), each inside the minigame frame, with their
// sounds. The scenes are in the list "rings.resource".

class cContentTree;

// False, with a message on standard error, when anything failed.
bool WriteRingMinigameContent(cContentTree& tree);
