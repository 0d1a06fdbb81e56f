#pragma once
// Pieces of a minigame's scene as the dexterity puzzles use them: required
// children, boxes in the screen plane, and the cursor's point.

#include "engine/foundation/cBoundingBox.h"

#include <string>

class cMinigame;
class cSceneObject;

// The child of the name; a missing one is logged, and the caller skips
// whatever needs it.
cSceneObject* FindRequiredChild(cSceneObject& window, const std::string& name);
// The object's world box, brought up to date, with z from 0 to 1.
cBoundingBox ScreenBoxOf(cSceneObject& object);
// Clips the minigame's camera to the screen box of its child of the name,
// when there is one. Gives that box, or an empty one.
cBoundingBox ClipToChild(cMinigame& game, const std::string& name);
// Clips the minigame's camera to the object's screen box and gives the box.
cBoundingBox ClipCameraTo(cMinigame& game, cSceneObject& object);
// The scene's pick ray origin in world space: the cursor on the near plane.
cVector3d PickOrigin();
