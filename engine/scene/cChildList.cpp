#include "engine/scene/cChildList.h"

#include "engine/foundation/ContainerUtils.h"
#include "engine/scene/cSceneObject.h"

#include <cstdio>

cChildList::cChildList(cSceneObject* owner) : m_owner(owner)
{
}

cChildList::~cChildList()
{
	DeleteChildren();
}

void cChildList::DeleteChildren()
{
	// Each child's destructor takes it out of this list.
	while (!m_children.empty())
	{
		cSceneObject* last = m_children.back();
		delete last;
		if (!m_children.empty() && m_children.back() == last)
			m_children.pop_back();
	}
}

cSceneObject* cChildList::FindChild(const std::string& name) const
{
	for (cSceneObject* child : m_children)
		if (child->GetName() == name)
			return child;
	return nullptr;
}

cSceneObject* cChildList::FindChildByProperty(const std::string& key, const std::string& value) const
{
	for (cSceneObject* child : m_children)
		if (child->GetProperties().GetProperty(key) == value)
			return child;
	return nullptr;
}

void cChildList::FindChildrenByProperty(std::vector<cSceneObject*>& out, const std::string& key,
	const std::string& value) const
{
	for (cSceneObject* child : m_children)
		if (child->GetProperties().GetProperty(key) == value)
			out.push_back(child);
}

cSceneObject* cChildList::FindByPath(const std::string& path) const
{
	const size_t slash = path.find('/');
	cSceneObject* child = FindChild(path.substr(0, slash));
	if (!child || slash == std::string::npos || slash + 1 == path.size())
		return child;
	return child->GetChildList().FindByPath(path.substr(slash + 1));
}

void cChildList::CollectNumberedChildren(std::vector<cSceneObject*>& out, const std::string& prefix, int first) const
{
	for (int n = first;; ++n)
	{
		char number[16];
		std::snprintf(number, sizeof(number), "%i", n);
		cSceneObject* child = FindChild(prefix + number);
		if (!child)
			return;
		out.push_back(child);
	}
}

void cChildList::AddChild(cSceneObject* child)
{
	if (IndexOf(m_children, child) < 0)
		m_children.push_back(child);
	child->GetTransform().SetParentNode(&m_owner->GetTransform());
	m_unchanged = false;
}

void cChildList::SetParent(cSceneObject* parent, bool keepWorld)
{
	if (parent == m_parent)
		return;
	cTransformNode& transform = m_owner->GetTransform();
	const cMatrix world = transform.GetWorldMatrix();
	if (m_parent && m_parent->GetChildList().RemoveChild(m_owner))
		transform.SetParentNode(nullptr);
	m_parent = parent;
	if (parent)
		parent->GetChildList().AddChild(m_owner);
	if (keepWorld)
		transform.SetWorldMatrix(world);
	transform.MarkWorldDirty();
}

void cChildList::MoveChild(cSceneObject* child, bool toFront)
{
	if (!RemoveChild(child))
		return;
	if (toFront)
		m_children.insert(m_children.begin(), child);
	else
		m_children.push_back(child);
}

void cChildList::DetachForDelete(size_t index)
{
	m_children.erase(m_children.begin() + static_cast<std::ptrdiff_t>(index));
}

bool cChildList::RemoveChild(cSceneObject* child)
{
	if (!RemoveFromVector(m_children, child))
		return false;
	m_unchanged = false;
	return true;
}
