// Particle systems: "psys" files written and read back (also hostile ones),
// programs that spawn, age, colour and end, drawing (pixels read back) and
// spawning on a model.

#include "ModelTestSupport.h"
#include "../foundation/ChildProcess.h"
#include "../foundation/TempFolder.h"

#include "engine/graphics/cParticleResource.h"
#include "engine/graphics/cParticleSystem.h"
#include "engine/graphics/cParticleSystemWriter.h"

#include <cmath>
#include <limits>

namespace
{
constexpr D3DCOLOR kBlack = 0xFF000000;

// Three particles every half second, living one second, 16 units wide,
// standing still, red at birth and blue at death; program "start" loops
// over 10 seconds, "burst" runs once for 2.
sParticleSystemDesc Sparks()
{
	sParticleSystemDesc desc;
	desc.count = 3;
	desc.interval = 0.5f;
	desc.rotationFactor = 1;
	desc.windowLength = 10;
	desc.lifetime = 1;
	desc.size = 16;
	desc.textureName = "white";
	desc.colorKeys = { { 0, 1, 0, 0, 1 }, { 1, 0, 0, 1, 1 } };
	desc.programs = { { "start", 10, true }, { "burst", 2, false } };
	return desc;
}

std::string PsysBytes(const sParticleSystemDesc& desc)
{
	cMemoryStream stream;
	cParticleSystemWriter(stream).Write(desc);
	return std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

tBytes Bytes(const std::string& text)
{
	return tBytes(text.begin(), text.end());
}

cMatrix At(float x, float y)
{
	cMatrix matrix;
	matrix.MakeTranslation(cVector3d(x, y, 0));
	return matrix;
}

// Draws the system on a 64 by 48 screen and reads the pixels back.
sPixels DrawOnScreen(cParticleSystem& system)
{
	cGraphics* graphics = cGraphics::GetInstance();
	graphics->BeginScene();
	system.Render();
	sPixels pixels = ReadBackBuffer();
	graphics->EndScene();
	return pixels;
}

// A pixel in screen coordinates with y growing upward.
D3DCOLOR Pixel(const sPixels& pixels, UINT x, UINT y)
{
	return pixels.At(x, pixels.height - 1 - y);
}

// The graphics device on a 64 by 48 screen, its screen camera current,
// and a white texture "white".
class cParticleSystemTest : public testing::Test
{
protected:
	void SetUp() override
	{
		StartGraphics(64, 48);
		SetScreenCamera(m_camera, 64, 48);
		m_camera.Apply();
		m_resources.Add("texture", "white", DdsFile(1, 1, { 0xFFFFFFFF }));
	}

	size_t Run(cParticleSystem& system, int frames, float dt = 0.25f)
	{
		for (int frame = 0; frame < frames; ++frame)
			system.Update(dt);
		return system.GetParticles().size();
	}

	cCamera m_camera;
	cTestResources m_resources;
};
}

TEST_F(cParticleSystemTest, AWrittenFileReadsBackAsTheSameDescription)
{
	sParticleSystemDesc desc = Sparks();
	desc.acceleration = cVector3d(1, -2, 3);
	desc.fadeOut = 0.25f;
	cMemoryStream stream;
	cParticleSystemWriter(stream).Write(desc);
	EXPECT_EQ(stream.GetSize(), 144u + 4 + 5 + 4 + 2 * 20 + 4 + (4 + 5 + 5) + (4 + 5 + 5));
	stream.Seek(0, SEEK_SET);
	sParticleSystemDesc read;
	ASSERT_TRUE(ReadParticleSystemDesc(stream, read));
	EXPECT_EQ(PsysBytes(read), PsysBytes(desc));
	EXPECT_EQ(read.acceleration.y, -2.0f);
	ASSERT_EQ(read.programs.size(), 2u);
	EXPECT_EQ(read.programs[1].name, "burst");
	EXPECT_FALSE(read.programs[1].loop);
}

TEST_F(cParticleSystemTest, AMountedFileSpawnsAgesAndColoursItsParticles)
{
	cTempFolder folder;
	cTempFolder::WriteFile(folder.Work() + "/data/Sparks.psys", PsysBytes(Sparks()));
	// The mount stays with the child's resource manager.
	RunInChild([&] {
		cResourceManager::GetInstance()->AddSource("data");
		cResourceHandle resource = cResourceHandle::InitByName<cParticleResource>("sparks");
		ASSERT_TRUE(resource);
		EXPECT_STREQ(resource.Get()->GetTypeName(), "particle");

		cParticleSystem system(&resource.Get<cParticleResource>()->GetDescription());
		system.SetTransform(At(32, 24));
		EXPECT_EQ(Run(system, 1), 0u) << "not running before a program starts";
		system.Start("none");
		EXPECT_FALSE(system.IsRunning());
		system.Start("start");
		ASSERT_TRUE(system.IsRunning());

		EXPECT_EQ(Run(system, 1), 0u) << "the interval has not passed";
		// The first burst is stepped in its own frame: a quarter of its life,
		// a quarter of the way from red to blue.
		EXPECT_EQ(Run(system, 1), 3u);
		sPixels pixels = DrawOnScreen(system);
		EXPECT_TRUE(ColorNear(Pixel(pixels, 32, 24), 0xFFBF003F));
		EXPECT_TRUE(ColorNear(Pixel(pixels, 26, 18), 0xFFBF003F)) << "16 units wide";
		EXPECT_TRUE(ColorNear(Pixel(pixels, 20, 24), kBlack));
		EXPECT_TRUE(ColorNear(Pixel(pixels, 32, 36), kBlack));

		EXPECT_EQ(Run(system, 1), 3u);
		EXPECT_TRUE(ColorNear(Pixel(DrawOnScreen(system), 32, 24), 0xFF7F007F));
		EXPECT_EQ(Run(system, 1), 6u) << "the second burst";
		// The first three reach their lifetime and die.
		EXPECT_EQ(Run(system, 1), 3u);
		EXPECT_TRUE(ColorNear(Pixel(DrawOnScreen(system), 32, 24), 0xFF7F007F));
		for (const auto& particle : system.GetParticles())
			EXPECT_EQ(particle->corners[0].color, 0xFF7F007Fu);
	});
}

TEST_F(cParticleSystemTest, ProgramsEndAsTheyAreToldTo)
{
	sParticleSystemDesc desc = Sparks();
	cParticleSystem once(&desc);
	once.Start("burst");
	// Spawning stops once no more than one lifetime of the 2 seconds is left.
	EXPECT_EQ(Run(once, 4), 3u);
	EXPECT_EQ(Run(once, 4), 0u);
	EXPECT_TRUE(once.IsRunning());
	Run(once, 1);
	EXPECT_FALSE(once.IsRunning());

	// A looping program with long-lived particles: ending the loop runs one
	// more duration without spawning, then every particle goes at once.
	desc.lifetime = 5;
	desc.programs = { { "start", 1, true } };
	cParticleSystem looping(&desc);
	looping.Start("start");
	EXPECT_EQ(Run(looping, 8), 12u);
	looping.EndLoop();
	EXPECT_FALSE(looping.IsLooping());
	EXPECT_EQ(Run(looping, 4), 12u);
	EXPECT_TRUE(looping.IsRunning());
	EXPECT_EQ(Run(looping, 1), 0u);
	EXPECT_FALSE(looping.IsRunning());
}

TEST_F(cParticleSystemTest, WindowsAndColourKeys)
{
	const sColorKey red { 0, 1, 0, 0, 1 };
	const struct
	{
		const char* what;
		float windowStart;
		std::vector<sColorKey> keys;
		size_t particles;
		D3DCOLOR color;
	} cases[] = {
		{ "a window after the duration", 11, { red }, 0, 0 },
		{ "no keys", 0, {}, 3, 0xFFFFFFFF },
		{ "one key", 0, { { 0.5f, 0, 1, 0, 0.5f } }, 3, 0x7F00FF00 },
		{ "a step", 0, { red, { 0.2f, 1, 0, 0, 1 }, { 0.2f, 0, 1, 0, 1 }, { 1, 0, 1, 0, 1 } }, 3, 0xFF00FF00 },
		{ "a channel that is not a number", 0, { { 0, std::nanf(""), 1, 0, 1 } }, 3, 0xFF00FF00 },
	};
	for (const auto& entry : cases)
	{
		sParticleSystemDesc desc = Sparks();
		desc.windowStart = entry.windowStart;
		desc.colorKeys = entry.keys;
		desc.programs = { { "start", 10, true } };
		cParticleSystem system(&desc);
		system.Start("start");
		ASSERT_EQ(Run(system, 2), entry.particles) << entry.what;
		for (const auto& particle : system.GetParticles())
			EXPECT_EQ(particle->color, entry.color) << entry.what;
	}
}

TEST_F(cParticleSystemTest, KeysThatMeetUnderLiveParticlesGiveTheLaterColour)
{
	// A reload replaces the keys while particles sit between two of them.
	sParticleSystemDesc desc = Sparks();
	cParticleSystem system(&desc);
	system.Start("start");
	ASSERT_EQ(Run(system, 2), 3u);
	desc.colorKeys[0].time = 1;
	Run(system, 1);
	for (const auto& particle : system.GetParticles())
		EXPECT_EQ(particle->color, 0xFF0000FFu);
}

TEST_F(cParticleSystemTest, StillSystemsShootUpwardAndMovingOnesAlongTheirPath)
{
	sParticleSystemDesc desc = Sparks();
	desc.speed = 1;
	desc.polarSpread = 3.14f;
	desc.azimuthSpread = 3.14f;
	desc.count = 50;
	cParticleSystem system(&desc);
	system.SetTransform(At(32, 24));
	system.Start("start");
	ASSERT_EQ(Run(system, 2), 50u);
	for (const auto& particle : system.GetParticles())
		EXPECT_GE(particle->velocity.y, 0) << "the upper hemisphere";
	// Moved 100 units along x since the last burst: every direction gets
	// the unit vector of the movement added.
	system.SetTransform(At(132, 24));
	Run(system, 2);
	ASSERT_EQ(system.GetParticles().size(), 100u);
	int along = 0;
	for (const auto& particle : system.GetParticles())
		if (particle->position.x == 132)
			along += particle->velocity.x > 0;
	EXPECT_GT(along, 40);
}

TEST_F(cParticleSystemTest, ParticlesSpawnOnTheOutlineOrInsideAModel)
{
	cModel model;
	AddQuad(model, -10, -10, 10, 10);
	model.materials.push_back(Material(0, 2));
	m_resources.Add("model", "plate", ModelBytes(model));
	cModelController controller { cModelHandle("plate") };
	sParticleSystemDesc desc = Sparks();
	desc.count = 40;

	for (bool surfaceOnly : { true, false })
	{
		cParticleSystem system(&desc);
		system.SetSourceModel(&controller);
		system.SetSurfaceOnly(surfaceOnly);
		system.SetTransform(At(100, 50));
		system.Start("start");
		ASSERT_EQ(Run(system, 2), 40u);
		int onOutline = 0;
		for (const auto& particle : system.GetParticles())
		{
			const float x = particle->position.x - 100;
			const float y = particle->position.y - 50;
			const float reach = std::max(std::fabs(x), std::fabs(y));
			EXPECT_LE(reach, 10.001f);
			EXPECT_EQ(particle->position.z, 0);
			onOutline += reach > 9.999f;
		}
		if (surfaceOnly)
			EXPECT_EQ(onOutline, 40);
		else
			EXPECT_LT(onOutline, 40);
	}
}

TEST_F(cParticleSystemTest, HostileFilesAreRefusedAndTheDescriptionKept)
{
	const std::string good = PsysBytes(Sparks());
	const std::string afterTexture = good.substr(0, 144 + 4 + 5);
	const std::string huge = "\xff\xff\xff\x7f";
	const struct
	{
		const char* what;
		std::string bytes;
	} cases[] = {
		{ "a fixed part cut short", good.substr(0, 100) },
		{ "a texture name longer than the file", good.substr(0, 144) + huge + "white" },
		{ "a key count larger than the file", afterTexture + huge },
		{ "a key cut short", afterTexture + std::string("\x02\0\0\0", 4) + std::string(30, '\0') },
		{ "a program count larger than the file", good.substr(0, good.size() - 2 * 14 - 4) + huge },
		{ "a program name cut short", good.substr(0, good.size() - 20) },
		{ "a missing loop flag", good.substr(0, good.size() - 1) },
	};
	cResource* resource = m_resources.Add("particle", "hostile", Bytes(good));
	auto* particle = static_cast<cParticleResource*>(resource);
	auto* stream = static_cast<cMemoryStream*>(resource->GetSource().stream.Get());
	auto replaceBytes = [stream](const std::string& bytes) {
		stream->SetSize(0);
		LoadStream(*stream, Bytes(bytes));
	};
	for (const auto& entry : cases)
	{
		replaceBytes(good);
		ASSERT_TRUE(resource->Load());
		replaceBytes(entry.bytes);
		testing::internal::CaptureStderr();
		EXPECT_FALSE(resource->Load()) << entry.what;
		const std::string log = testing::internal::GetCapturedStderr();
		EXPECT_NE(log.find("Error: Particle system \"hostile\" is damaged"), std::string::npos) << entry.what << log;
		EXPECT_EQ(PsysBytes(particle->GetDescription()), good) << entry.what;
	}
}

TEST_F(cParticleSystemTest, NumbersNoSystemCanUseMakeNoHugeBuffersAndNoCrash)
{
	const float nan = std::numeric_limits<float>::quiet_NaN();
	const struct
	{
		const char* what;
		int count;
		float interval;
		float lifetime;
		size_t live;
	} cases[] = {
		{ "an interval of 0", 3, 0, 1, 9 },
		{ "a negative interval", 3, -1, 1, 9 },
		{ "a negative count", -5, 0.5f, 1, 0 },
		{ "a lifetime that is not a number", 3, 0.5f, nan, 0 },
		{ "an endless lifetime", 3, 0.5f, std::numeric_limits<float>::infinity(), 6 },
		{ "a count beyond what can be drawn", 0x7FFFFFFF, 0.5f, 1, cParticleSystem::kMaxParticles },
	};
	for (const auto& entry : cases)
	{
		sParticleSystemDesc desc = Sparks();
		desc.count = entry.count;
		desc.interval = entry.interval;
		desc.lifetime = entry.lifetime;
		cParticleSystem system(&desc);
		system.Start("start");
		EXPECT_EQ(Run(system, 4), entry.live) << entry.what;
		DrawOnScreen(system);
	}
}

TEST_F(cParticleSystemTest, ASystemWithoutDescriptionNeverRuns)
{
	cParticleSystem system(nullptr);
	system.Start("start");
	EXPECT_EQ(Run(system, 4), 0u);
	DrawOnScreen(system);
}
