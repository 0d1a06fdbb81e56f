#pragma once
// The digit display of the keypads: one display object per character.

#include <string>
#include <vector>

class cSceneObject;

// The display objects show entered followed by fill up to length
// characters, one character each in their "text"; characters beyond the
// display objects are not written.
void ShowOnDisplay(const std::vector<cSceneObject*>& displays, const std::string& entered, size_t length, char fill);
