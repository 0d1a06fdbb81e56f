#pragma once
// What the widgets share: the left mouse button's changes in this frame,
// the hit test of an object's local box against its local pick ray, the
// hover step, exclusive sibling groups, and the 4 x 2 atlas frames of check boxes and radio buttons.

class cSceneObject;
class cVisual;

namespace WidgetRules
{
// The left mouse button went down (or up) at the latest poll.
bool MouseWentDown();
bool MouseWentUp();
bool MouseHeld();

// The object's local box meets its local pick ray taken as a segment.
bool HitsLocalBox(cSceneObject* object);

// hovered := the hit test; leaving clears pressed. True when hovered changed.
bool UpdateHover(cSceneObject* object, bool& hovered, bool& pressed);

// Writes "false" to the property of every sibling of the object: the
// exclusive groups of radio buttons and menu items.
void UntickSiblings(cSceneObject* object, const char* property);

// Picks the frame of the check atlas (unticked frames in the first row and
// the left of the second, ticked ones after them) for the state.
void ShowCheckFrame(cVisual* visual, bool ticked, bool enabled, bool pressed, bool hovered);
}
