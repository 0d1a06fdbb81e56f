// The location form built from its scene and scenario: how its objects are
// sorted and grouped, how paths find them, its scenario's start, and the
// forms that have no scenario to start.

#include "LocationTestSupport.h"

#include "game/play/cCharacter.h"
#include "game/screens/cComicsWindow.h"
#include "game/screens/cMovieWindow.h"

#include <algorithm>

namespace
{
bool Contains(const std::vector<cSceneObject*>& objects, const std::string& name)
{
	return std::any_of(objects.begin(), objects.end(), [&](cSceneObject* o) { return o->GetName() == name; });
}

bool IsHidden(const cLocationForm& form, const std::string& name)
{
	for (const sISpyGroup& group : form.GetISpyGroups())
		for (cSceneObject* object : group.objects)
			if (object->GetName() == name)
				return true;
	return false;
}

std::string Kind(const cLocationForm& form, const std::string& name)
{
	if (IsHidden(form, name))
		return "hidden";
	return Contains(form.GetPickableObjects(), name) ? "pickable" : "ignored";
}
}

TEST_F(LocationTest, ObjectsAreSortedByTheirProperties)
{
	cLocationForm* form = Build("location1");
	const struct
	{
		const char* name;
		const char* kind;
		bool visible;
		bool enabled;
	} rows[] = {
		{"bg", "ignored", true, true},
		{"statue", "ignored", true, true},
		{"door", "pickable", true, true},
		{"chest", "pickable", false, false},
		{"cup", "hidden", true, false},
		{"pen", "hidden", true, false},
		{"key", "hidden", true, false},
	};
	for (const auto& row : rows)
	{
		cSceneObject* object = form->GetChildList().FindChild(row.name);
		ASSERT_NE(object, nullptr) << row.name;
		EXPECT_EQ(Kind(*form, row.name), row.kind) << row.name;
		EXPECT_EQ(object->IsVisible(), row.visible) << row.name;
		EXPECT_EQ(object->IsEnabled(), row.enabled) << row.name;
	}
	ASSERT_EQ(form->GetTopObjects().size(), 9u);
	EXPECT_EQ(form->GetTopObjects().front()->GetName(), "bg");
	EXPECT_EQ(form->GetBackground(), form->GetChildList().FindChild("bg"));
}

TEST_F(LocationTest, HiddenObjectsAreGroupedByTheTextTheyShow)
{
	cLocationForm* form = Build("location1");
	const std::vector<sISpyGroup>& groups = form->GetISpyGroups();
	ASSERT_EQ(groups.size(), 3u);
	EXPECT_EQ(groups[0].text, L"Cup");
	ASSERT_EQ(groups[0].objects.size(), 2u);
	EXPECT_EQ(groups[0].objects[0]->GetName(), "cup");
	EXPECT_EQ(groups[0].objects[1]->GetName(), "mug");
	EXPECT_EQ(groups[1].text, L"Pen");
	EXPECT_EQ(groups[2].text, L"Key");
	EXPECT_EQ(form->GetObjectText("key"), L"Key");
	EXPECT_EQ(form->GetObjectText("door"), L"") << "an object without a text";

	// Listing both members of a group to find makes one active group.
	form->AddItemToFind("cup");
	form->AddItemToFind("mug");
	form->AddItemToFind("chest");
	ASSERT_EQ(form->GetActiveISpyGroups().size(), 1u) << "a hidden child is not listed";
	EXPECT_EQ(form->GetActiveISpyGroups()[0].objects.size(), 2u);
}

TEST_F(LocationTest, DottedPathsWalkDownAndUp)
{
	cLocationForm* form = Build("location1");
	cSceneObject* shelf = form->GetChildList().FindChild("shelf");
	cSceneObject* book = shelf->GetChildList().FindChild("book");
	cSceneObject* page = book->GetChildList().FindChild("page");
	cSceneObject* vase = shelf->GetChildList().FindChild("vase");
	const struct
	{
		const char* path;
		cSceneObject* start;
		cSceneObject* found;
	} rows[] = {
		{"shelf", nullptr, shelf},
		{"shelf.book.page", nullptr, page},
		{"book", nullptr, nullptr},
		{"shelf.nothing.page", nullptr, nullptr},
		{"parent.vase", book, vase},
		{"parent.parent.vase", page, vase},
		{"parent.shelf", form, nullptr},
		{"page", book, page},
		{"", nullptr, nullptr},
	};
	for (const auto& row : rows)
		EXPECT_EQ(form->FindObject(row.path, row.start), row.found) << row.path;

	auto* loose = new cSceneObject("loose", nullptr);
	EXPECT_EQ(form->FindObject("parent.door", loose), nullptr) << "no parent to step up to";
	delete loose;
}

TEST_F(LocationTest, TheStartupStateRunsWhenTheFormIsBuilt)
{
	cLocationForm* form = Build("location1");
	EXPECT_EQ(TakeTrace(), "boot! boot?");
	EXPECT_EQ(form->GetStateName(), "explore");
	EXPECT_EQ(form->GetRunningCommand(), form->GetState("explore"));
	EXPECT_EQ(g_currentLocation, form);
	EXPECT_EQ(g_locationToShow.load(), static_cast<cGameWindow*>(form));
	EXPECT_EQ(progress.currentLocation, "location1");

	// Showing ticks the running state; the stored progress names it.
	form->Show();
	EXPECT_EQ(TakeTrace(), "look! look?");
	form->Hide();
	EXPECT_EQ(progress.GetLocationStateName("location1"), "explore");
	EXPECT_EQ(progress.locationSaves["location1"].objects.children.size(), 9u);
}

TEST_F(LocationTest, AStartupBranchThatEndsAtOnceLeavesStartupCurrent)
{
	resources.Add("xml", "quiet", BytesOf(R"(<scenario><state name="startup"><step><item name="hello"/></step></state></scenario>)"));
	cLocationForm* form = Build("quiet");
	EXPECT_EQ(TakeTrace(), "hello! hello?");
	EXPECT_EQ(form->GetRunningCommand(), form->GetState("startup"));
	EXPECT_EQ(form->GetState(""), form->GetState("startup"));
}

TEST_F(LocationTest, AStoredLocationComesBackAsItWasLeft)
{
	cLocationForm* form = Build("location1");
	form->GetChildList().FindChild("chest")->SetVisible(true);
	form->GetChildList().FindByPath("shelf/vase")->SetEnabled(false);
	form->SaveToProfile();
	delete form;
	TakeTrace();

	form = Build("location1");
	EXPECT_EQ(TakeTrace(), "") << "restored, not started again";
	EXPECT_EQ(form->GetStateName(), "explore");
	EXPECT_TRUE(form->GetChildList().FindChild("chest")->IsVisible());
	EXPECT_FALSE(form->GetChildList().FindByPath("shelf/vase")->IsEnabled());

	// A scene that gained an object deep down no longer fits its record.
	new cSceneObject("new_leaf", form->GetChildList().FindByPath("shelf/book/page"));
	EXPECT_FALSE(progress.ApplyObjectStates("location1", form->GetTopObjects()));
	EXPECT_FALSE(progress.ApplyObjectStates("elsewhere", form->GetTopObjects()));
}

// Forms without a "startup" state to run are built, shown, hidden, stored
// and deleted; their next visit starts afresh.
TEST_F(LocationTest, FormsWithoutAStartupStateStandStill)
{
	resources.Add("xml", "nostartup", BytesOf(R"(<scenario><state name="other"><step><item name="never"/></step></state></scenario>)"));
	content.AddScene("noscenario", "<object name=\"thing\" tooltip=\"true\"/>");
	for (const char* name : {"noscenario", "nostartup", "location1\r\n"})
	{
		log.clear();
		progress.SetLocationStateName(name, "stale");
		cLocationForm* form = Build(name);
		EXPECT_NE(log.find("State 'startup' not found"), std::string::npos) << name << log;
		EXPECT_EQ(form->GetRunningCommand(), nullptr) << name;
		EXPECT_EQ(form->GetState(""), nullptr) << name;
		form->Show();
		for (int i = 0; i < 3; ++i)
			scene->Update(0.1f);
		form->Hide();
		EXPECT_EQ(progress.GetLocationStateName(name), "") << name;
		EXPECT_EQ(progress.locationSaves[name].scenarioData.GetSize(), 0u) << name;
		delete form;
		EXPECT_EQ(g_currentLocation, nullptr) << name;
	}
	EXPECT_EQ(TakeTrace(), "");
}

TEST_F(LocationTest, CharacterPosesJoinTheirSetUnderTheForm)
{
	scene->RegisterObjectType("character", &CreateCharacterObject);
	content.AddScene("people", R"(<character name="sit" set="host"/><character name="stand" set="host"/>)");
	cLocationForm* form = Build("people");
	cSceneObject* set = form->GetChildList().FindChild("host");
	ASSERT_NE(set, nullptr);
	EXPECT_EQ(set->GetTypeName(), "character_set");
	EXPECT_EQ(set->GetChildList().GetChildren().size(), 2u);
	EXPECT_EQ(form->GetTopObjects().size(), 1u);
}

namespace
{
// Counts the forms alive and those deleted.
class cCountedForm : public cLocationForm
{
public:
	cCountedForm(const std::string& name, cLocationForm* parent) : cLocationForm(name, parent) { ++live; }
	~cCountedForm() override
	{
		--live;
		++deleted;
	}

	static inline int live = 0;
	static inline int deleted = 0;
};
}

// The left form goes exactly once, whether the next form became the
// current location before or after the left one closed.
TEST_F(LocationTest, ALeftFormIsDeletedOnceWhicheverFormIsCurrentFirst)
{
	for (bool nextFirst : {true, false})
	{
		cCountedForm::deleted = 0;
		cCountedForm* left = Build<cCountedForm>("location1");
		left->Show();
		scene->Update(0.1f);
		ASSERT_EQ(left->GetState(), cGameWindow::kWorking);

		left->Hide();
		EXPECT_EQ(g_previousLocation, left);
		cCountedForm* next = nextFirst ? Build<cCountedForm>("location1") : nullptr;
		scene->Update(0.1f);
		if (!nextFirst)
			next = Build<cCountedForm>("location1");
		for (int i = 0; i < 3; ++i)
			scene->Update(0.1f);

		EXPECT_EQ(cCountedForm::deleted, 1) << nextFirst;
		EXPECT_EQ(cCountedForm::live, 1) << nextFirst;
		EXPECT_EQ(g_currentLocation, next) << nextFirst;
		EXPECT_EQ(g_previousLocation, nullptr) << nextFirst;
		EXPECT_EQ(root()->GetChildList().FindChild("location1"), next) << nextFirst;
		delete next;
		EXPECT_EQ(cCountedForm::live, 0);
	}
}

TEST_F(LocationTest, CutSceneWindowsAreBuiltOnceByName)
{
	cLocationForm* form = Build("location1");
	testing::internal::CaptureStderr();
	form->PreloadComics("intro_comics");
	form->PreloadComics("intro_comics");
	form->PreloadMovie("ending");
	testing::internal::GetCapturedStderr();
	const auto count = [form](const char* name) {
		const auto& children = form->GetChildList().GetChildren();
		return std::count_if(children.begin(), children.end(), [&](cSceneObject* o) { return o->GetName() == name; });
	};
	EXPECT_EQ(count("intro_comics"), 1);
	EXPECT_EQ(count("ending"), 1);

	cComicsWindow* comics = form->ShowComics("intro_comics");
	ASSERT_NE(comics, nullptr);
	EXPECT_EQ(comics, form->GetChildList().FindChild("intro_comics"));
	EXPECT_NE(comics->GetState(), cGameWindow::kHidden);
	EXPECT_NE(form->ShowMovie("ending"), nullptr);
	EXPECT_EQ(form->ShowComics("ending"), nullptr) << "a movie is no comic";
	EXPECT_EQ(form->ShowMovie("never_built"), nullptr);
}
