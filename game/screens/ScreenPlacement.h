#pragma once
// Helpers the in-game screens share to place and fill themselves.

#include <string>

class cSceneObject;

// Keeps the object's world placement and moves it to the depth z.
void PlaceAtDepth(cSceneObject& object, float z);

// Builds the scene of the name into the window; a missing scene is logged
// and leaves the window as it is (false).
bool BuildScreenScene(const std::string& sceneName, cSceneObject& window);

// Whether the scene resource of the name exists; nothing is loaded or logged.
bool SceneExists(const std::string& sceneName);
// Posts the window under the scene's default camera object, under the
// scene's lock; the next update hangs it there. Any thread.
void QueueUnderCamera(cSceneObject& window);
// A setting or property text that counts as true: "1" or "true".
bool IsTrueText(const std::string& text);

// Plays the motion and the animation of the name on the subtree.
void PlayClips(cSceneObject& object, const std::string& name);
// Stops the motion and the animation of the name on the subtree.
void StopClips(cSceneObject& object, const std::string& name);
// Whether the motion or the animation of the name plays in the subtree.
bool IsPlayingClips(const cSceneObject& object, const std::string& name);
