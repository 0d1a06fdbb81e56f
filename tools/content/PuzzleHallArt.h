#pragma once
// The demo's "puzzle_hall" in data/locations/: a hall of labelled plinths,
// one for every minigame the minigame factory builds, each click opening
// its minigame through the scenario's "game"; and a door back to
// "location2" (the "map" of "command", then "location").

#include <string>

class cContentTree;
class cXmlNode;

// False, with a message on standard error, when anything failed. The
// labels are set in DejaVu Sans Bold from fontFolder.
bool WritePuzzleHallContent(cContentTree& tree, const std::string& fontFolder);

// Adds the section "puzzle_hall" of the objects' texts to the chapter.
void AddPuzzleHallTexts(cXmlNode& chapter);
