// Moving between locations on the loader thread: a location left and
// entered again, in one run and after a restart of the process, comes back
// as it was left; a change asked for during a load waits for it; the left
// form goes exactly once; the hourglass shows while a form is built; the
// form joins the effect window's target and warns when nothing will show
// it; and a form stores itself at its deletion only into the progress of
// the player it was built for.

#include "LocationSwitchSupport.h"

#include "../../engine/foundation/ChildProcess.h"

#include "engine/foundation/cConfig.h"
#include "game/play/cProfileManager.h"

#include <algorithm>
#include <filesystem>

namespace
{
// Counts the forms whose destructor ran.
int s_formsDeleted = 0;

void CountDeletion(cSceneObject*)
{
	++s_formsDeleted;
}

// Starts the first location as the game's start does, without the diary.
bool Enter(cLocationSwitcher& switcher, const std::string& name)
{
	new cLocationLoaderThread(name, false);
	return cLocationSwitcher::WaitFor(name, [&] { switcher.Frame(0.02f); });
}

// The current form, counted when it is deleted.
cLocationForm* Current()
{
	g_currentLocation->BindEvent("on_delete", cSceneObject::tEvent(MakeFunctionDelegate(&CountDeletion)));
	return g_currentLocation;
}

cSceneObject* Find(const std::string& path)
{
	return g_currentLocation->GetChildList().FindByPath(path);
}

// What the player did in the first room and in the second.
void ChangeFirstRoom()
{
	Find("chest")->SetVisible(true);
	Find("shelf/vase")->SetEnabled(false);
}

void ChangeSecondRoom()
{
	Find("lamp")->GetMotions().PlayByName("swing");
	Find("lamp/flame")->GetAnimations().PlayByName("glow");
	Find("drawer")->SetVisible(true);
	Find("drawer")->SetEnabled(true);
}

// The rooms as they were left; the scenario went on from where it was.
void ExpectFirstRoomRestored()
{
	EXPECT_TRUE(Find("chest")->IsVisible());
	EXPECT_FALSE(Find("shelf/vase")->IsEnabled());
	EXPECT_TRUE(Find("door")->IsVisible());
	EXPECT_EQ(g_currentLocation->GetStateName(), "explore");
}

void ExpectSecondRoomRestored()
{
	const cMotionPlayer* player = Find("lamp")->GetMotions().GetPlayer();
	ASSERT_NE(player, nullptr);
	EXPECT_TRUE(player->IsPlaying());
	EXPECT_EQ(player->GetCurrentClipName(), "swing");
	EXPECT_EQ(Probe(Find("lamp/flame")).animation, "glow");
	EXPECT_TRUE(Probe(Find("lamp/flame")).playing);
	EXPECT_FALSE(Probe(Find("lamp")).playing) << "the lamp itself was not glowing";
	EXPECT_TRUE(Find("drawer")->IsVisible());
	EXPECT_TRUE(Find("drawer")->IsEnabled());
	EXPECT_EQ(g_currentLocation->GetStateName(), "stay");
}

// The step commands that ran, without the long waits of the rooms.
std::string StartsRun()
{
	std::string starts;
	for (const std::string& step : Trace())
		if (step == "boot!" || step == "arrive!")
			starts += step;
	Trace().clear();
	return starts;
}

// A fresh process's world: the application object first, as the game makes
// it, so that it outlives the sound manager's thread at the end.
void StartProcess()
{
	Singletone<cWin32Application>::GetInstance();
}

int FormsIn(cSceneObject* parent)
{
	int forms = 0;
	for (cSceneObject* child : parent->GetChildList().GetChildren())
		forms += dynamic_cast<cLocationForm*>(child) ? 1 : 0;
	return forms;
}

class LocationSwitchTest : public LocationTest
{
protected:
	void SetUp() override
	{
		StartProcess();
		LocationTest::SetUp();
		AddSecondRoom(world);
		s_formsDeleted = 0;
	}

	// A few frames more for the deletions the last frame marked.
	void Settle()
	{
		for (int i = 0; i < 3; ++i)
			switcher.Frame(0.02f);
	}

	cLocationSwitcher switcher;
};
}

TEST_F(LocationSwitchTest, LeftLocationsComeBackAsTheyWereLeft)
{
	ASSERT_TRUE(Enter(switcher, "location1"));
	EXPECT_EQ(StartsRun(), "boot!");
	Current();
	ChangeFirstRoom();

	ASSERT_TRUE(switcher.SwitchTo("location2"));
	Current();
	EXPECT_EQ(StartsRun(), "arrive!");
	ChangeSecondRoom();

	ASSERT_TRUE(switcher.SwitchTo("location1"));
	Current();
	ExpectFirstRoomRestored();

	ASSERT_TRUE(switcher.SwitchTo("location2"));
	Current();
	ExpectSecondRoomRestored();
	EXPECT_EQ(StartsRun(), "") << "restored, not started again";

	Settle();
	EXPECT_EQ(s_formsDeleted, 3) << "each left form once";
	EXPECT_EQ(FormsIn(root()), 1);
	EXPECT_EQ(root()->GetChildList().FindChild("location2"), g_currentLocation);
	EXPECT_EQ(progress.currentLocation, "location2");
	EXPECT_EQ(switcher.entered, std::vector<std::string>({"location1", "location2", "location1", "location2"}));
}

TEST(LocationSwitch, LocationsComeBackAfterARestart)
{
	cTempFolder shared;
	const std::string folder = cTempFolder::EnginePath(shared.Work());
	// One run of the game: each room is changed and left, the second at
	// the game's end.
	RunInChild([&] {
		StartProcess();
		cLocationWorld world;
		AddSecondRoom(world);
		Singletone<cConfig>::GetInstance()->SetValue("engine_directory", folder);
		cLocationSwitcher switcher;
		ASSERT_TRUE(Enter(switcher, "location1"));
		ChangeFirstRoom();
		ASSERT_TRUE(switcher.SwitchTo("location2"));
		ChangeSecondRoom();
		DeleteCurrentLocation();
	});
	// The next run starts where the player left and finds both rooms.
	RunInChild([&] {
		StartProcess();
		cLocationWorld world;
		AddSecondRoom(world);
		Singletone<cConfig>::GetInstance()->SetValue("engine_directory", folder);
		ASSERT_TRUE(world.progress.Load());
		ASSERT_EQ(world.progress.currentLocation, "location2");
		cLocationSwitcher switcher;
		ASSERT_TRUE(Enter(switcher, world.progress.currentLocation));
		ExpectSecondRoomRestored();
		ASSERT_TRUE(switcher.SwitchTo("location1"));
		ExpectFirstRoomRestored();
		EXPECT_EQ(StartsRun(), "");
		DeleteCurrentLocation();
	});
}

// While the loader builds the next form, the main thread's passes hold the
// scene lock (held here by the test): the old form stays the current
// location until the new one is complete, the hourglass shows, and a
// change asked for meanwhile starts only once the load has ended.
TEST_F(LocationSwitchTest, AChangeAskedForDuringALoadWaitsForIt)
{
	ASSERT_TRUE(Enter(switcher, "location1"));
	cLocationForm* first = Current();
	cCursorManager* cursors = Singletone<cCursorManager>::GetInstance();
	EXPECT_EQ(cursors->GetCursorName(), "cursor");
	{
		cAutoLock hold(scene->GetLock());
		SetNextLocation("location2");
		switcher.Frame(0.02f);
		for (int attempt = 0; attempt < 5000 && cursors->GetCursorName() != "hours"; ++attempt)
		{
			std::this_thread::sleep_for(std::chrono::milliseconds(1));
			cursors->Update(0);
		}
		EXPECT_EQ(cursors->GetCursorName(), "hours");
		EXPECT_TRUE(g_locationLoading);
		EXPECT_EQ(g_currentLocation, first) << "the new form is not complete";
		EXPECT_EQ(g_locationToShow.load(), static_cast<cGameWindow*>(first));

		SetNextLocation("location1");
		for (int i = 0; i < 5; ++i)
			switcher.Frame(0.02f);
		EXPECT_TRUE(g_locationLoading);
	}
	// The second room is entered, then left again for the first.
	ASSERT_TRUE(cLocationSwitcher::WaitFor("location1", [&] { switcher.Frame(0.02f); }));
	Settle();
	EXPECT_EQ(switcher.entered, std::vector<std::string>({"location1", "location2", "location1"}))
		<< "one load after the other";
	EXPECT_EQ(s_formsDeleted, 1) << "the first room went once";
	EXPECT_EQ(FormsIn(root()), 1);
	EXPECT_EQ(cursors->GetCursorName(), "cursor");
	EXPECT_EQ(progress.GetLocationStateName("location2"), "stay") << "the second room worked and was stored";
}

// The form joins the effect window's "rt/target" (the root without one)
// and, when the diary and map window is not there to show it, says so.
TEST_F(LocationSwitchTest, ALoadedFormJoinsTheEffectWindowAndWarnsWhenNothingShowsIt)
{
	auto* effect = new cGameWindow("effect", root(), false);
	cSceneObject* target = new cSceneObject("target", new cSceneObject("rt", effect));
	auto* diary = new cGameWindow("diary", root(), false);
	const struct
	{
		cGameWindow* effect;
		cGameWindow* diary;
		bool diaryVisible;
		bool warned;
	} rows[] = {
		{nullptr, nullptr, false, true},
		{effect, diary, false, true},
		{effect, diary, true, false},
	};
	for (const auto& row : rows)
	{
		SetEffectWindow(row.effect);
		SetDiaryWindow(row.diary);
		diary->SetVisible(row.diaryVisible);
		testing::internal::CaptureStderr();
		new cLocationLoaderThread("location2", false);
		for (int attempt = 0; attempt < 5000 && !cLocationSwitcher::IsAttached(); ++attempt)
		{
			std::this_thread::sleep_for(std::chrono::milliseconds(1));
			scene->Update(0.02f);
		}
		const std::string log = testing::internal::GetCapturedStderr();
		ASSERT_NE(g_currentLocation, nullptr);
		EXPECT_EQ(g_currentLocation->GetParent(), row.effect ? target : root());
		EXPECT_EQ(log.find("Location 'location2' was loaded while the diary is hidden") != std::string::npos, row.warned)
			<< log;
		DeleteCurrentLocation();
		EXPECT_EQ(g_currentLocation, nullptr);
	}
	SetEffectWindow(nullptr);
	SetDiaryWindow(nullptr);
}

namespace
{
const std::wstring kPlayerA = L"A";
const std::wstring kPlayerB = L"B";

// The host path of the player's profile file.
std::string FileOf(const std::wstring& player)
{
	cPlayerProgress named;
	named.SetName(player);
	std::string path = named.GetFileName();
	std::replace(path.begin(), path.end(), '\\', '/');
	return path;
}
}

// A form hidden by a smooth return to the main menu lives on as the current
// location until the game ends. If the player is changed or deleted
// meanwhile, its deletion stores nothing: the form stored itself into its
// own player's progress when it hid.
TEST(LocationSwitch, AFormStoresItselfOnlyForThePlayerItWasBuiltFor)
{
	enum eThen
	{
		kStay,
		kSelectOther,
		kDeletePlayer
	};
	for (eThen then : {kStay, kSelectOther, kDeletePlayer})
		RunInChild([then] {
			StartProcess();
			cLocationWorld world;
			cProfileManager* players = cProfileManager::GetInstance();
			players->Init(CreatePlayerProgress, nullptr, 18);
			ASSERT_TRUE(players->CreateProfile(kPlayerA));
			ASSERT_TRUE(players->CreateProfile(kPlayerB));
			ASSERT_TRUE(players->SelectProfile(kPlayerB));
			ASSERT_TRUE(g_currentProfile->Save());
			const std::string fileB = cTempFolder::ReadFile(FileOf(kPlayerB));
			ASSERT_TRUE(players->SelectProfile(kPlayerA));
			if (then == kDeletePlayer)
			{
				ASSERT_TRUE(players->DeleteProfile(kPlayerB));
			}

			cLocationForm* form = world.Build("location1", cSceneManager::GetInstance()->GetRoot());
			form->Show();
			cSceneManager::GetInstance()->Update(0.1f);
			form->GetChildList().FindChild("chest")->SetVisible(true);
			ReturnToMainMenu(true);
			EXPECT_EQ(g_currentLocation, form) << "hidden, not yet deleted";
			// Seen by the deletion only.
			form->GetChildList().FindByPath("shelf/vase")->SetEnabled(false);

			if (then == kSelectOther)
			{
				ASSERT_TRUE(players->SelectProfile(kPlayerB));
			}
			else if (then == kDeletePlayer)
			{
				ASSERT_TRUE(players->DeleteProfile(kPlayerA));
			}
			DeleteCurrentLocation();
			EXPECT_EQ(g_currentLocation, nullptr);

			if (then == kSelectOther)
			{
				EXPECT_EQ(cTempFolder::ReadFile(FileOf(kPlayerB)), fileB) << "the other player's file is untouched";
			}
			if (then == kDeletePlayer)
			{
				EXPECT_FALSE(std::filesystem::exists(FileOf(kPlayerA))) << "no file for a deleted player";
				return;
			}
			cPlayerProgress stored;
			stored.SetName(kPlayerA);
			ASSERT_TRUE(stored.Load());
			EXPECT_EQ(stored.GetLocationStateName("location1"), "explore") << then;
			const std::vector<cSavedObjectState>& records = stored.locationSaves["location1"].objects.children;
			ASSERT_EQ(records.size(), 9u);
			EXPECT_TRUE(records[2].visible) << "the chest as the player left it";
			EXPECT_EQ(records[8].children[1].enabled, then != kStay)
				<< "only the same player's progress takes the last store";
		});
}
