#pragma once
// The base of every visible thing: a named node of the scene tree with
// ordered children, named events and properties, a transform with colour,
// an optional visual and a driver for the animations of its subtree. Its
// virtual operations are the hooks through which the scene manager updates,
// collects for drawing and dispatches input once per frame.

#include "engine/foundation/cDelegate.h"
#include "engine/scene/cChildList.h"
#include "engine/scene/cObjectAnimations.h"
#include "engine/scene/cObjectMotions.h"
#include "engine/scene/cPropertyBag.h"
#include "engine/scene/cTransformNode.h"
#include "engine/scene/sDrawEntry.h"

#include <map>
#include <string>
#include <vector>

class cCamera;
class cVisual;
struct sCastQuery;
struct sObjectDesc;

class cSceneObject
{
public:
	typedef cDelegatePtr<cSceneObject*> tEvent;

	// Hangs the new object under the parent (none: detached), visible and
	// enabled, with the properties "sort" and "light_rec" bound.
	cSceneObject(const std::string& name, cSceneObject* parent);
	cSceneObject(const cSceneObject&) = delete;
	cSceneObject& operator=(const cSceneObject&) = delete;

	virtual void OnLoaded() {}
	// Called for every object the input pass visits.
	virtual void PreInput() {}
	// True when the object took the input: its children then see it as modal.
	virtual bool HandleInput() { return false; }
	// Lets widgets change their look when enabled changes.
	virtual void RefreshLook() {}
	virtual void SetModel(const std::string& name);
	virtual void AcceptCast(sCastQuery&) {}
	virtual std::string GetTypeName() const { return "object"; }
	// Fires "on_delete", leaves the modal list and the parent, then deletes
	// the motions, the animations driver, the visual and the children, the
	// last child first.
	virtual ~cSceneObject();
	virtual void DrawSelf();
	// Queues this object (when it draws) and its visible, placed children,
	// skipping the whole subtree when it is transparent. The camera slot is
	// shared by the walk: camera objects put themselves into it.
	virtual void CollectDraw(std::vector<sDrawEntry>& queue, cCamera*& camera);
	// Deletes marked children and updates the visual, the playing motion
	// and the visible children.
	virtual void Update(float dt);
	// Draws the visible subtree at once, unsorted.
	virtual void DrawSubtree();

	void BindEvent(const std::string& name, const tEvent& handler);
	// Invokes the event's delegate with this object, when one is bound.
	void FireEvent(const std::string& name);

	// Recomputes the subtree's world matrices, colours and effective flags
	// where marked, or everywhere below a set flag.
	void UpdateTransforms(bool worldChanged, bool colourChanged);
	void DispatchInput(bool modal);

	// The scene's pick ray in this object's local space (direction not normalised).
	sRay GetLocalPickRay();
	// The pick ray hits this object's visual or that of a visible, enabled descendant.
	bool HitTest();
	bool HitTestVisual(const sRay& localRay);

	void SetModal(bool on);
	// Sets the sort key of the whole subtree.
	void SetSortKey(int key);
	// Sets this object's own sort key, leaving its children's.
	void SetOwnSortKey(int key) { m_sortKey = key; }
	// The parent deletes the object in its next update. Any thread.
	void MarkForDelete();
	void MoveInSiblings(bool toFront);
	// An animation or a motion plays in the visible subtree.
	bool IsBusy() const;

	// Applies the description to this object (model, animation speeds,
	// placement and colour, motion clips, properties) and builds its
	// children by registered type name, then calls OnLoaded. This object
	// keeps its own visible and enabled flags; children take theirs from
	// the description. Children that require shader support the graphics
	// layer lacks (or lack that it has) are skipped with their subtrees.
	void LoadFromDesc(const sObjectDesc& desc);

	// Installs a visual (owned), deleting a different one held before.
	void SetVisual(cVisual* visual);

	const std::string& GetName() const { return m_name; }
	void SetName(const std::string& name) { m_name = name; }
	cChildList& GetChildList() { return *m_children; }
	cSceneObject* GetParent() const { return m_children->GetParent(); }
	cPropertyBag& GetProperties() { return m_properties; }
	cTransformNode& GetTransform() { return m_transform; }
	const cTransformNode& GetTransform() const { return m_transform; }
	cObjectAnimations& GetAnimations() { return *m_animations; }
	cObjectMotions& GetMotions() { return *m_motions; }
	cVisual* GetVisual() const { return m_visual; }
	std::map<std::string, tEvent>& GetEvents() { return m_events; }

	bool IsVisible() const { return m_properties.IsVisible(); }
	bool IsEnabled() const { return m_properties.IsEnabled(); }
	void SetVisible(bool visible) { m_properties.SetVisible(visible); }
	void SetEnabled(bool enabled) { m_properties.SetEnabled(enabled); }
	int GetSortKey() const { return m_sortKey; }
	bool IsDeletePending() const { return m_deletePending; }
	bool GetForceDraw() const { return m_forceDraw; }
	void SetForceDraw(bool forceDraw) { m_forceDraw = forceDraw; }
	bool GetLightRec() const { return m_lightRec; }

private:
	cChildList* m_children;
	std::string m_name;
	std::map<std::string, tEvent> m_events;
	cPropertyBag m_properties;
	cTransformNode m_transform;
	tEvent* m_onDelete;
	int m_sortKey = 0;
	bool m_deletePending = false;
	bool m_forceDraw = false;
	bool m_lightRec = false;
	cVisual* m_visual = nullptr;
	cObjectAnimations* m_animations;
	cObjectMotions* m_motions;
};
