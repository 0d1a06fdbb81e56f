// World matrices and effective colours recomputed lazily from the parent's,
// the effective flags, the inverse cache and the derived boxes.

#include "SceneTestSupport.h"

#include "../foundation/MathTestHelpers.h"

#include <cmath>

TEST(cTransformNode, WorldMatricesFollowTheParentOnlyAfterTheTransformPass)
{
	cSceneObject root("root", nullptr);
	cSceneObject* parent = new cSceneObject("parent", &root);
	cSceneObject* child = new cSceneObject("child", parent);
	// The parent turns a quarter to the left and moves to (100, 50, 0); the
	// child sits at (10, 0, 5) in the parent's space: world (100, 60, 5).
	cMatrix turn;
	turn.MakeRotationZ(float(M_PI / 2));
	parent->GetTransform().SetLocalMatrix(turn * Translation(100, 50, 0));
	child->GetTransform().SetLocalMatrix(Translation(10, 0, 5));
	ExpectMatrixNear(child->GetTransform().GetWorldMatrix(), cMatrix::Identity());

	root.UpdateTransforms(false, false);
	const cMatrix& world = child->GetTransform().GetWorldMatrix();
	ExpectVectorNear(cVector3d(world._41, world._42, world._43), cVector3d(100, 60, 5), 1e-4f);
	ExpectVectorNear(TransformPoint(cVector3d(1, 0, 0), world), cVector3d(100, 61, 5), 1e-4f);

	// Moving only the parent moves the child at the next pass.
	parent->GetTransform().SetLocalMatrix(Translation(-5, 0, 0));
	root.UpdateTransforms(false, false);
	ExpectVectorNear(cVector3d(world._41, world._42, world._43), cVector3d(5, 0, 5));

	// The cached inverse follows every world change.
	ExpectVectorNear(TransformPoint(cVector3d(5, 0, 5), child->GetTransform().GetInverseWorldMatrix()), cVector3d());
	child->GetTransform().SetLocalMatrix(Translation(0, 0, 0));
	root.UpdateTransforms(false, false);
	ExpectVectorNear(TransformPoint(cVector3d(-5, 0, 0), child->GetTransform().GetInverseWorldMatrix()), cVector3d());
}

TEST(cTransformNode, SettingTheWorldMatrixComputesTheLocalOne)
{
	cSceneObject root("root", nullptr);
	cSceneObject* parent = new cSceneObject("parent", &root);
	cSceneObject* child = new cSceneObject("child", parent);
	cMatrix scaled;
	scaled.MakeTranslationScale(cVector3d(100, 0, 0), cVector3d(2, 2, 1));
	parent->GetTransform().SetLocalMatrix(scaled);
	root.UpdateTransforms(false, false);

	child->GetTransform().SetWorldMatrix(Translation(120, 10, 0));
	const cMatrix& local = child->GetTransform().GetLocalMatrix();
	ExpectVectorNear(cVector3d(local._41, local._42, local._43), cVector3d(10, 5, 0));
	root.UpdateTransforms(false, false);
	// The pass puts it back exactly where it was placed.
	ExpectMatrixNear(child->GetTransform().GetWorldMatrix(), Translation(120, 10, 0), 1e-4f);
}

TEST(cTransformNode, EffectiveColourIsTheMinimumWithTheParents)
{
	cSceneObject root("root", nullptr);
	cSceneObject* parent = new cSceneObject("parent", &root);
	cSceneObject* child = new cSceneObject("child", parent);
	cSceneObject* grandchild = new cSceneObject("grandchild", child);
	parent->GetTransform().SetColor(1, 0.5f, 1, 0.2f);
	root.UpdateTransforms(false, false);
	const sColor& colour = child->GetTransform().GetEffectiveColor();
	EXPECT_FLOAT_EQ(colour.r, 1);
	EXPECT_FLOAT_EQ(colour.g, 0.5f);
	EXPECT_FLOAT_EQ(colour.b, 1);
	EXPECT_FLOAT_EQ(colour.a, 0.2f);

	// A child is never brighter than its parent, whatever its own colour.
	grandchild->GetTransform().SetColor(0.25f, 0.75f, 2, 1);
	root.UpdateTransforms(false, false);
	const sColor& deep = grandchild->GetTransform().GetEffectiveColor();
	EXPECT_FLOAT_EQ(deep.r, 0.25f);
	EXPECT_FLOAT_EQ(deep.g, 0.5f);
	EXPECT_FLOAT_EQ(deep.b, 1);
	EXPECT_FLOAT_EQ(deep.a, 0.2f);

	// Not recomputed until the pass.
	parent->GetTransform().SetColor(1, 1, 1, 1);
	EXPECT_FLOAT_EQ(child->GetTransform().GetEffectiveColor().a, 0.2f);
	root.UpdateTransforms(false, false);
	EXPECT_FLOAT_EQ(child->GetTransform().GetEffectiveColor().a, 1);
	EXPECT_FLOAT_EQ(deep.g, 0.75f);
}

TEST(cTransformNode, EffectiveVisibleAndEnabledIncludeEveryAncestor)
{
	cSceneObject root("root", nullptr);
	cSceneObject* parent = new cSceneObject("parent", &root);
	cSceneObject* child = new cSceneObject("child", parent);
	parent->SetVisible(false);
	child->SetEnabled(false);
	root.UpdateTransforms(false, false);
	EXPECT_FALSE(child->GetProperties().IsEffectiveVisible());
	EXPECT_FALSE(child->GetProperties().IsEffectiveEnabled());
	EXPECT_TRUE(parent->GetProperties().IsEffectiveEnabled());
	parent->SetVisible(true);
	parent->SetEnabled(false);
	child->SetEnabled(true);
	root.UpdateTransforms(false, false);
	EXPECT_TRUE(child->GetProperties().IsEffectiveVisible());
	EXPECT_FALSE(child->GetProperties().IsEffectiveEnabled());
}

TEST(cTransformNode, BoxesFollowTheWorldMatrix)
{
	cTransformNode node;
	cBoundingBox box;
	box.SetFromPoints(cVector3d(0, 0, 0), cVector3d(10, 20, 2));
	node.SetLocalBox(box);
	cMatrix turn;
	turn.MakeRotationZ(float(M_PI / 2));
	node.SetLocalMatrix(turn * Translation(100, 0, 0));
	bool changed = false;
	node.UpdateWorldMatrix(changed);
	EXPECT_TRUE(changed);
	EXPECT_TRUE(node.IsWorldBoxDirty());
	node.UpdateWorldBox();
	EXPECT_FALSE(node.IsWorldBoxDirty());
	ExpectVectorNear(node.GetWorldBox().min, cVector3d(80, 0, 0), 1e-4f);
	ExpectVectorNear(node.GetWorldBox().max, cVector3d(100, 10, 2), 1e-4f);

	// The flat box reaches from z -1000 to 1000; the full box does not.
	cOrientedBox far(box, Translation(90, 5, 500));
	node.UpdateOrientedBox(true);
	EXPECT_TRUE(node.GetOrientedBox().Intersects(far));
	EXPECT_TRUE(node.IsFullBoxStale());
	EXPECT_FALSE(node.IsFlatBoxStale());
	node.UpdateOrientedBox(false);
	EXPECT_FALSE(node.GetOrientedBox().Intersects(far));
	EXPECT_FALSE(node.IsFullBoxStale());
	EXPECT_TRUE(node.IsFlatBoxStale());

	// An object without bounds keeps an empty world box.
	cTransformNode empty;
	empty.UpdateWorldBox();
	EXPECT_TRUE(empty.GetWorldBox().IsEmpty());
}
