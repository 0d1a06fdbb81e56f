// Finding objects by name, path, number and property; re-hanging and
// reordering children; the order in which a list deletes its children.

#include "SceneTestSupport.h"

#include "engine/scene/cChildList.h"

namespace
{
// root: "a" { "b" { "c" }, "" { "d" } }, "a" (a second, later "a"), "" { "e" }
struct sPathTree
{
	cSceneObject root { "root", nullptr };
	cSceneObject* a = new cSceneObject("a", &root);
	cSceneObject* b = new cSceneObject("b", a);
	cSceneObject* c = new cSceneObject("c", b);
	cSceneObject* unnamedInA = new cSceneObject("", a);
	cSceneObject* d = new cSceneObject("d", unnamedInA);
	cSceneObject* secondA = new cSceneObject("a", &root);
	cSceneObject* unnamed = new cSceneObject("", &root);
	cSceneObject* e = new cSceneObject("e", unnamed);
};
}

TEST(cChildList, PathLookupFollowsTheFirstMatchAtEachStep)
{
	sPathTree tree;
	const struct
	{
		const char* path;
		cSceneObject* expected;
	} cases[] = {
		{ "a", tree.a },
		{ "a/b/c", tree.c },
		{ "a/b/", tree.b },        // a trailing "/" names the object before it
		{ "a/b/c/", tree.c },
		{ "/e", tree.e },          // a leading "/" steps into the child with an empty name
		{ "a//d", tree.d },        // so does a doubled one
		{ "", tree.unnamed },
		{ "a/x", nullptr },
		{ "b", nullptr },          // only direct children at the first step
		{ "a/b/c/d", nullptr },
	};
	for (const auto& entry : cases)
		EXPECT_EQ(tree.root.GetChildList().FindByPath(entry.path), entry.expected) << '"' << entry.path << '"';
	EXPECT_EQ(tree.root.GetChildList().FindChild("a"), tree.a);
	EXPECT_EQ(tree.a->GetChildList().FindChild("B"), nullptr); // names compare exactly
}

TEST(cChildList, LeadingSlashWithoutAnUnnamedChildFindsNothing)
{
	cSceneObject root("root", nullptr);
	new cSceneObject("a", &root);
	EXPECT_EQ(root.GetChildList().FindByPath("/a"), nullptr);
}

TEST(cChildList, NumberedChildrenStopAtTheFirstGapAndAppend)
{
	cSceneObject root("root", nullptr);
	cSceneObject* item1 = new cSceneObject("item1", &root);
	cSceneObject* item2 = new cSceneObject("item2", &root);
	new cSceneObject("item4", &root);
	cSceneObject* minus1 = new cSceneObject("item-1", &root);
	cSceneObject* item0 = new cSceneObject("item0", &root);
	new cSceneObject("item01", &root); // "%i" has no leading zeros

	std::vector<cSceneObject*> found { &root };
	root.GetChildList().CollectNumberedChildren(found, "item", 1);
	EXPECT_EQ(found, (std::vector<cSceneObject*> { &root, item1, item2 }));

	found.clear();
	root.GetChildList().CollectNumberedChildren(found, "item", -1);
	EXPECT_EQ(found, (std::vector<cSceneObject*> { minus1, item0, item1, item2 }));

	found.clear();
	root.GetChildList().CollectNumberedChildren(found, "item", 3);
	EXPECT_TRUE(found.empty()); // item4 exists, item3 does not
}

TEST(cChildList, ChildrenByProperty)
{
	cSceneObject root("root", nullptr);
	cSceneObject* first = new cSceneObject("first", &root);
	cSceneObject* second = new cSceneObject("second", &root);
	new cSceneObject("third", &root);
	first->GetProperties().SetProperty("group", "x");
	second->GetProperties().SetProperty("group", "x");
	second->SetSortKey(7);

	EXPECT_EQ(root.GetChildList().FindChildByProperty("group", "x"), first);
	EXPECT_EQ(root.GetChildList().FindChildByProperty("sort", "7"), second);
	EXPECT_EQ(root.GetChildList().FindChildByProperty("group", "y"), nullptr);
	std::vector<cSceneObject*> found;
	root.GetChildList().FindChildrenByProperty(found, "group", "x");
	EXPECT_EQ(found, (std::vector<cSceneObject*> { first, second }));
}

TEST(cChildList, ReHangingKeepsLocalOrWorldPlacement)
{
	cSceneObject root("root", nullptr);
	cSceneObject* left = new cSceneObject("left", &root);
	cSceneObject* right = new cSceneObject("right", &root);
	left->GetTransform().SetLocalMatrix(Translation(10, 0, 0));
	right->GetTransform().SetLocalMatrix(Translation(0, 100, 0));
	cSceneObject* child = new cSceneObject("child", left);
	child->GetTransform().SetLocalMatrix(Translation(1, 2, 3));
	root.UpdateTransforms(false, false);
	const cMatrix world = child->GetTransform().GetWorldMatrix();
	EXPECT_EQ(world._41, 11);

	// The same parent: nothing at all changes.
	left->GetChildList().MarkUnchanged();
	child->GetChildList().SetParent(left, true);
	EXPECT_TRUE(left->GetChildList().IsUnchanged());

	child->GetChildList().SetParent(right, true);
	root.UpdateTransforms(false, false);
	EXPECT_EQ(child->GetParent(), right);
	EXPECT_TRUE(left->GetChildList().GetChildren().empty());
	EXPECT_FALSE(left->GetChildList().IsUnchanged());
	for (int i = 0; i < 16; ++i)
		EXPECT_FLOAT_EQ((&child->GetTransform().GetWorldMatrix()._11)[i], (&world._11)[i]);
	EXPECT_FLOAT_EQ(child->GetTransform().GetLocalMatrix()._42, -98);

	// Without keep world the local placement (11, -98, 3) stays and the world follows the parent.
	child->GetChildList().SetParent(left, false);
	root.UpdateTransforms(false, false);
	EXPECT_FLOAT_EQ(child->GetTransform().GetWorldMatrix()._41, 21);
	EXPECT_FLOAT_EQ(child->GetTransform().GetWorldMatrix()._42, -98);

	// Detached: no parent, out of the list, its world is its local matrix.
	child->GetChildList().SetParent(nullptr, false);
	child->UpdateTransforms(false, false);
	EXPECT_EQ(child->GetParent(), nullptr);
	EXPECT_TRUE(left->GetChildList().GetChildren().empty());
	EXPECT_FLOAT_EQ(child->GetTransform().GetWorldMatrix()._41, 11);
	delete child;
}

TEST(cChildList, MovingChildrenAndSiblings)
{
	cSceneObject root("root", nullptr);
	cSceneObject* a = new cSceneObject("a", &root);
	cSceneObject* b = new cSceneObject("b", &root);
	cSceneObject* c = new cSceneObject("c", &root);
	using tList = std::vector<cSceneObject*>;

	root.GetChildList().MarkUnchanged();
	a->MoveInSiblings(false);
	EXPECT_EQ(root.GetChildList().GetChildren(), (tList { b, c, a }));
	EXPECT_FALSE(root.GetChildList().IsUnchanged());
	c->MoveInSiblings(true);
	EXPECT_EQ(root.GetChildList().GetChildren(), (tList { c, b, a }));

	cSceneObject stranger("stranger", nullptr);
	root.GetChildList().MarkUnchanged();
	root.GetChildList().MoveChild(&stranger, true);
	stranger.MoveInSiblings(true);
	EXPECT_EQ(root.GetChildList().GetChildren(), (tList { c, b, a }));
	EXPECT_TRUE(root.GetChildList().IsUnchanged());
}

TEST(cChildList, DeletesChildrenLastFirstAndEachFiresOnDelete)
{
	std::vector<std::string> deleted;
	static std::vector<std::string>* log = nullptr;
	log = &deleted;
	struct sLogger
	{
		static void OnDelete(cSceneObject* object) { log->push_back(object->GetName()); }
	};
	{
		cSceneObject root("root", nullptr);
		for (const char* name : { "first", "second", "third" })
		{
			cSceneObject* child = new cSceneObject(name, &root);
			child->BindEvent("on_delete", cSceneObject::tEvent(MakeFunctionDelegate(&sLogger::OnDelete)));
			if (std::string(name) == "second")
				new cSceneObject("grandchild", child);
		}
		root.BindEvent("on_delete", cSceneObject::tEvent(MakeFunctionDelegate(&sLogger::OnDelete)));
	}
	EXPECT_EQ(deleted, (std::vector<std::string> { "root", "third", "second", "first" }));
}
