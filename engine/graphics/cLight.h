#pragma once
// One Direct3D light. While enabled it holds one of the device's first four
// light slots; slots are handed out as a stack, so a newly enabled light
// takes the number equal to the count of lights holding one.

#include "engine/foundation/cMatrix.h"
#include "engine/foundation/sColor.h"
#include "engine/graphics/cDirectXGraphicsObject.h"
#include "platform/d3d9/D3D9.h"

class cLight : public cDirectXGraphicsObject
{
public:
	// A white point light at the origin with range 1000 and constant
	// attenuation 1.
	cLight();
	// Gives its slot back.
	~cLight() override;

	void SetDiffuse(const sColor& color) { m_light.Diffuse = color; }
	void SetAmbient(const sColor& color) { m_light.Ambient = color; }
	void SetSpecular(const sColor& color) { m_light.Specular = color; }
	// Position from the translation row, direction from the z axis row.
	void SetTransform(const cMatrix& transform);
	// 0 point, 1 spot, anything else directional.
	void SetType(int type);

	// Takes a slot unless all four are taken (the light then stays dark),
	// and sets the light on the device.
	void Enable();
	// Switches the slot off on the device and gives it back.
	void Disable();

	int GetSlot() const { return m_slot; }
	const D3DLIGHT9& GetLight() const { return m_light; }

private:
	int m_slot = -1;
	D3DLIGHT9 m_light;
};
