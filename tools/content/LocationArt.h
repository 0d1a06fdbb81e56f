#pragma once
// The demo's first location, "location1", in data/locations/: a drawn room
// (a wall with a window and a painting, a floor, a door, a table with a
// lamp, a shelf, a box and a chest, each clickable thing labelled), five
// hidden objects of which a cup and a mug show the same text "Cup", the
// keeper who sits or stands (a character set of two poses that blink),
// the scenario that starts with "startup", three ambient sounds, the
// ticking clock that loops and the found sound "i_spy".
//
// The story: the box opened by a click gives the brass key, the key opens
// the door with a creak, the hidden things are searched for, the fingers
// puzzle beyond the door opens the way on to the music "location1_music",
// and the way on leads through the map to "location2". The keeper's hints
// change as the player gets on; the aims follow each step.

#include <string>

class cContentTree;
class cXmlNode;

// False, with a message on standard error, when anything failed. The
// labels are set in DejaVu Sans from fontFolder.
bool WriteLocationContent(cContentTree& tree, const std::string& fontFolder);

// Adds the section "location1" of the objects' texts to the chapter.
void AddLocationTexts(cXmlNode& chapter);
// Adds the story's aims (chapter "aims" under texts), the key's slot text
// to the inventory section and the hint parts to the dialogue "location1".
void AddLocationStory(cXmlNode& texts, cXmlNode& inventory, cXmlNode& dialog);
