#pragma once
// Helpers the in-game screens share to place and fill themselves.

#include <string>

class cSceneObject;

// Keeps the object's world placement and moves it to the depth z.
void PlaceAtDepth(cSceneObject& object, float z);

// Builds the scene of the name into the window; a missing scene is logged
// and leaves the window as it is (false).
bool BuildScreenScene(const std::string& sceneName, cSceneObject& window);

// Plays the motion and the animation of the name on the subtree.
void PlayClips(cSceneObject& object, const std::string& name);
// Stops the motion and the animation of the name on the subtree.
void StopClips(cSceneObject& object, const std::string& name);
// Whether the motion or the animation of the name plays in the subtree.
bool IsPlayingClips(const cSceneObject& object, const std::string& name);
