#pragma once
// The left mouse button and the pointer as the minigames read them: a
// button that went down or came up at the latest poll, or is held, and the
// scene's pick ray over an object's own visual.

class cSceneObject;

bool IsLeftPressed();
bool IsLeftReleased();
bool IsLeftDown();
// The pick ray, brought into the object's space, hits its own visual.
bool IsPointedAt(cSceneObject& object);
