// Cameras: where their projections put the logical screen, what applying one
// sets on the device, the clip box drawn for real, and pick rays.

#include "GraphicsTestSupport.h"

#include <cmath>
#include <memory>

namespace
{
// Clip-space position divided by w.
cVector3d Project(const cVector3d& point, const cMatrix& viewProjection)
{
	D3DXVECTOR4 clip;
	D3DXVec3Transform(&clip, &point, &viewProjection);
	return cVector3d(clip.x / clip.w, clip.y / clip.w, clip.z / clip.w);
}

// Distance of a point from the line of a ray.
float DistanceFromRay(const cVector3d& point, const sRay& ray)
{
	cVector3d cross;
	(point - ray.origin).Cross(ray.direction, cross);
	return cross.Length() / ray.direction.Length();
}
}

TEST(cCamera, OrthoCameraMapsTheLogicalScreenOntoTheViewport)
{
	cCamera camera;
	SetScreenCamera(camera);
	const cMatrix viewProjection = camera.GetView() * camera.GetProjection();
	const float depth = (1800.0f - 1.0f) / (2000.0f - 1.0f);
	cVector3d bottomLeft = Project(cVector3d(0, 0, 0), viewProjection);
	EXPECT_NEAR(bottomLeft.x, -1.0f, 1e-5f);
	EXPECT_NEAR(bottomLeft.y, -1.0f, 1e-5f);
	EXPECT_NEAR(bottomLeft.z, depth, 1e-5f);
	cVector3d topRight = Project(cVector3d(1024, 768, 0), viewProjection);
	EXPECT_NEAR(topRight.x, 1.0f, 1e-5f);
	EXPECT_NEAR(topRight.y, 1.0f, 1e-5f);
	EXPECT_NEAR(topRight.z, depth, 1e-5f);
	// The frustum follows the setters: the screen's centre is inside, a point left of it is not.
	const cPlane& left = camera.GetFrustum().GetPlane(cFrustum::PLANE_LEFT);
	EXPECT_GT(left.a * 512 + left.b * 384 + left.d, 0.0f);
	EXPECT_LT(left.a * -10 + left.b * 384 + left.d, 0.0f);
}

TEST(cCamera, ApplySetsTheDeviceTransformsAndBecomesCurrent)
{
	cGraphics* graphics = StartGraphics(1024, 768);
	IDirect3DDevice9* device = cGraphics::GetDevice();
	cCamera camera;
	SetScreenCamera(camera);
	camera.SetDepthTest(false);
	cMatrix world;
	world.MakeTranslation(cVector3d(5, 6, 7));
	graphics->BeginScene();
	graphics->SetWorldMatrix(world);
	camera.Apply();
	EXPECT_EQ(graphics->GetCurrentCamera(), &camera);
	D3DMATRIX view;
	D3DMATRIX projection;
	device->GetTransform(D3DTS_VIEW, &view);
	device->GetTransform(D3DTS_PROJECTION, &projection);
	EXPECT_EQ(memcmp(&view, &camera.GetView(), sizeof(view)), 0);
	EXPECT_EQ(memcmp(&projection, &camera.GetProjection(), sizeof(projection)), 0);
	const sGraphicsDeviceState& state = GraphicsDeviceState();
	const cMatrix expected = world * camera.GetView() * camera.GetProjection();
	for (int i = 0; i < 16; ++i)
		EXPECT_NEAR(state.worldViewProjection.m[i / 4][i % 4], expected.m[i / 4][i % 4], 1e-5f);
	DWORD value = 1;
	device->GetRenderState(D3DRS_ZENABLE, &value);
	EXPECT_EQ(value, DWORD(FALSE));
	device->GetRenderState(D3DRS_CLIPPLANEENABLE, &value);
	EXPECT_EQ(value, 0u);
	graphics->EndScene();
	graphics->BeginScene();
	EXPECT_EQ(graphics->GetCurrentCamera(), nullptr);
	graphics->EndScene();
}

TEST(cCamera, ADestroyedCameraStopsBeingCurrent)
{
	cGraphics* graphics = StartGraphics(1024, 768);
	cCamera kept;
	graphics->BeginScene();
	{
		cCamera other;
		kept.Apply();
		// Destroying a camera that is not current leaves the current one.
	}
	EXPECT_EQ(graphics->GetCurrentCamera(), &kept);
	{
		cCamera last;
		last.Apply();
	}
	// Particles updated between frames ask for the current camera's axes.
	EXPECT_EQ(graphics->GetCurrentCamera(), nullptr);
	graphics->EndScene();
}

TEST(cCamera, ClipBoxCutsDrawingToItsExtentWhateverTheDepth)
{
	cGraphics* graphics = StartGraphics(1024, 768);
	cCamera camera;
	SetScreenCamera(camera);
	cBoundingBox box;
	box.SetFromPoints(cVector3d(100, 200, 0), cVector3d(300, 400, 1));
	camera.SetClipBox(true, box);
	std::unique_ptr<cTexture> white(WhiteTexture());
	cVertexBuffer buffer;
	// A quad from x 0 to 500 far in front of the box's depth.
	graphics->BeginScene();
	camera.Apply();
	white->Bind(0);
	DrawColorQuads(buffer, ColorQuad(0, 0, 500, 768, 0xFFFFFFFF, -500));
	sPixels pixels = ReadBackBuffer();
	graphics->EndScene();
	auto lit = [&](int x, int y) { return pixels.At(UINT(x), UINT(768 - 1 - y)) != 0xFF000000; };
	EXPECT_TRUE(lit(101, 201));
	EXPECT_TRUE(lit(298, 398));
	EXPECT_FALSE(lit(98, 300));
	EXPECT_FALSE(lit(302, 300));
	EXPECT_FALSE(lit(200, 198));
	EXPECT_FALSE(lit(200, 402));
	EXPECT_FALSE(lit(450, 300));

	DWORD enabled = 0;
	cGraphics::GetDevice()->GetRenderState(D3DRS_CLIPPLANEENABLE, &enabled);
	EXPECT_EQ(enabled, 15u);
	float plane[4];
	cGraphics::GetDevice()->GetClipPlane(1, plane); // keeps x <= 300
	EXPECT_NEAR(plane[0] * 299 + plane[3], 1.0f, 1e-4f);
	EXPECT_LT(plane[0] * 301 + plane[3], 0.0f);
}

TEST(cCamera, PickRaysOfAnOrthoCamera)
{
	StartGraphics(1024, 768);
	cCamera camera;
	SetScreenCamera(camera);
	// The back buffer's top left pixel is the logical screen's top left corner.
	sRay ray = camera.GetPickRay(cVector3d(0, 0, 0), cMatrix());
	EXPECT_NEAR(ray.origin.x, 0.0f, 1e-3f);
	EXPECT_NEAR(ray.origin.y, 768.0f, 1e-3f);
	EXPECT_NEAR(ray.origin.z, -1799.0f, 1e-2f);
	EXPECT_NEAR(ray.direction.x, 0.0f, 1e-3f);
	EXPECT_NEAR(ray.direction.z, 1999.0f, 0.1f); // near to far, not normalised
	ray = camera.GetPickRay(cVector3d(512, 384, 0), cMatrix());
	EXPECT_NEAR(ray.origin.x, 512.0f, 1e-3f);
	EXPECT_NEAR(ray.origin.y, 384.0f, 1e-3f);
	// With a world matrix the ray is in the object's own space.
	cMatrix world;
	world.MakeTranslation(cVector3d(100, 50, 0));
	ray = camera.GetPickRay(cVector3d(512, 384, 0), world);
	EXPECT_NEAR(ray.origin.x, 412.0f, 1e-3f);
	EXPECT_NEAR(ray.origin.y, 334.0f, 1e-3f);
}

TEST(cCamera, PickRaysOfAPerspectiveCameraPassThroughWhatIsUnderThePoint)
{
	StartGraphics(800, 600);
	cCamera camera;
	camera.SetPerspective(float(M_PI) / 4, 800.0f / 600.0f, 1, 100);
	cMatrix placement;
	placement.MakeTranslation(cVector3d(3, 2, -10));
	placement.LookAt(cVector3d(0, 0, 0));
	camera.SetTransform(placement);

	const cMatrix viewProjection = camera.GetView() * camera.GetProjection();
	for (const cVector3d& point : { cVector3d(0, 0, 0), cVector3d(2, -1, 4), cVector3d(-3, 2.5f, -2) })
	{
		cVector3d ndc = Project(point, viewProjection);
		cVector3d screen((ndc.x + 1) * 400, (1 - ndc.y) * 300, 0);
		sRay ray = camera.GetPickRay(screen, cMatrix());
		EXPECT_LT(DistanceFromRay(point, ray), 1e-3f);
		// The ray starts on the near plane and ends on the far one.
		EXPECT_NEAR(Project(ray.origin, viewProjection).z, 0.0f, 1e-4f);
		EXPECT_NEAR(Project(ray.origin + ray.direction, viewProjection).z, 1.0f, 1e-4f);
	}
}
