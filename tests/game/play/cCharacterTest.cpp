// Characters built from scenes: "set" moves them into the location's sets,
// a set shows one pose at a time picked by its weighted rule, and a picture
// too large for the device takes its "_low" texture.

#include "../../engine/graphics/ModelTestSupport.h"
#include "../../engine/windows/WindowTestSupport.h"

#include "engine/graphics/cTextureResource.h"
#include "engine/scene/cQuadVisual.h"
#include "game/play/GameObjectTypes.h"
#include "game/play/cCharacter.h"
#include "game/play/cCharacterSet.h"
#include "game/play/cCharacterSetOwner.h"

#include <map>

namespace
{
// A location that keeps its character sets by name.
class cTestLocation : public cSceneObject, public cCharacterSetOwner
{
public:
	using cSceneObject::cSceneObject;
	cCharacterSet* GetCharacterSet(const std::string& name, cCharacter* character) override
	{
		cCharacterSet*& set = sets[name];
		if (!set)
			set = new cCharacterSet(name, this);
		set->AddMember(character);
		return set;
	}

	std::map<std::string, cCharacterSet*> sets;
};

class cCharacterTest : public SceneTest
{
protected:
	void SetUp() override
	{
		StartGraphics(64, 48);
		SceneTest::SetUp();
		if (scene->GetObjectTypeId("character") < 0)
			RegisterCharacterType();
		location = new cTestLocation("location", root());
	}

	void Load(const std::string& elements)
	{
		content.AddScene("people", elements);
		ASSERT_TRUE(cSceneResource::BuildInto("people", *location));
	}

	// The share of updates of the set in which each member was the one shown.
	std::vector<double> Shares(cCharacterSet* set, int updates)
	{
		std::vector<double> shares(set->GetMembers().size());
		for (int i = 0; i < updates; ++i)
		{
			set->Update(0.1f);
			int visible = 0;
			for (size_t m = 0; m < shares.size(); ++m)
				if (set->GetMembers()[m]->IsVisible())
				{
					++visible;
					shares[m] += 1.0 / updates;
				}
			EXPECT_EQ(visible, 1);
		}
		return shares;
	}

	cSceneContent content;
	cTestLocation* location = nullptr;
};
}

TEST_F(cCharacterTest, SetsKeepOnePoseAndCharactersOutsideSetsStayWhereTheirSceneWasPut)
{
	testing::internal::CaptureStderr();
	Load(R"(<character name="sit" prob="3" set="man" local="1 0 0 0 1 0 0 0 1 5 6 0"/>
		<character name="stand" set="man"/>
		<character name="alone" local="1 0 0 0 1 0 0 0 1 7 8 0"/>
		<object name="box"><character name="lost" set="man"/></object>)");
	const std::string log = testing::internal::GetCapturedStderr();
	EXPECT_NE(log.find("Character 'lost' cannot join set 'man'"), std::string::npos) << log;

	ASSERT_EQ(location->sets.size(), 1u);
	cCharacterSet* set = location->sets["man"];
	EXPECT_EQ(set->GetTypeName(), "character_set");
	ASSERT_EQ(set->GetMembers().size(), 2u);
	cCharacter* sit = set->GetMembers()[0];
	EXPECT_EQ(sit->GetName(), "sit");
	EXPECT_EQ(sit->GetProb(), 3);
	EXPECT_EQ(sit->GetParent(), set);
	EXPECT_FALSE(sit->IsVisible());
	EXPECT_EQ(sit->GetTransform().GetLocalMatrix()._41, 5) << "the local placement now counts in the set";

	// Outside a set, whether under the location or under a plain object.
	for (const char* path : { "alone", "box/lost" })
	{
		SCOPED_TRACE(path);
		cSceneObject* character = location->GetChildList().FindByPath(path);
		ASSERT_NE(character, nullptr);
		EXPECT_EQ(character->GetTypeName(), "character");
		EXPECT_TRUE(character->IsVisible());
	}

	// A pose whose "idle" plays stays; once it has ended another is picked.
	cCharacter* stand = set->GetMembers()[1];
	for (cCharacter* member : set->GetMembers())
		member->SetVisual(new cProbeVisual(member));
	scene->Update(0.1f);
	cCharacter* shown = sit->IsVisible() ? sit : stand;
	EXPECT_NE(sit->IsVisible(), stand->IsVisible());
	EXPECT_EQ(Probe(shown).animation, "idle");
	EXPECT_TRUE(Probe(shown).playing);
	Probe(sit).playing = Probe(stand).playing = false;
	Probe(shown).playing = true;
	for (int i = 0; i < 20; ++i)
		scene->Update(0.1f);
	EXPECT_TRUE(shown->IsVisible());
	EXPECT_EQ(sit->IsVisible() + stand->IsVisible(), 1);
}

TEST_F(cCharacterTest, EachMemberInTurnGetsItsOwnChanceWithTheFirstAsFallback)
{
	// Members without a model never play "idle", so every update picks.
	const struct
	{
		const char* name;
		std::vector<int> probs;
		std::vector<double> shares;
	} cases[] = {
		{ "one member", { 7 }, { 1 } },
		{ "weights 0 and 0", { 0, 0 }, { 1, 0 } },
		// Sum 4: the first is taken on a draw of 0, the second then always.
		{ "a later weight of sum - 1", { 0, 4 }, { 0.25, 0.75 } },
		// Sum 8: chances 2/8, 3/8, 6/8 in turn, the rest to the first.
		{ "weights 1, 2, 5", { 1, 2, 5 }, { 0.25 + 0.75 * 0.625 * 0.25, 0.75 * 0.375, 0.75 * 0.625 * 0.75 } },
		// Compared without sign, -1 is above every draw.
		{ "a negative weight first", { -1, 5 }, { 1, 0 } },
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		auto* set = new cCharacterSet(c.name, location);
		for (int prob : c.probs)
		{
			auto* member = new cCharacter("pose", location);
			member->GetProperties().SetProperty("prob", std::to_string(prob));
			set->AddMember(member);
		}
		const std::vector<double> shares = Shares(set, 4000);
		for (size_t m = 0; m < shares.size(); ++m)
			EXPECT_NEAR(shares[m], c.shares[m], 0.03) << "member " << m;
	}
}

TEST_F(cCharacterTest, APictureTooLargeForTheDeviceTakesItsLowTextureWhenThereIsOne)
{
	cTestResources resources;
	resources.Add("texture", "face", DdsFile(4, 2, { 0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFFFF0000,
													 0xFFFF0000, 0xFFFF0000, 0xFFFF0000 }));
	resources.Add("texture", "face_low", DdsFile(2, 1, { 0xFF00FF00, 0xFF00FF00 }));
	resources.Add("texture", "hand", DdsFile(4, 2, std::vector<uint32_t>(8, 0xFF0000FF)));
	for (const char* texture : { "face", "hand" })
	{
		cModel model;
		AddQuad(model, 0, 0, 10, 10);
		model.materials.push_back(Material(0, 2, { texture }));
		resources.Add("model", std::string(texture) + "_model", ModelBytes(model));
	}
	cResourceHandle low = cResourceHandle::InitByName<cTextureResource>("face_low");
	cResourceHandle face = cResourceHandle::InitByName<cTextureResource>("face");
	cResourceHandle hand = cResourceHandle::InitByName<cTextureResource>("hand");
	cGraphics* graphics = cGraphics::GetInstance();
	const int deviceLimit = graphics->GetTextureSizeLimit();
	EXPECT_GE(deviceLimit, 64);

	const struct
	{
		const char* model;
		int limit;
		cResourceHandle* expected;
	} cases[] = {
		{ "face_model", 4, &face },
		{ "face_model", 3, &low },
		{ "face_model", 1, &low },
		// No "_low" variant: the full-size texture stays.
		{ "hand_model", 3, &hand },
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(std::string(c.model) + " limit " + std::to_string(c.limit));
		graphics->SetTextureSizeLimit(c.limit);
		content.AddScene(std::string("pose_") + c.model + std::to_string(c.limit),
			std::string("<character name=\"pose\" model=\"") + c.model + "\"/>");
		auto* holder = new cSceneObject("holder", location);
		ASSERT_TRUE(cSceneResource::BuildInto(std::string("pose_") + c.model + std::to_string(c.limit), *holder));
		auto* character = static_cast<cCharacter*>(holder->GetChildList().FindChild("pose"));
		const cMaterialController& material = character->GetPicture()->GetModelController()->GetMaterials().front();
		EXPECT_EQ(material.GetStageTexture(0), c.expected->Get<cTextureResource>()->GetTexture());
		delete holder;
	}
	graphics->SetTextureSizeLimit(deviceLimit);
}
