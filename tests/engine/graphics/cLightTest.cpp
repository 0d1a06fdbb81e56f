// Lights share the device's first four slots as a stack; depth-stencil
// buffers survive a device reset; the overlay's rate measurement.

#include "GraphicsTestSupport.h"

#include "engine/graphics/cDebugManager.h"
#include "engine/graphics/cLight.h"
#include "engine/graphics/cStencilBuffer.h"

namespace
{
BOOL DeviceLightEnabled(int slot)
{
	BOOL enabled = FALSE;
	cGraphics::GetDevice()->GetLightEnable(DWORD(slot), &enabled);
	return enabled;
}
}

TEST(Light, SlotsAreHandedOutAsAStackOfFour)
{
	StartGraphics();
	cLight lights[5];
	for (int index = 0; index < 4; ++index)
	{
		lights[index].Enable();
		EXPECT_EQ(lights[index].GetSlot(), index);
	}
	lights[4].Enable();
	EXPECT_EQ(lights[4].GetSlot(), -1) << "the fifth stays dark";
	EXPECT_FALSE(DeviceLightEnabled(4));

	lights[3].Disable();
	EXPECT_FALSE(DeviceLightEnabled(3));
	lights[4].SetType(7);
	lights[4].Enable();
	EXPECT_EQ(lights[4].GetSlot(), 3);
	D3DLIGHT9 onDevice {};
	cGraphics::GetDevice()->GetLight(3, &onDevice);
	EXPECT_EQ(onDevice.Type, D3DLIGHT_DIRECTIONAL);
	EXPECT_TRUE(DeviceLightEnabled(3));

	// Disabling out of order: the next light takes the slot number equal
	// to the count, which another light still holds.
	lights[0].Disable();
	cLight late;
	late.Enable();
	EXPECT_EQ(late.GetSlot(), 3);
	EXPECT_EQ(lights[4].GetSlot(), 3);
	for (cLight& light : lights)
		light.Disable();
	late.Disable();
	EXPECT_EQ(GraphicsDeviceState().enabledLightCount, 0);
}

TEST(Light, DefaultsTransformAndTypes)
{
	cLight light;
	const D3DLIGHT9& l = light.GetLight();
	EXPECT_EQ(l.Type, D3DLIGHT_POINT);
	EXPECT_EQ(l.Range, 1000.0f);
	EXPECT_EQ(l.Attenuation0, 1.0f);
	EXPECT_EQ(l.Attenuation1, 0.0f);
	EXPECT_EQ(l.Diffuse.a, 1.0f);
	cMatrix placement;
	placement.MakeTranslation(cVector3d(1, 2, 3));
	placement._31 = 0.5f;
	light.SetTransform(placement);
	EXPECT_EQ(light.GetLight().Position.z, 3.0f);
	EXPECT_EQ(light.GetLight().Direction.x, 0.5f);
	EXPECT_EQ(light.GetLight().Direction.z, 1.0f);
	light.SetType(1);
	EXPECT_EQ(light.GetLight().Type, D3DLIGHT_SPOT);
	light.SetType(0);
	EXPECT_EQ(light.GetLight().Type, D3DLIGHT_POINT);
	EXPECT_EQ(light.GetSlot(), -1);
}

TEST(StencilBuffer, KeepsTheDepthBufferShapeAcrossAReset)
{
	cGraphics* graphics = StartGraphics(320, 240);
	cStencilBuffer stencil;
	ASSERT_NE(stencil.GetSurface(), nullptr);
	EXPECT_TRUE(cDirectXGraphicsObject::IsDeviceObject(&stencil));
	D3DSURFACE_DESC desc {};
	stencil.GetSurface()->GetDesc(&desc);
	EXPECT_EQ(desc.Width, 320u);
	EXPECT_EQ(desc.Format, D3DFMT_D24S8);

	EXPECT_TRUE(graphics->ResetDevice(Windowed(640, 480)));
	ASSERT_NE(stencil.GetSurface(), nullptr) << "re-created after the reset";
	stencil.GetSurface()->GetDesc(&desc);
	EXPECT_EQ(desc.Width, 320u) << "with its stored size";

	graphics->BeginScene();
	cStencilBuffer::Clear();
	graphics->EndScene();
}

TEST(DebugManager, MeasuresTheDrawnFramesOnceASecond)
{
	StartGraphics();
	cDebugManager overlay(1024, 768, 1, 2000, cVector3d(0, 0, 0));
	Singletone<cGraphics>::GetInstance()->BeginScene();
	for (int frame = 0; frame < 30; ++frame)
		overlay.Draw();
	Singletone<cGraphics>::GetInstance()->EndScene();
	overlay.Update(0.75f);
	EXPECT_EQ(overlay.GetFramesPerSecond(), 0.0f);
	overlay.Update(0.5f);
	EXPECT_FLOAT_EQ(overlay.GetFramesPerSecond(), 24.0f);
	EXPECT_EQ(overlay.GetFrameCount(), 0);

	// Hidden: nothing is drawn, so the next full second measures 0.
	overlay.Update(1.0f);
	EXPECT_EQ(overlay.GetFramesPerSecond(), 0.0f);
	EXPECT_TRUE(Singletone<cGraphics>::GetInstance()->GetDepthTest()) << "the depth test comes back";
}
