#pragma once
// The engine's one text renderer: widgets, the game panel, the cursor and
// the debug overlay draw their text through it. Text is drawn through the
// current world, view and projection of the graphics device, so the same
// quads serve screen text and text placed in a scene.

#include "engine/foundation/Singletone.h"
#include "engine/graphics/cDirectXGraphicsObject.h"
#include "engine/graphics/cGraphicsTextBase.h"

class cGraphicsText : public Singletone<cGraphicsText>, public cDirectXGraphicsObject, public cGraphicsTextBase
{
public:
	// Draws the text vertex buffer's quads through the shared quad index
	// buffer, the bound texture modulated by the colour (texture factor),
	// with linear filtering when the device's filter is none and the
	// texture stages 1 to 7 off.
	void Render(const sColor& color) override;
};
