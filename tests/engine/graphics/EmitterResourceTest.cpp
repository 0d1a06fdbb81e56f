// The "emitter" resource type: mounted files, reloading, empty sets and
// damaged files. Each test runs in a child process: the resource manager
// is process-wide.

#include "EmitterTestSupport.h"

#include "../foundation/ChildProcess.h"
#include "../foundation/TempFolder.h"
#include "../resources/ResourceTestSupport.h"

#include "engine/graphics/TrackFunctors.h"
#include "engine/graphics/GraphicsResourceTypes.h"
#include "engine/graphics/cEmitterGroup.h"
#include "engine/graphics/cEmitterResource.h"
#include "engine/graphics/sEmitterDesc.h"

#include <cstring>

namespace
{
std::string EffectBytes()
{
	cEmitterWriter writer;
	writer.AddTrack<float>(false, 0, kEmitFunctor, false, { { 20, 0 }, { 20, 2 } });
	writer.AddTrack<sColor>(true, 6, kColorFunctor, true, { { sColor(1, 0, 0, 1), 0 } });
	writer.SetName("burn");
	writer.SetLoop(true);
	return writer.GetBytes();
}

cMemoryStream* StreamOf(const std::string& bytes)
{
	auto* stream = new cMemoryStream();
	stream->Write(bytes.data(), uint32_t(bytes.size()));
	stream->Seek(0, cStream::FromStart);
	return stream;
}

std::string SetBytes(const sEmitterSet& set)
{
	cMemoryStream out;
	set.Write(out);
	return std::string(reinterpret_cast<const char*>(out.GetData()), out.GetSize());
}
}

TEST(EmitterResource, MountedFilesLoadAsEmitterSets)
{
	cTempFolder folder;
	cTempFolder::WriteFile(folder.Work() + "/data/Fire.emitter", EffectBytes());
	RunInChild([] {
		RegisterGraphicsResourceTypes();
		cResourceManager::GetInstance()->AddSource("data");
		cEmitterResource* fire = cResourceManager::GetResourceByName<cEmitterResource>("fire");
		ASSERT_NE(fire, nullptr);
		EXPECT_STREQ(fire->GetTypeName(), "emitter");
		EXPECT_TRUE(fire->IsCompressible());
		const sEmitterSet* set = fire->GetSet();
		ASSERT_NE(set, nullptr);
		EXPECT_EQ(set->name, "burn");
		EXPECT_TRUE(set->loop);
		EXPECT_EQ(set->texture, nullptr);
		ASSERT_EQ(set->descriptions.size(), 1u);
		const sEmitterDesc& desc = *set->descriptions[0];
		EXPECT_EQ(desc.duration, 2);
		EXPECT_EQ(desc.emitterTracks.size(), 1u);
		EXPECT_EQ(desc.particleTracks.size(), 1u);
		EXPECT_EQ(desc.functors.to_ulong(), (1ul << kEmitFunctor) | (1ul << kColorFunctor));
		EXPECT_EQ(SetBytes(*set), EffectBytes());

		// The last reference unloads; the next one reads the same set again.
		fire->Release();
		EXPECT_EQ(fire->GetSet(), nullptr);
		fire->AddRef();
		ASSERT_NE(fire->GetSet(), nullptr);
		EXPECT_EQ(SetBytes(*fire->GetSet()), EffectBytes());
		fire->Release();

		testing::internal::CaptureStderr();
		EXPECT_EQ(cResourceManager::GetResourceByName<cEmitterResource>("smoke"), nullptr);
		EXPECT_NE(testing::internal::GetCapturedStderr().find("emitter[smoke] not found"), std::string::npos);
	});
}

TEST(EmitterResource, ASetWithoutDescriptionsDrawsNothing)
{
	cEmitterWriter writer;
	writer.SetName("empty");
	cEmitterResource empty("empty", sResourceSource(StreamOf(writer.GetBytes()), ""));
	ASSERT_TRUE(empty.Load());
	ASSERT_NE(empty.GetSet(), nullptr);
	EXPECT_TRUE(empty.GetSet()->descriptions.empty());
	cEmitterGroup group(empty.GetSet());
	EXPECT_TRUE(group.GetEmitters().empty());
	group.SetLoop(true);
	group.Play();
	group.Update(0.5f, sColor(1, 1, 1, 1));
	group.Render();
	EXPECT_EQ(group.GetParticleCount(), 0);
	EXPECT_EQ(group.GetCount(), 0u);

	// Without bytes the set stays as it was.
	cEmitterResource bare("bare", sResourceSource());
	EXPECT_FALSE(bare.Load());
	EXPECT_EQ(bare.GetSet(), nullptr);
}

TEST(EmitterResource, DamagedFilesAreLoggedAndLeaveNoSet)
{
	RunInChild([] {
		LimitMemory(64 << 20);
		const std::string valid = EffectBytes();
		std::vector<std::string> damaged;
		for (size_t size = 1; size < valid.size(); ++size)
			damaged.push_back(valid.substr(0, size));
		const auto withU32 = [&](size_t offset, uint32_t value) {
			std::string bytes = valid;
			memcpy(&bytes[offset], &value, 4);
			return bytes;
		};
		// Offsets: descriptions 0, emitter tracks 4, first record's functor
		// 8, kind 12, flag 16, key count 17.
		for (uint32_t huge : { 0xFFFFFFFFu, 0x7FFFFFFFu, 0x20000000u })
			for (size_t offset : { 0, 4, 17 })
				damaged.push_back(withU32(offset, huge));
		for (uint32_t functor : { 21u, 0xFFFFFFFFu, 0x80000000u, 64u })
			damaged.push_back(withU32(8, functor));
		for (uint32_t kind : { 9u, 0xFFFFFFFFu })
			damaged.push_back(withU32(12, kind));
		// A key count one too large runs into the next record.
		damaged.push_back(withU32(17, 3));

		for (const std::string& bytes : damaged)
		{
			cEmitterResource resource("broken", sResourceSource(StreamOf(valid), ""));
			ASSERT_TRUE(resource.Load());
			resource.GetSource() = sResourceSource(StreamOf(bytes), "");
			testing::internal::CaptureStderr();
			EXPECT_FALSE(resource.Load()) << bytes.size();
			const std::string log = testing::internal::GetCapturedStderr();
			EXPECT_NE(log.find("Error: Emitter broken: damaged emitter file"), std::string::npos) << log;
			EXPECT_EQ(resource.GetSet(), nullptr);
		}
	});
}
