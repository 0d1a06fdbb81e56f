#pragma once
// The demo's mechanism minigames in data/minigames/, each inside the
// minigame frame: "lock" (a hairpin to be turned by circling the mouse
// about it and a lock cylinder to be clicked), "safe" (a dial of the
// letters A to H about a handle, and the note with the letters to set in
// order), "phone" (a telephone whose keys push in) and "periscope" (a sea
// chart seen through an eyepiece, steered along the numbered buoys with
// arrow buttons while a lamp tells whether the course is right), with their
// sounds and the description texts "minigame\<name>". The scenes are in the
// list "mechanisms.resource".

#include <cstddef>
#include <string>

class cContentTree;

// The description texts: minigame name and text.
extern const char* const kMechanismTexts[][2];
extern const size_t kMechanismTextCount;

// False, with a message on standard error, when anything failed.
bool WriteMechanismContent(cContentTree& tree, const std::string& fontFolder);
