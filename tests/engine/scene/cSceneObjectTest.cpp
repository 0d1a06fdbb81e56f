// The per-frame passes of a scene object: the update walk with its deletion
// marks, the input pass with modal objects and consumed clicks, draw
// collection, hit tests with local pick rays, and animations over subtrees.

#include "SceneTestSupport.h"

#include "../foundation/MathTestHelpers.h"

#include <algorithm>
#include <functional>
#include <tuple>

namespace
{
// Runs a hook in its update and records input calls into a shared log.
class cHookObject : public cSceneObject
{
public:
	cHookObject(const std::string& name, cSceneObject* parent, std::vector<std::string>* log)
		: cSceneObject(name, parent), m_log(log)
	{
	}
	void Update(float dt) override
	{
		m_log->push_back("update " + GetName());
		if (onUpdate)
			onUpdate();
		cSceneObject::Update(dt);
	}
	void PreInput() override { m_log->push_back("pre " + GetName()); }
	bool HandleInput() override
	{
		m_log->push_back("handle " + GetName());
		if (consumes)
			cSceneManager::SetInputConsumed(true);
		return takesInput;
	}

	std::function<void()> onUpdate;
	bool takesInput = false;
	bool consumes = false;

private:
	std::vector<std::string>* m_log;
};

using tLog = std::vector<std::string>;
}

TEST_F(SceneTest, UpdateDeletesMarkedChildrenWithoutSkippingTheNext)
{
	tLog log;
	auto* a = new cHookObject("a", root(), &log);
	auto* b = new cHookObject("b", root(), &log);
	new cHookObject("c", root(), &log);
	b->MarkForDelete();
	a->onUpdate = [a] { a->MarkForDelete(); }; // marks itself: gone the next frame
	scene->Update(0.1f);
	EXPECT_EQ(log, (tLog { "update a", "update c" }));
	EXPECT_EQ(root()->GetChildList().FindChild("b"), nullptr);
	EXPECT_NE(root()->GetChildList().FindChild("a"), nullptr);
	log.clear();
	scene->Update(0.1f);
	EXPECT_EQ(log, (tLog { "update c" }));
	EXPECT_EQ(root()->GetChildList().GetChildren().size(), 2u); // c and the default camera
}

TEST_F(SceneTest, UpdateSkipsLaterSiblingsOnceTheListChanged)
{
	tLog log;
	auto* a = new cHookObject("a", root(), &log);
	new cHookObject("b", root(), &log);
	a->onUpdate = [a] { a->MoveInSiblings(false); };
	scene->Update(0);
	EXPECT_EQ(log, (tLog { "update a" })); // b waits for the next frame
	log.clear();
	a->onUpdate = nullptr;
	scene->Update(0);
	EXPECT_EQ(log, (tLog { "update b", "update a" }));
}

TEST_F(SceneTest, InvisibleSubtreesAreNeitherUpdatedNorPruned)
{
	tLog log;
	auto* parent = new cHookObject("parent", root(), &log);
	auto* child = new cHookObject("child", parent, &log);
	child->SetVisual(new cProbeVisual(child));
	parent->SetVisible(false);
	child->MarkForDelete();
	scene->Update(0.5f);
	EXPECT_TRUE(log.empty());
	EXPECT_EQ(parent->GetChildList().FindChild("child"), child); // waits for its parent to be shown
	parent->SetVisible(true);
	scene->Update(0.5f);
	EXPECT_EQ(parent->GetChildList().FindChild("child"), nullptr);

	// A disabled object is still updated.
	auto* disabled = ProbeObject("disabled", root());
	disabled->SetEnabled(false);
	scene->Update(0.25f);
	EXPECT_FLOAT_EQ(Probe(disabled).updatedFor, 0.25f);
}

TEST_F(SceneTest, InputPassVisitsInOrderAndStopsAtAConsumedClick)
{
	tLog log;
	auto* a = new cHookObject("a", root(), &log);
	auto* a1 = new cHookObject("a1", a, &log);
	new cHookObject("b", root(), &log);
	auto* hidden = new cHookObject("hidden", root(), &log);
	auto* disabled = new cHookObject("disabled", root(), &log);
	hidden->SetVisible(false);
	disabled->SetEnabled(false);
	scene->DispatchInput();
	EXPECT_EQ(log, (tLog { "pre a", "handle a", "pre a1", "handle a1", "pre b", "handle b" }));

	// A handler that takes the input hides it from its own children.
	log.clear();
	a->takesInput = true;
	scene->DispatchInput();
	EXPECT_EQ(log, (tLog { "pre a", "handle a", "pre a1", "pre b", "handle b" }));

	// A consumed click ends the pass: later siblings get nothing.
	log.clear();
	a->takesInput = false;
	a1->consumes = true;
	scene->DispatchInput();
	EXPECT_EQ(log, (tLog { "pre a", "handle a", "pre a1", "handle a1" }));
	// The next pass starts with the flag cleared.
	log.clear();
	a1->consumes = false;
	scene->DispatchInput();
	EXPECT_EQ(log.size(), 6u);
}

TEST_F(SceneTest, WithAModalObjectOnlyItsSubtreeHandlesInput)
{
	tLog log;
	new cHookObject("outside", root(), &log);
	auto* dialog = new cHookObject("dialog", root(), &log);
	new cHookObject("button", dialog, &log);
	auto* older = new cHookObject("older", root(), &log);
	older->SetModal(true);
	dialog->SetModal(true);
	EXPECT_EQ(scene->GetTopModal(), dialog);
	scene->DispatchInput();
	EXPECT_EQ(log, (tLog { "pre outside", "pre dialog", "handle dialog", "pre button", "handle button", "pre older" }));

	dialog->SetModal(false);
	EXPECT_EQ(scene->GetTopModal(), older);
	older->SetModal(false);
	log.clear();
	scene->DispatchInput();
	EXPECT_EQ(log.size(), 8u);
}

TEST_F(SceneTest, DeletingAModalObjectTakesItOffTheModalList)
{
	tLog log;
	auto* other = new cHookObject("other", root(), &log);
	auto* dialog = new cSceneObject("dialog", root());
	new cSceneObject("frame", dialog);
	dialog->SetModal(true);
	dialog->MarkForDelete();
	scene->Update(0);
	EXPECT_EQ(scene->GetTopModal(), nullptr);
	log.clear();
	scene->DispatchInput();
	EXPECT_EQ(log, (tLog { "pre other", "handle other" })); // dispatched with modal false

	// Under another modal object the list keeps the rest.
	auto* first = new cSceneObject("first", root());
	auto* second = new cSceneObject("second", first);
	first->SetModal(true);
	second->SetModal(true);
	delete first;
	EXPECT_EQ(scene->GetTopModal(), nullptr);
	other->SetModal(true);
	delete new cSceneObject("never modal", root());
	EXPECT_EQ(scene->GetTopModal(), other);
}

TEST_F(SceneTest, DrawCollectionSkipsTransparentJustShownAndHiddenObjects)
{
	auto* visible = ProbeObject("visible", root());
	visible->SetEnabled(false); // disabled objects are drawn all the same
	auto* faded = ProbeObject("faded", root());
	ProbeObject("under faded", faded);
	auto* hidden = ProbeObject("hidden", root());
	auto* group = new cSceneObject("group", root()); // no visual: not queued, children are
	ProbeObject("in group", group);
	auto* drawn = new cSceneObject("drawn", root());
	drawn->SetForceDraw(true);
	faded->GetTransform().SetColor(1, 1, 1, 0.0001f);
	hidden->SetVisible(false);
	auto* shown = ProbeObject("shown", root());
	shown->SetVisible(false);
	scene->Update(0);
	shown->SetVisible(true); // shown in this frame: drawn after its next update
	scene->Render();
	std::vector<std::string> names;
	for (const sDrawEntry& entry : scene->GetDrawQueue())
		names.push_back(entry.object->GetName());
	std::sort(names.begin(), names.end());
	EXPECT_EQ(names, (tLog { "drawn", "in group", "visible" }));

	scene->Update(0);
	scene->Render();
	EXPECT_EQ(scene->GetDrawQueue().size(), 4u);
}

TEST_F(SceneTest, LocalPickRayAndHitTests)
{
	auto* parent = new cSceneObject("parent", root());
	cMatrix placement;
	placement.MakeTranslationScale(cVector3d(100, 0, 0), cVector3d(2, 2, 1));
	parent->GetTransform().SetLocalMatrix(placement);
	auto* child = ProbeObject("child", parent); // box 0..10 by 0..10 in its space
	child->GetTransform().SetLocalMatrix(Translation(5, 5, 0));
	scene->Update(0);

	scene->GetPickRay() = { cVector3d(120, 30, -1000), cVector3d(0, 0, 2000) };
	sRay local = parent->GetLocalPickRay();
	ExpectVectorNear(local.origin, cVector3d(10, 15, -1000));
	ExpectVectorNear(local.direction, cVector3d(0, 0, 2000));
	EXPECT_TRUE(child->HitTestVisual(child->GetLocalPickRay()));
	EXPECT_FALSE(parent->HitTestVisual(local)); // no visual of its own
	EXPECT_TRUE(parent->HitTest());

	// The child covers world x 110 to 130 and y 10 to 30.
	for (const auto& [x, y, hit] : { std::tuple { 109.0f, 20.0f, false }, { 111.0f, 11.0f, true },
			 { 129.0f, 29.0f, true }, { 131.0f, 20.0f, false } })
	{
		scene->GetPickRay().origin = cVector3d(x, y, -1000);
		EXPECT_EQ(parent->HitTest(), hit) << x << ", " << y;
	}
	scene->GetPickRay().origin = cVector3d(120, 20, -1000);
	child->SetEnabled(false);
	EXPECT_FALSE(parent->HitTest());
	child->SetEnabled(true);
	child->SetVisible(false);
	EXPECT_FALSE(parent->HitTest());
	EXPECT_TRUE(child->HitTest()); // its own visual counts whatever its flags
}

TEST_F(SceneTest, SortKeysModelsAndVisuals)
{
	auto* parent = ProbeObject("parent", root());
	auto* child = new cSceneObject("child", parent);
	new cSceneObject("grandchild", child);
	parent->SetSortKey(60);
	EXPECT_EQ(child->GetChildList().FindChild("grandchild")->GetProperties().GetProperty("sort"), "60");

	parent->SetModel("quad");
	child->SetModel("ignored"); // no visual: nothing happens
	EXPECT_EQ(Probe(parent).model, "quad");

	// Counted afresh on each run of the test (--gtest_repeat runs it again).
	static int deleted;
	deleted = 0;
	struct cCountedVisual : cProbeVisual
	{
		using cProbeVisual::cProbeVisual;
		~cCountedVisual() override { ++deleted; }
	};
	auto* first = new cCountedVisual(child);
	child->SetVisual(first);
	child->SetVisual(first);
	EXPECT_EQ(deleted, 0);
	child->SetVisual(new cCountedVisual(child));
	EXPECT_EQ(deleted, 1);
	child->MarkForDelete();
	scene->Update(0);
	EXPECT_EQ(deleted, 2);
}

TEST_F(SceneTest, AnimationsActOnTheWholeSubtree)
{
	auto* top = ProbeObject("top", root());
	auto* group = new cSceneObject("group", top); // no visual: the walk goes through
	auto* a = ProbeObject("a", group);
	auto* b = ProbeObject("b", group);
	auto* hidden = ProbeObject("hidden", top);
	hidden->SetVisible(false);
	for (cSceneObject* object : { top, a, b, hidden })
		Probe(object).length = 2;
	Probe(b).length = 4;

	top->GetAnimations().PlayByName("appear");
	EXPECT_EQ(Probe(hidden).animation, "appear"); // started in hidden children too
	EXPECT_TRUE(Probe(hidden).playing);
	EXPECT_FLOAT_EQ(top->GetAnimations().GetLength(), 4);
	top->GetAnimations().Seek(0.5f);
	EXPECT_FLOAT_EQ(Probe(b).time, 2);
	EXPECT_FLOAT_EQ(top->GetAnimations().GetTime(), 2);
	top->GetAnimations().SetLoopByName("appear", true);
	EXPECT_EQ(Probe(a).params, (tLog { "appear=1" }));

	// Only visible objects count as playing; the first playing one ends the search.
	for (cSceneObject* object : { top, a, b })
		Probe(object).playing = false;
	Probe(a).playing = true;
	for (cSceneObject* object : { top, a, b, hidden })
		Probe(object).playQueries = 0;
	EXPECT_TRUE(top->GetAnimations().IsPlaying());
	EXPECT_EQ(Probe(b).playQueries, 0);
	EXPECT_TRUE(top->IsBusy());
	Probe(a).playing = false;
	EXPECT_FALSE(top->GetAnimations().IsPlaying());
	EXPECT_EQ(Probe(hidden).playQueries, 0);

	// Looping by name asks every visible visual, even after a true answer.
	Probe(a).playing = Probe(a).looping = true;
	Probe(b).playQueries = 0;
	EXPECT_TRUE(top->GetAnimations().IsLoopingByName("appear"));
	EXPECT_EQ(Probe(b).playQueries, 1);
	EXPECT_TRUE(top->GetAnimations().IsPlayingByName("appear"));
	EXPECT_FALSE(top->GetAnimations().IsPlayingByName("disappear"));

	// By name: only visuals whose current animation it is, playing or not.
	Probe(b).animation = "other";
	EXPECT_FLOAT_EQ(top->GetAnimations().GetLengthByName("appear"), 2);
	top->GetAnimations().SeekByName("other", 0.25f);
	EXPECT_FLOAT_EQ(Probe(b).time, 1);
	EXPECT_FLOAT_EQ(Probe(top).time, 1); // left at half of 2 s
	Probe(b).playing = true;
	top->GetAnimations().StopByName("appear");
	EXPECT_FALSE(Probe(a).playing);
	EXPECT_FALSE(Probe(hidden).playing); // hidden children too
	EXPECT_TRUE(Probe(b).playing);
	top->GetAnimations().StopAll();
	EXPECT_FALSE(Probe(b).playing);
}
