#include "engine/widgets/WidgetRules.h"

#include "engine/input/cInputManager.h"
#include "engine/scene/cSceneObject.h"
#include "engine/scene/cVisual.h"

namespace WidgetRules
{
bool MouseWentDown()
{
	return cInputManager::GetInstance()->IsPressed(cInputManager::kMouseSlot, cInputManager::kLeftButton);
}

bool MouseWentUp()
{
	return cInputManager::GetInstance()->IsReleased(cInputManager::kMouseSlot, cInputManager::kLeftButton);
}

bool MouseHeld()
{
	return cInputManager::GetInstance()->IsDown(cInputManager::kMouseSlot, cInputManager::kLeftButton);
}

bool HitsLocalBox(cSceneObject* object)
{
	return object->GetTransform().GetLocalBox().IntersectsSegment(object->GetLocalPickRay());
}

bool UpdateHover(cSceneObject* object, bool& hovered, bool& pressed)
{
	const bool hit = HitsLocalBox(object);
	if (hit == hovered)
		return false;
	hovered = hit;
	if (!hit)
		pressed = false;
	return true;
}

void UntickSiblings(cSceneObject* object, const char* property)
{
	if (cSceneObject* parent = object->GetParent())
		for (cSceneObject* sibling : parent->GetChildList().GetChildren())
			if (sibling != object)
				sibling->GetProperties().SetProperty(property, "false");
}

void ShowCheckFrame(cVisual* visual, bool ticked, bool enabled, bool pressed, bool hovered)
{
	struct sFrame
	{
		float u;
		float v;
	};
	// Disabled, pressed, hovered, otherwise; unticked then ticked.
	static const sFrame kFrames[2][4] = {
		{ { 0.5f, 0.5f }, { 0.5f, 0.0f }, { 0.25f, 0.0f }, { 0.0f, 0.0f } },
		{ { 0.75f, 0.5f }, { 0.25f, 0.5f }, { 0.0f, 0.5f }, { 0.75f, 0.0f } },
	};
	const int state = !enabled ? 0 : pressed ? 1 : hovered ? 2 : 3;
	const sFrame& frame = kFrames[ticked ? 1 : 0][state];
	visual->SetTextureOffset(frame.u, frame.v);
}
}
