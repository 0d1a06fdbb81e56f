#pragma once
// The model instance the rest of the system holds and draws. Its dynamic
// vertex buffer survives device resets by itself, so the controller never
// joins the device-object list.

#include "engine/foundation/sColor.h"
#include "engine/graphics/cDirectXGraphicsObject.h"
#include "engine/graphics/cModelControllerBase.h"

class cModelController : public cDirectXGraphicsObject, public cModelControllerBase
{
public:
	cModelController() = default;
	explicit cModelController(const cModelHandle& model) : cModelControllerBase(model) {}
	cModelController(const cModelController& other) : cDirectXGraphicsObject(), cModelControllerBase(other) {}

	// Draws every material's triangles with the current world matrix in the
	// colour: through the device material with lighting on, else as the
	// texture factor. Nothing without a model.
	void Draw(const sColor& color);
};
