#pragma once
// An object's place in the tree: its parent and its ordered children, which
// it owns. The child order is the order of update, input and drawing
// collection. Walks over the children mark the list unchanged before they
// start; any add, removal or move marks it changed, and a walk that sees
// the mark stops, since its position may no longer mean anything.

#include <string>
#include <vector>

class cSceneObject;

class cChildList
{
public:
	explicit cChildList(cSceneObject* owner);
	// Deletes the children, the last first.
	virtual ~cChildList();

	// Deletes the children, the last first; each leaves the list as it goes.
	void DeleteChildren();

	// The first direct child of exactly that name, or null.
	cSceneObject* FindChild(const std::string& name) const;
	// The first direct child whose property text for the key equals the value.
	cSceneObject* FindChildByProperty(const std::string& key, const std::string& value) const;
	// Appends every such child, in child order.
	void FindChildrenByProperty(std::vector<cSceneObject*>& out, const std::string& key, const std::string& value) const;
	// "a/b/c": the child c of the child b of the direct child a, following
	// only the first match at each step. An empty step (a leading or
	// doubled "/") looks for a child with an empty name; a trailing "/"
	// names the object before it.
	cSceneObject* FindByPath(const std::string& path) const;
	// Appends the children named prefix + first, prefix + first + 1, ...
	// up to the first number that is missing. out is not cleared.
	void CollectNumberedChildren(std::vector<cSceneObject*>& out, const std::string& prefix, int first) const;

	// Appends the child unless present; links its transform to the owner's.
	void AddChild(cSceneObject* child);
	// Hangs the owner under the parent (null detaches it). With keepWorld
	// the owner keeps its world placement; otherwise it keeps its local one.
	void SetParent(cSceneObject* parent, bool keepWorld);
	// Puts the child first or last; nothing when it is not a child.
	void MoveChild(cSceneObject* child, bool toFront);
	// Takes the child out of the list without marking the list changed (the
	// update walk removing an object it is about to delete).
	void DetachForDelete(size_t index);

	cSceneObject* GetParent() const { return m_parent; }
	cSceneObject* GetOwner() const { return m_owner; }
	const std::vector<cSceneObject*>& GetChildren() const { return m_children; }

	void MarkUnchanged() { m_unchanged = true; }
	bool IsUnchanged() const { return m_unchanged; }

private:
	// Removes the first occurrence; true when the child was in the list.
	bool RemoveChild(cSceneObject* child);

	cSceneObject* m_parent = nullptr;
	cSceneObject* m_owner;
	std::vector<cSceneObject*> m_children;
	bool m_unchanged = true;
};
