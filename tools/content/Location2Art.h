#pragma once
// The demo's second location, "location2", in data/locations/: a study
// reached from "location1" (a wall of shelves, a desk, a cabinet whose
// close-up "location2_closeup" opens over the room, a magnifier that starts
// a hidden-object search of its own, and two labelled exits, back to
// "location1" and on to "puzzle_hall", each through the map), its two
// ambient sounds, and the scenarios of the room and the close-up.

#include <string>

class cContentTree;
class cXmlNode;

// False, with a message on standard error, when anything failed. The
// labels are set in DejaVu Sans Bold from fontFolder.
bool WriteLocation2Content(cContentTree& tree, const std::string& fontFolder);

// Adds the sections "location2" and "location2_closeup" of the objects'
// texts to the chapter.
void AddLocation2Texts(cXmlNode& chapter);
