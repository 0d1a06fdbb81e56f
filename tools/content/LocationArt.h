#pragma once
// The demo's first location, "location1", in data/locations/: a drawn room
// (a wall with a window and a painting, a floor, a door, a table with a
// lamp, a shelf, a box and a chest, each clickable thing labelled), five
// hidden objects of which a cup and a mug show the same text "Cup", the
// keeper who sits or stands (a character set of two poses that blink),
// the scenario that starts with "startup", three ambient sounds, the
// ticking clock that loops and the found sound "i_spy".

#include <string>

class cContentTree;
class cXmlNode;

// False, with a message on standard error, when anything failed. The
// labels are set in DejaVu Sans from fontFolder.
bool WriteLocationContent(cContentTree& tree, const std::string& fontFolder);

// Adds the section "location1" of the objects' texts to the chapter.
void AddLocationTexts(cXmlNode& chapter);
