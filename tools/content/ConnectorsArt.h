#pragma once
// The demo's circuit minigame "connectors" in data/minigames/: a circuit
// board inside the minigame frame with 36 lamp sockets on a 6 by 6 grid,
// copper traces for the fixed links, dotted outlines where wires may lie,
// the start socket (green) and the goal socket (gold), lamps that glow
// when current reaches them, a tray of six copper wires (two horizontal,
// three diagonal, one vertical) and a "POWER" sign that lights when the
// goal is reached. The scene is in the list "connectors.resource".

class cContentTree;

// False, with a message on standard error, when anything failed.
bool WriteConnectorsContent(cContentTree& tree);
