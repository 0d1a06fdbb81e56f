// Scenes declared in a resource list and motions packed with "-pack": the
// scenes from the pack build the same trees as those from the folder.

#include "../../engine/foundation/ChildProcess.h"
#include "../../engine/foundation/TempFolder.h"
#include "../../engine/resources/PackParser.h"
#include "../../engine/scene/SceneDescTestSupport.h"

#include "app/GameMain.h"
#include "engine/foundation/cXmlWriter.h"
#include "engine/scene/ObjectDescXml.h"
#include "engine/scene/cMotionWriter.h"
#include "platform/win32/Win32.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace
{
std::string WalkBytes()
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddKeyTime(30).AddKeyTime(60);
	writer.AddPosition(0, 0, 0).AddPosition(5, 5, 0).AddPosition(0, 10, 0);
	writer.AddColour(sColor(1, 1, 1, 0)).AddColour(sColor(1, 1, 1, 1));
	return writer.GetBytes();
}

// The tree the scene builds, played a little so that the motions show.
std::string Built(const std::string& scene)
{
	cSceneObject top("top", nullptr);
	EXPECT_TRUE(cSceneResource::BuildInto(scene, top));
	std::string tree = DescribeTree(&top);
	top.GetMotions().PlayByName("appear");
	top.Update(0.25f);
	return tree + DescribeTree(&top);
}
}

TEST(ScenePack, ScenesFromThePackBuildTheSameTrees)
{
	cTempFolder folder;
	const std::string work = folder.Work();
	RunInChild([&] {
		RegisterProbeType();
		cXmlNode list("resources");
		WriteSceneResourceElement("sample", SampleScene(), list);
		cTempFolder::WriteFile(work + "/data/scenes.resource", FormatXmlDocument(list));
	});
	cTempFolder::WriteFile(work + "/data/Walk.motion", WalkBytes());

	RunInChild([&] {
		setenv("XDG_RUNTIME_DIR", folder.Root().c_str(), 1);
		// The game knows the type "probe" as well.
		RegisterProbeType();
		sStartupParams params{nullptr, SW_SHOWDEFAULT, nullptr, "-window -pack", true};
		EXPECT_EQ(GameMain(&params), 0);
	});
	const PackFormat::sParsedPack pack = PackFormat::ParsePack(cTempFolder::ReadFile(work + "/my_data"));
	EXPECT_EQ(pack.types, (std::vector<std::string>{"scene_resource", "motion_resource"}));
	ASSERT_EQ(pack.entries.size(), 2u);
	EXPECT_EQ(pack.entries[1].bytes, WalkBytes());

	// Each form is mounted by a run of its own, as the game would be. The
	// pack is copied: a child that is the test program started again reads
	// it above once more.
	fs::copy_file(work + "/my_data", work + "/packed", fs::copy_options::overwrite_existing);
	for (const char* source : { "data", "packed" })
		RunInChild([&] {
			RegisterProbeType();
			cResourceManager::GetInstance()->AddSource(source);
			cSceneResource* scene = cResourceManager::GetResourceByName<cSceneResource>("sample");
			ASSERT_NE(scene, nullptr);
			ASSERT_NE(scene->GetRoot(), nullptr);
			EXPECT_TRUE(*scene->GetRoot() == SampleScene()) << source;
			cTempFolder::WriteFile(std::string(source) + ".tree", Built("sample"));
			scene->Release();
		});
	const std::string fromFolder = cTempFolder::ReadFile(work + "/data.tree");
	EXPECT_NE(fromFolder.find("motion walk clip appear 0 30 1.5 1"), std::string::npos) << fromFolder;
	EXPECT_EQ(cTempFolder::ReadFile(work + "/packed.tree"), fromFolder);
}
