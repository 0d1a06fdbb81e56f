// Emitter groups drawn through the device: the quads of every particle in
// one draw call, textured by the set's texture and tinted by the group's
// colour, read back from the back buffer.

#include "EmitterTestSupport.h"
#include "GraphicsTestSupport.h"
#include "TextureFiles.h"

#include "../foundation/ChildProcess.h"
#include "../foundation/TempFolder.h"

#include "engine/graphics/TrackFunctors.h"
#include "engine/graphics/cEmitterGroup.h"
#include "engine/graphics/sGraphicsDeviceState.h"
#include "engine/resources/cResourceManager.h"

namespace
{
constexpr D3DCOLOR kBlack = 0xFF000000;
}

TEST(EmitterDraw, MovingParticlesAreDrawnAsTintedQuadsInOneCall)
{
	cTempFolder folder;
	const tBytes green = DdsFile(4, 4, std::vector<uint32_t>(16, 0xFF00FF00u));
	cTempFolder::WriteFile(folder.Work() + "/data/spark.dds", std::string(green.begin(), green.end()));
	// The mount stays with the child's resource manager.
	RunInChild([] {
		cGraphics* graphics = StartGraphics(1024, 768);
		cResourceManager::GetInstance()->AddSource("data");

		// 200 units a second to the right, 100 particles a second.
		cEmitterWriter writer;
		writer.AddTrack<cVector3d>(false, 0, kVelocityFunctor, false, { { cVector3d(200, 0, 0), 0 } });
		writer.SetTexture("spark");
		writer.SetLoop(true);
		std::unique_ptr<sEmitterSet> set = ReadSet(writer);
		ASSERT_NE(set->texture, nullptr);

		cEmitterGroup group(set.get());
		group.SetLoop(true);
		group.SetPosition(cVector3d(300, 300, 0));
		group.Play();
		cCamera camera;
		SetScreenCamera(camera);
		graphics->BeginScene();
		camera.Apply();
		graphics->SetWorldMatrix(cMatrix());
		// Three steps: 25 particles 0.5 s old at x 400, 25 0.25 s old at x 350.
		const sColor tint(1, 0.5f, 0.25f, 1);
		for (int i = 0; i < 3; ++i)
			group.Update(0.25f, tint);
		ASSERT_EQ(group.GetParticleCount(), 50);
		group.Render();
		const sPixels pixels = ReadBackBuffer();
		EXPECT_EQ(GraphicsDeviceState().drawCallCount, 1);
		EXPECT_EQ(GraphicsDeviceState().triangleCount, 100);
		EXPECT_TRUE(graphics->GetDepthTest()) << "the depth test is restored";
		graphics->EndScene();

		// Half size 50 around x 350 and 400, y 300 (rows count from the top).
		const D3DCOLOR tinted = 0xFF007F00;
		for (int x : { 305, 360, 445 })
			for (int y : { 255, 300, 345 })
				EXPECT_TRUE(ColorNear(pixels.At(x, 768 - y), tinted)) << x << " " << y;
		for (auto [x, y] : { std::pair { 295, 300 }, { 455, 300 }, { 350, 245 }, { 400, 355 } })
			EXPECT_EQ(pixels.At(x, 768 - y), kBlack) << x << " " << y;
	});
}

TEST(EmitterDraw, ParticlesFadeOutAsTheirColourTrackSays)
{
	cGraphics* graphics = StartGraphics(1024, 768);
	// White at birth to black at the end of life; particles live 1 s and
	// move 200 units a second to the right.
	cEmitterWriter writer;
	writer.AddTrack<cVector3d>(false, 0, kVelocityFunctor, false, { { cVector3d(200, 0, 0), 0 } });
	writer.AddTrack<sColor>(true, 6, kColorFunctor, false,
		{ { sColor(1, 1, 1, 1), 0 }, { sColor(0, 0, 0, 1), 1 } });
	writer.SetLoop(true);
	std::unique_ptr<sEmitterSet> set = ReadSet(writer);
	cEmitterGroup group(set.get());
	group.SetLoop(true);
	group.SetPosition(cVector3d(300, 300, 0));
	group.Play();
	cCamera camera;
	SetScreenCamera(camera);
	std::unique_ptr<cTexture> white(WhiteTexture());
	// The tracks see each particle's age before this update's step: the
	// older 25 (drawn at x 400) at a quarter of their life, the newer 25
	// (at x 350) at their birth.
	for (int i = 0; i < 3; ++i)
		group.Update(0.25f, sColor(1, 1, 1, 1));
	const cParticleEmitter& emitter = *group.GetEmitters()[0];
	ASSERT_EQ(emitter.particles.size(), 50u);
	EXPECT_FLOAT_EQ(emitter.particles.front()->color.r, 191.0f / 255.0f);
	EXPECT_FLOAT_EQ(emitter.particles.back()->color.r, 1);

	graphics->BeginScene();
	camera.Apply();
	graphics->SetWorldMatrix(cMatrix());
	white->Bind(0); // the set has no texture: stage 0 stays as it is
	group.Render();
	const sPixels pixels = ReadBackBuffer();
	graphics->EndScene();
	EXPECT_TRUE(ColorNear(pixels.At(445, 768 - 300), 0xFFBFBFBF));
	EXPECT_TRUE(ColorNear(pixels.At(305, 768 - 300), 0xFFFFFFFF));
}
