// Scene descriptions: the XML form, the binary form and what building a
// description makes of an object and its subtree; damaged binary scenes.

#include "MotionTestSupport.h"
#include "SceneDescTestSupport.h"

#include "../foundation/ChildProcess.h"
#include "../foundation/MathTestHelpers.h"
#include "../foundation/TempFolder.h"
#include "../resources/ResourceTestSupport.h"

#include "engine/foundation/StreamSerialization.h"
#include "engine/foundation/cXmlWriter.h"
#include "engine/scene/ObjectDescBinary.h"
#include "engine/scene/ObjectDescXml.h"

#include <cstring>

namespace
{
const char* const kMenuList = R"(<resources>
<resource name="menu" type="scene_resource" visible="0">
	<probe name="bg" sort="5" visible="0" color="0.5 1 1 1" model="Menu_Tex" motion="Walk" text=" untrimmed "
		local="2 0 0 0 2 0 0 0 1 10 20 30">
		<add_motion name="appear" loop="true" first="0" last="30" length="1.5"/>
		<add_motion name="plain"/>
		<animation name="idle" speed="2"/>
		<animation name="blink"/>
		<object name="needs_shaders" shader_req="must_be"><object name="below"/></object>
		<object name="no_shaders" shader_req="must_not_be" enable="false"/>
		<posteffect name="effect" strength="0.5" local="1 0 0"/>
	</probe>
	<probe name="second" enable="1"/>
</resource>
</resources>)";

class SceneDescTest : public MotionTest
{
protected:
	void SetUp() override
	{
		MotionTest::SetUp();
		RegisterProbeType();
		AddMotion("walk", cMotionWriter().AddKeyTime(0).AddKeyTime(30).GetBytes());
	}
};
}

TEST_F(SceneDescTest, AnXmlSceneBuildsTheDescribedTree)
{
	std::unique_ptr<cSceneResource> menu(SceneFromXml("menu", kMenuList));
	ASSERT_NE(menu->GetRoot(), nullptr);
	auto* top = new cSceneObject("top", root());
	top->SetVisible(false); // the top object keeps its own flags
	top->LoadFromDesc(*menu->GetRoot());
	EXPECT_FALSE(top->IsVisible());
	EXPECT_EQ(top->GetName(), "top");

	EXPECT_EQ(DescribeTree(top),
		"object 'top' visible 0 enabled 1 local 1 0 0 0 1 0 0 0 1 0 0 0 colour 1 1 1 1 light_rec=false sort=0\n"
		"  probe 'bg' visible 0 enabled 1 local 2 0 0 0 2 0 0 0 1 10 20 30 colour 1 1 1 0.5 light_rec=false sort=5 "
		"text= untrimmed  motion walk clip appear 0 30 1.5 1 clip plain 0 0 0 0 model Menu_Tex speed idle=2.000000 "
		"speed blink=1.000000\n"
		"    object 'no_shaders' visible 1 enabled 0 local 1 0 0 0 1 0 0 0 1 0 0 0 colour 1 1 1 1 light_rec=false "
		"sort=0\n"
		"    object 'effect' visible 1 enabled 1 local 1 0 0 0 1 0 0 0 1 0 0 0 colour 1 1 1 1 light_rec=false sort=0 "
		"strength=0.5\n"
		"  probe 'second' visible 1 enabled 1 local 1 0 0 0 1 0 0 0 1 0 0 0 colour 1 1 1 1 light_rec=false sort=0 "
		"model \n");
	cSceneObject* bg = top->GetChildList().FindChild("bg");
	EXPECT_EQ(bg->GetSortKey(), 5);
	EXPECT_EQ(static_cast<cProbeObject*>(bg)->childrenWhenLoaded, 2);
	// World placement and colour are current at once.
	EXPECT_EQ(bg->GetTransform().GetWorldMatrix()._42, 20);
	EXPECT_EQ(bg->GetTransform().GetEffectiveColor().a, 0.5f);

	// The unregistered tag reads as "object"; the root is a plain object
	// named after the resource.
	const sObjectDesc& rootDesc = *menu->GetRoot();
	EXPECT_EQ(rootDesc.name, "menu");
	EXPECT_EQ(rootDesc.type, 0);
	EXPECT_EQ(rootDesc.children[0].children[2].type, 0);
	EXPECT_EQ(rootDesc.children[0].children[0].shaderRequirement, kShaderMustBe);
}

TEST_F(SceneDescTest, TheWritersGiveBackTheSameDescriptions)
{
	const sObjectDesc sample = SampleScene();
	cXmlNode list("resources");
	WriteSceneResourceElement("sample", sample, list);
	std::unique_ptr<cSceneResource> fromXml(SceneFromXml("sample", FormatXmlDocument(list)));
	ASSERT_NE(fromXml->GetRoot(), nullptr);
	EXPECT_TRUE(*fromXml->GetRoot() == sample);

	// The binary form of the tree, and the tree read back from it.
	cMemoryStream binary;
	fromXml->Save(binary);
	cSceneResource fromBinary("sample", sResourceSource(StreamOf(Bytes(binary)), ""));
	EXPECT_TRUE(fromBinary.Load());
	ASSERT_NE(fromBinary.GetRoot(), nullptr);
	EXPECT_TRUE(*fromBinary.GetRoot() == sample);

	auto* a = new cSceneObject("a", root());
	a->LoadFromDesc(*fromXml->GetRoot());
	auto* b = new cSceneObject("a", root());
	b->LoadFromDesc(*fromBinary.GetRoot());
	EXPECT_EQ(DescribeTree(a), DescribeTree(b));

	// Unloading keeps the tree of a scene declared in a list, not the one
	// read from bytes.
	EXPECT_TRUE(fromXml->Unload());
	EXPECT_NE(fromXml->GetRoot(), nullptr);
	EXPECT_TRUE(fromBinary.Unload());
	EXPECT_EQ(fromBinary.GetRoot(), nullptr);
}

TEST_F(SceneDescTest, TheBinaryLayout)
{
	sObjectDesc root;
	root.children.emplace_back();
	cMemoryStream out;
	WriteObjectDesc(out, root);
	const std::string bytes = Bytes(out);
	ASSERT_EQ(bytes.size(), 216u);
	EXPECT_EQ(bytes.substr(4, 10), std::string("\x06\0\0\0object", 10));
	EXPECT_EQ(bytes.substr(72, 4), std::string("\x01\0\0\0", 4));
	EXPECT_EQ(bytes.substr(76, 108), bytes.substr(0, 72) + std::string(4, '\0') + bytes.substr(184, 32));

	sObjectDesc coloured;
	coloured.colour = sColor(0.2f, 0.4f, 0.6f, 0.8f);
	cMemoryStream colourOut;
	WriteObjectDesc(colourOut, coloured);
	float stored[4];
	memcpy(stored, colourOut.GetData() + 108 - 16, 16);
	EXPECT_EQ(std::vector<float>(stored, stored + 4), (std::vector<float>{ 0.8f, 0.2f, 0.4f, 0.6f }));
}

TEST(SceneResource, ATypeUnknownWhenReadBuildsAPlainObject)
{
	cTempFolder folder;
	const std::string file = folder.Work() + "/later.bin";
	// Written by a program that knows the type "posteffect".
	RunInChild([&] {
		Singletone<cSceneManager>::GetInstance()->RegisterObjectType("posteffect", &cProbeObject::Create);
		sObjectDesc root;
		root.children.emplace_back();
		sObjectDesc& effect = root.children.back();
		effect.name = "effect";
		effect.type = Singletone<cSceneManager>::GetInstance()->GetObjectTypeId("posteffect");
		effect.properties = { { "strength", "0.5" } };
		effect.local = Translation(1, 2, 3);
		cMemoryStream out;
		WriteObjectDesc(out, root);
		cTempFolder::WriteFile(file, Bytes(out));
	});
	cSceneResource scene("later", sResourceSource(StreamOf(cTempFolder::ReadFile(file)), ""));
	EXPECT_TRUE(scene.Load());
	ASSERT_NE(scene.GetRoot(), nullptr);
	EXPECT_EQ(scene.GetRoot()->children[0].type, -1);
	cSceneObject top("top", nullptr);
	top.LoadFromDesc(*scene.GetRoot());
	ASSERT_EQ(top.GetChildList().GetChildren().size(), 1u);
	cSceneObject* effect = top.GetChildList().GetChildren()[0];
	EXPECT_EQ(effect->GetTypeName(), "object");
	EXPECT_EQ(effect->GetName(), "effect");
	EXPECT_EQ(effect->GetProperties().GetProperty("strength"), "0.5");
	EXPECT_EQ(effect->GetTransform().GetLocalMatrix()._43, 3);
}

TEST(SceneResource, DamagedScenesLeaveNoTreeAndBuildNothing)
{
	RunInChild([] {
		LimitMemory(256 << 20);
		RegisterProbeType();
		sObjectDesc sample = SampleScene();
		cMemoryStream out;
		WriteObjectDesc(out, sample);
		const std::string valid = Bytes(out);
		const auto withU32 = [&](size_t offset, uint32_t value) {
			std::string bytes = valid;
			memcpy(&bytes[offset], &value, 4);
			return bytes;
		};
		// The root "sample" of type "object": name length at 0, type name
		// length at 10, children count at 78.
		std::vector<std::string> damaged = { withU32(0, 0x7FFFFFFFu), withU32(10, 0xFFFFFFFFu),
			withU32(78, 0xFFFFFFFFu), withU32(78, 0x10000000u), valid.substr(0, 3) };
		for (size_t size = 0; size < valid.size(); ++size)
			damaged.push_back(valid.substr(0, size));
		// 100000 objects each the only child of the one before.
		sObjectDesc pair;
		pair.children.emplace_back();
		cMemoryStream pairOut;
		WriteObjectDesc(pairOut, pair);
		const std::string pairBytes = Bytes(pairOut);
		std::string nested;
		for (int i = 0; i < 100000; ++i)
			nested += pairBytes.substr(0, 76);
		nested += pairBytes.substr(76, 108);
		for (int i = 0; i < 100000; ++i)
			nested += pairBytes.substr(184);
		damaged.push_back(nested);

		for (const std::string& bytes : damaged)
		{
			cSceneResource scene("broken", sResourceSource(StreamOf(valid), ""));
			scene.AddToIndex();
			// A tree read before is replaced by nothing.
			ASSERT_TRUE(scene.Load());
			scene.GetSource() = sResourceSource(StreamOf(bytes), "");
			testing::internal::CaptureStderr();
			cSceneObject window("window", nullptr);
			EXPECT_FALSE(cSceneResource::BuildInto("broken", window)) << bytes.size();
			const std::string log = testing::internal::GetCapturedStderr();
			EXPECT_NE(log.find("Error: scene_resource[broken] damaged scene"), std::string::npos) << log;
			EXPECT_EQ(log.find("Error", log.find("Error") + 1), std::string::npos) << log;
			EXPECT_EQ(scene.GetRoot(), nullptr);
			EXPECT_TRUE(window.GetChildList().GetChildren().empty());
			scene.RemoveFromIndex();
		}

		// The valid bytes build the whole tree.
		cSceneResource scene("sample", sResourceSource(StreamOf(valid), ""));
		scene.AddToIndex();
		cSceneObject window("window", nullptr);
		EXPECT_TRUE(cSceneResource::BuildInto("sample", window));
		EXPECT_EQ(window.GetChildList().GetChildren().size(), 2u);
		EXPECT_EQ(scene.GetRoot(), nullptr); // the last reference went back
		scene.RemoveFromIndex();
	});
}
