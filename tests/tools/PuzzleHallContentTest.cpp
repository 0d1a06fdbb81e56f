// The demo's puzzle hall built from the generated content: a location with
// a labelled plinth for every minigame the factory builds, nothing missing,
// each plinth's "game" opening its minigame over the hall until it is
// skipped, and the way back through the map.

#include "../engine/foundation/ChildProcess.h"
#include "ContentTestSupport.h"

#include "engine/resources/cTextManager.h"
#include "engine/resources/cXmlResource.h"
#include "engine/scene/cSceneResource.h"
#include "game/location/cLocationForm.h"
#include "game/minigames/MinigameEffect.h"
#include "game/minigames/cMinigameFactory.h"
#include "game/play/GameObjectTypes.h"
#include "game/scenario/commands/cGameCommand.h"

#include <set>

namespace
{
// Every "location" of the tree follows a "map" of "command".
void ExpectLocationsAfterTheMap(const cScenarioCommand& command)
{
	for (const auto& child : command.GetChildren())
	{
		if (child->GetName() == "location")
		{
			EXPECT_EQ(command.GetName(), "command") << "a location that no map precedes";
		}
		ExpectLocationsAfterTheMap(*child);
	}
}

bool SamePixels(const sPixels& a, const sPixels& b)
{
	for (int y = 100; y < 700; y += 50)
		for (int x = 100; x < 950; x += 50)
			if (PixelAt(a, x, y) != PixelAt(b, x, y))
				return false;
	return true;
}
}

TEST(PuzzleHallContent, EveryMinigameOpensFromItsPlinth)
{
	cTempFolder folder;
	ASSERT_TRUE(GenerateContent(folder.Work()));
	RunInChild([] {
		cCameraObject* screen = StartContentScreen();
		cSceneManager* scene = cSceneManager::GetInstance();
		RegisterCharacterType();
		cResourceManager::GetInstance()->AddSource("localization");
		cTextManager::GetInstance()->LoadFromXml(cResourceHandle::InitByName<cXmlResource>("strings"));
		CreateMinigameEffect();

		auto* hall = new cLocationForm("puzzle_hall", nullptr);
		hall->GetChildList().SetParent(screen, false);
		hall->Show();
		for (int frame = 0; frame < 3; ++frame)
			scene->Update(0.1f);
		ASSERT_EQ(hall->GetState(), cGameWindow::kWorking);
		const sPixels alone = DrawScene();

		cScenarioCommand* hallState = hall->GetState("hall");
		ASSERT_NE(hallState, nullptr);
		ExpectLocationsAfterTheMap(*hallState);
		ASSERT_EQ(hallState->GetChildren().size(), 1u);
		const cScenarioCommand& click = *hallState->GetChildren()[0];
		std::set<std::string> opened;
		for (const auto& child : click.GetChildren())
		{
			auto* command = dynamic_cast<cGameCommand*>(child.get());
			if (!command)
				continue;
			cMinigame* game = command->GetMinigame();
			ASSERT_NE(game, nullptr) << command->GetResult();
			const std::string name = game->GetName();
			cSceneObject* plinth = hall->GetChildList().FindChild(command->GetResult());
			ASSERT_NE(plinth, nullptr) << name;
			EXPECT_TRUE(plinth->IsVisible() && plinth->IsEnabled()) << name;
			EXPECT_NE(hall->GetObjectText(plinth->GetName()), L"") << name;

			cScenarioCommand* reached = nullptr;
			EXPECT_EQ(child->Run(reached), cScenarioCommand::kRunning) << name;
			EXPECT_TRUE(game->IsVisible()) << name;
			EXPECT_EQ(game->GetTransform().GetWorldMatrix()._43, -500) << name;
			for (int frame = 0; frame < 20; ++frame)
				scene->Update(0.1f);
			EXPECT_TRUE(cResourceManager::GetTypeIndex<cSceneResource>().Find(name)) << name << " has no scene";
			EXPECT_FALSE(SamePixels(DrawScene(), alone)) << name << " is drawn over the hall";
			game->Skip();
			for (int frame = 0; frame < 50 && game->IsVisible(); ++frame)
				scene->Update(0.1f);
			EXPECT_FALSE(game->IsVisible()) << name;
			EXPECT_EQ(child->Run(reached), cScenarioCommand::kBranchDone) << name;
			EXPECT_EQ(child->GetOutcome(), "win") << name;
			opened.insert(name);
		}

		// Every minigame the factory builds has its plinth.
		const cMinigameFactory::tRegistry& registry = cMinigameFactory::GetInstance()->GetRegistry();
		for (int index = 0; !registry.GetName(index).empty(); ++index)
			if (registry.GetCreator(index))
			{
				EXPECT_EQ(opened.count(registry.GetName(index)), 1u) << registry.GetName(index);
			}
		EXPECT_FALSE(opened.empty());
		ExpectNothingMissing({"not found", "is missing", "not built", "Unknown minigame", "does not exist"});
		delete hall;
	});
}
