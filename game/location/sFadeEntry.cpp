#include "game/location/sFadeEntry.h"

#include "engine/scene/cSceneObject.h"

#include <algorithm>

void sFadeEntry::Start(cSceneObject* target, bool in)
{
	object = target;
	fadeIn = in;
	timeLeft = Length;
	object->SetVisible(true);
	SetAlpha(fadeIn ? 0.0f : 1.0f);
}

bool sFadeEntry::Step(float dt)
{
	timeLeft -= dt;
	// The share of the fade still to go, from 1 down to 0.
	const float left = std::clamp(timeLeft / Length, 0.0f, 1.0f);
	SetAlpha(fadeIn ? 1.0f - left : left);
	return left == 0.0f;
}

void sFadeEntry::Finish()
{
	object->SetVisible(fadeIn);
	SetAlpha(fadeIn ? 1.0f : 0.0f);
}

void sFadeEntry::SetAlpha(float alpha)
{
	object->GetTransform().SetColor(1, 1, 1, alpha);
}
