#include "game/minigames/MinigameDial.h"

#include "engine/scene/cSceneObject.h"

#include <cmath>

namespace
{
const char* const kRotate = "rotate";
}

float Sign(float x)
{
	return float((x > 0) - (x < 0));
}

float TurnAbout(const cVector3d& centre, const cVector3d& from, const cVector3d& to)
{
	const cVector3d a(from.x - centre.x, from.y - centre.y, 0);
	const cVector3d b(to.x - centre.x, to.y - centre.y, 0);
	cVector3d normal;
	a.Cross(b, normal);
	return Sign(-normal.z) * b.AngleTo(a);
}

float WrapTurn(float position)
{
	if (position > 1)
		return std::fmod(position, 1.0f);
	if (position < 0)
		return 1 - std::fmod(-position, 1.0f);
	return position;
}

cVector3d WorldBoxCentre(cSceneObject& window, cSceneObject& object)
{
	window.UpdateTransforms(true, true);
	cTransformNode& transform = object.GetTransform();
	if (transform.IsWorldBoxDirty())
		transform.UpdateWorldBox();
	return transform.GetWorldBox().GetCenter();
}

void SeekRotate(cSceneObject& window, float position)
{
	window.GetAnimations().SeekByName(kRotate, position);
	window.GetMotions().SeekByName(kRotate, position * window.GetMotions().GetLengthByName(kRotate));
}

void RestClips(cSceneObject& window, const char* const* motions, int count)
{
	window.GetAnimations().PlayByName(kRotate);
	window.GetMotions().PlayByName(kRotate);
	for (int i = 0; i < count; ++i)
		window.GetMotions().PlayByName(motions[i]);
	window.GetAnimations().StopAll();
	window.GetMotions().StopAll();
}
