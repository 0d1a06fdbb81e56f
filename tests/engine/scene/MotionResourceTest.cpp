// The "motion_resource" type: mounted motion files, lookups, and damaged
// files that must leave the resource without data.

#include "MotionTestSupport.h"

#include "../foundation/ChildProcess.h"
#include "../foundation/TempFolder.h"
#include "../resources/ResourceTestSupport.h"

#include "engine/scene/sMotionData.h"

#include <cstring>

namespace
{
// Two position keys at key times 0 and 1, nothing else: 60 bytes.
std::string SlideBytes()
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddKeyTime(1).AddPosition(0, 0, 0).AddPosition(3, 4, 5);
	return writer.GetBytes();
}
}

TEST(MotionResource, MountedFilesLoadOnTheFirstReference)
{
	cTempFolder folder;
	ASSERT_EQ(SlideBytes().size(), 60u);
	cTempFolder::WriteFile(folder.Work() + "/data/Slide.motion", SlideBytes());
	RunInChild([] {
		Singletone<cSceneManager>::GetInstance();
		cResourceManager::GetInstance()->AddSource("data");
		cMotionResource* slide = cResourceManager::GetResourceByName<cMotionResource>("slide");
		ASSERT_NE(slide, nullptr);
		EXPECT_STREQ(slide->GetTypeName(), "motion_resource");
		EXPECT_TRUE(slide->IsCompressible());
		ASSERT_NE(slide->GetData(), nullptr);
		const sMotionData& data = *slide->GetData();
		EXPECT_EQ(data.keyTimes, (std::vector<float>{ 0, 1 }));
		ASSERT_EQ(data.positions.size(), 2u);
		EXPECT_EQ(data.positions[1].z, 5);
		EXPECT_TRUE(data.rotations.empty() && data.scales.empty() && data.colours.empty());
		slide->Release();
		EXPECT_EQ(slide->GetData(), nullptr);

		testing::internal::CaptureStderr();
		EXPECT_EQ(cResourceManager::GetResourceByName<cMotionResource>(""), nullptr);
		EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
		testing::internal::CaptureStderr();
		EXPECT_EQ(cResourceManager::GetResourceByName<cMotionResource>("run"), nullptr);
		EXPECT_NE(testing::internal::GetCapturedStderr().find("motion_resource[run] not found"), std::string::npos);
	});
}

TEST(MotionResource, DamagedFilesLeaveNoDataAndOneErrorLine)
{
	RunInChild([] {
		LimitMemory(64 << 20);
		cMotionWriter writer;
		writer.AddKeyTime(0).AddKeyTime(1).AddPosition(1, 2, 3).AddPosition(4, 5, 6);
		writer.AddRotation(cQuaternion()).AddRotation(cQuaternion(0, 0, 1, 0));
		writer.AddColour(sColor(1, 1, 1, 1));
		const std::string valid = writer.GetBytes();
		const auto withU32 = [&](size_t offset, uint32_t value) {
			std::string bytes = valid;
			memcpy(&bytes[offset], &value, 4);
			return bytes;
		};
		// Counts at 0 (positions), 36 (rotations), 72 (scales), 76 (colours), 96 (key times).
		std::vector<std::string> damaged = { withU32(0, 0xFFFFFFFFu), withU32(96, 0x40000001u),
			withU32(36, 0x10000001u), withU32(76, 2), valid.substr(0, 50) };
		for (size_t size = 0; size < valid.size(); ++size)
			damaged.push_back(valid.substr(0, size));
		for (const std::string& bytes : damaged)
		{
			cMotionResource motion("broken", sResourceSource(StreamOf(valid), ""));
			ASSERT_TRUE(motion.Load());
			motion.GetSource() = sResourceSource(StreamOf(bytes), "");
			testing::internal::CaptureStderr();
			EXPECT_FALSE(motion.Load()) << bytes.size();
			const std::string log = testing::internal::GetCapturedStderr();
			EXPECT_NE(log.find("Error: motion_resource[broken] damaged"), std::string::npos) << log;
			EXPECT_EQ(log.find("Error", log.find("Error") + 1), std::string::npos) << log;
			EXPECT_EQ(motion.GetData(), nullptr);
		}
	});
}
