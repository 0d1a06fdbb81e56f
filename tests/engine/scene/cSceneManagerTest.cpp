// The scene manager: object types, posted re-parenting from the main and
// from other threads, and the sorted draw order.

#include "SceneTestSupport.h"

#include <atomic>
#include <cmath>
#include <limits>
#include <thread>

namespace
{
std::vector<cSceneObject*> g_completed;

void OnAttached(cSceneObject* object)
{
	g_completed.push_back(object);
}

class cCustomObject : public cSceneObject
{
public:
	using cSceneObject::cSceneObject;
	std::string GetTypeName() const override { return "custom"; }
	static cSceneObject* Create(const std::string& name, cSceneObject* parent) { return new cCustomObject(name, parent); }
};

cSceneManager::tCompletion Completion()
{
	return cSceneManager::tCompletion(MakeFunctionDelegate(&OnAttached));
}
}

TEST_F(SceneTest, ObjectTypesByNameAndId)
{
	EXPECT_EQ(scene->GetObjectTypeId("object"), 0);
	EXPECT_EQ(scene->GetObjectTypeName(0), "object");
	EXPECT_EQ(scene->GetObjectTypeId("no such type"), -1);
	EXPECT_EQ(scene->GetObjectTypeName(-1), "");
	EXPECT_EQ(scene->GetObjectTypeName(100000), "");
	// Scene files store types by these ids.
	const char* const engineTypes[] = { "object", "geometry", "camera", "button", "text", "flash", "slider",
		"checkbox", "render_target", "psystem", "editbox", "button_text", "menu_item", "emitter", "radio",
		"scene_light", "water2d" };
	for (int id = 0; id < int(std::size(engineTypes)); ++id)
	{
		EXPECT_EQ(scene->GetObjectTypeId(engineTypes[id]), id) << engineTypes[id];
		cSceneObject* made = scene->CreateObject(id, "made", nullptr);
		EXPECT_EQ(made->GetTypeName(), engineTypes[id]);
		delete made;
	}

	scene->RegisterObjectType("custom", &cCustomObject::Create);
	const int id = scene->GetObjectTypeId("custom");
	EXPECT_GT(id, 0);
	scene->RegisterObjectType("custom", nullptr); // the first registration stays
	cSceneObject* custom = scene->CreateObject("custom", "made", root());
	EXPECT_EQ(custom->GetTypeName(), "custom");
	EXPECT_EQ(custom->GetParent(), root());
	cSceneObject* detached = scene->CreateObject(id, "by id", nullptr);
	EXPECT_EQ(detached->GetTypeName(), "custom");
	delete detached;

	// Unknown names and ids, -1 among them, give plain objects.
	for (cSceneObject* plain : { scene->CreateObject("unknown", "a", root()), scene->CreateObject(-1, "b", root()),
			 scene->CreateObject(id + 1000, "c", root()) })
	{
		EXPECT_EQ(plain->GetTypeName(), "object");
		EXPECT_EQ(plain->GetParent(), root());
	}
}

TEST_F(SceneTest, PostedRequestsApplyAtTheNextUpdateInOrder)
{
	g_completed.clear();
	auto* window = new cSceneObject("window", nullptr);
	window->GetTransform().SetLocalMatrix(Translation(3, 4, 0));
	auto* holder = new cSceneObject("holder", root());
	holder->GetTransform().SetLocalMatrix(Translation(100, 0, 0));
	auto* second = new cSceneObject("second", nullptr);
	scene->PostReparent(window, holder, Completion());
	scene->PostReparent(second, holder, cSceneManager::tCompletion());
	EXPECT_EQ(window->GetParent(), nullptr);

	scene->Update(0);
	EXPECT_EQ(holder->GetChildList().GetChildren(), (std::vector<cSceneObject*> { window, second }));
	EXPECT_EQ(g_completed, (std::vector<cSceneObject*> { window }));
	EXPECT_FLOAT_EQ(window->GetTransform().GetWorldMatrix()._41, 103); // local placement kept

	// A request to the current parent changes nothing but still completes.
	scene->PostReparent(window, holder, Completion());
	scene->Update(0);
	EXPECT_EQ(holder->GetChildList().GetChildren().size(), 2u);
	EXPECT_EQ(g_completed.size(), 2u);
}

namespace
{
// Posts a request during its own update.
class cPoster : public cSceneObject
{
public:
	using cSceneObject::cSceneObject;
	void Update(float dt) override
	{
		if (pending)
			Singletone<cSceneManager>::GetInstance()->PostReparent(pending, this, cSceneManager::tCompletion());
		pending = nullptr;
		cSceneObject::Update(dt);
	}
	cSceneObject* pending = nullptr;
};
}

TEST_F(SceneTest, ARequestPostedDuringAnUpdateWaitsForTheNext)
{
	auto* poster = new cPoster("poster", root());
	poster->pending = new cSceneObject("late", nullptr);
	scene->Update(0);
	EXPECT_EQ(poster->GetChildList().FindChild("late"), nullptr);
	scene->Update(0);
	EXPECT_NE(poster->GetChildList().FindChild("late"), nullptr);
}

TEST_F(SceneTest, WorkerThreadsPostAndMarkUnderTheSceneLock)
{
	g_completed.clear();
	auto* doomed = new cSceneObject("doomed", root());
	auto* target = new cSceneObject("target", root());
	std::atomic<bool> posted { false };
	cSceneObject* built = nullptr;
	std::thread loader([&] {
		// A detached subtree built off the main thread, then handed over.
		built = new cSceneObject("built", nullptr);
		for (int i = 1; i <= 3; ++i)
			new cSceneObject("part" + std::to_string(i), built);
		scene->PostReparent(built, target, Completion());
		doomed->MarkForDelete();
		posted = true;
	});
	// The main thread keeps running frames meanwhile.
	while (!posted)
	{
		scene->DispatchInput();
		scene->Update(0.01f);
		scene->Render();
	}
	loader.join();
	scene->Update(0.01f);
	EXPECT_EQ(target->GetChildList().FindByPath("built/part3")->GetParent(), built);
	EXPECT_EQ(root()->GetChildList().FindChild("doomed"), nullptr);
	EXPECT_EQ(g_completed, (std::vector<cSceneObject*> { built }));
}

TEST_F(SceneTest, DrawOrderIsBySortKeyThenFarthestFirst)
{
	std::vector<std::string> drawn;
	const struct
	{
		const char* name;
		int sort;
		float z;
	} objects[] = {
		{ "key1 near", 1, -50 },
		{ "key0 z2", 0, 2 },
		{ "key0 z5", 0, 5 },
		{ "dialog", 100, 900 },
		{ "key-1", -1, -900 },
		{ "key0 nan", 0, std::numeric_limits<float>::quiet_NaN() },
		{ "key0 -inf", 0, -std::numeric_limits<float>::infinity() },
	};
	auto* group = new cSceneObject("group", root());
	for (const auto& entry : objects)
	{
		cSceneObject* object = ProbeObject(entry.name, group, &drawn);
		object->GetTransform().SetLocalMatrix(Translation(0, 0, entry.z));
		object->GetProperties().SetProperty("sort", std::to_string(entry.sort));
	}
	scene->Update(0);
	scene->Render();
	EXPECT_EQ(drawn, (std::vector<std::string> { "key-1", "key0 nan", "key0 z5", "key0 z2", "key0 -inf", "key1 near",
						 "dialog" }));

	// Many objects with NaN depths still sort (the order must stay a strict weak order).
	drawn.clear();
	for (int i = 0; i < 200; ++i)
	{
		cSceneObject* object = ProbeObject("n" + std::to_string(i), group, &drawn);
		object->GetTransform().SetLocalMatrix(Translation(0, 0, i % 3 ? float(i) : std::nanf("")));
	}
	scene->Update(0);
	scene->Render();
	EXPECT_EQ(drawn.size(), 207u);
}

TEST_F(SceneTest, ForceUpdateTransformsRecomputesAtOnce)
{
	auto* object = new cSceneObject("object", root());
	object->GetTransform().SetLocalMatrix(Translation(7, 0, 0));
	object->GetTransform().SetColor(1, 1, 1, 0.5f);
	object->SetVisible(false);
	scene->ForceUpdateTransforms(root());
	EXPECT_FLOAT_EQ(object->GetTransform().GetWorldMatrix()._41, 7);
	EXPECT_FLOAT_EQ(object->GetTransform().GetEffectiveColor().a, 0.5f);
	EXPECT_FALSE(object->GetProperties().IsEffectiveVisible());
}
