#pragma once
// Dials turned by circling the cursor about their centre, as the lock's pin
// and the safe's handle are. A dial's position is a fraction of a turn, 0
// to 1; the window's clip "rotate" shows it.

#include "engine/foundation/cVector3d.h"

class cSceneObject;

// -1 for x < 0, 1 for x > 0, 0 otherwise.
float Sign(float x);
// The angle in radians by which the cursor turned about the centre in going
// from `from` to `to`, positive when clockwise on the screen. It is
// measured in the screen plane: the cursor lies on the camera's near plane,
// far in front of the dial, and that depth must not shrink the angle.
float TurnAbout(const cVector3d& centre, const cVector3d& from, const cVector3d& to);
// The position brought back into 0..1 after a turn.
float WrapTurn(float position);
// The centre of the object's world box, with the window's transforms and
// the box brought up to date first.
cVector3d WorldBoxCentre(cSceneObject& window, cSceneObject& object);
// The window's "rotate" shows the position: the animations at that
// fraction, the motions at that share of their length.
void SeekRotate(cSceneObject& window, float position);
// "rotate" and the further motions are made the current clips, then
// everything of the window stops: the clips rest at their start.
void RestClips(cSceneObject& window, const char* const* motions, int count);
