#include "engine/foundation/cXmlNode.h"

#include "engine/foundation/cXmlArena.h"

#include <utility>

cXmlNode::cXmlNode(std::string_view name) : m_name(new sXmlName{std::string(name), nullptr, false})
{
}

// A renamed parsed node gets a name of its own in its arena, which goes
// with the arena: renaming leaves the tree untouched.
void cXmlNode::SetName(const std::string& name)
{
	OwnName() = name;
}

std::string& cXmlNode::Name()
{
	return OwnName();
}

std::string& cXmlNode::OwnName()
{
	if (m_name->shared)
		m_name = m_name->arena->Names().NewOwnName(m_name->text);
	return m_name->text;
}

void cXmlNode::SetValue(const std::string& value)
{
	TouchValue();
	m_value = value;
}

std::string& cXmlNode::Value()
{
	TouchValue();
	return m_value;
}

// A parsed tree that a call changes is destroyed node by node from then
// on (see cXmlArena).
void cXmlNode::TouchValue()
{
	if (cXmlArena* arena = Arena())
		arena->Touch();
}

void cXmlNode::TouchLists()
{
	TouchValue();
	for (cXmlNode* list : {m_firstChild, m_firstAttribute})
		if (list && list->Arena())
			list->Arena()->Touch();
}

void cXmlNode::operator delete(cXmlNode* node, std::destroying_delete_t)
{
	cXmlArena* arena = node->Arena();
	node->~cXmlNode();
	if (arena)
		arena->Release(1);
	else
		::operator delete(node, sizeof(cXmlNode));
}

void cXmlNode::Remove(cXmlNode*& first, cXmlNode* node)
{
	node->m_parent = nullptr;
	cXmlNode* found = first;
	while (found && found != node)
		found = found->m_next;
	if (!found)
		return;
	cXmlNode* next = node->m_next;
	cXmlNode* previous = node->m_previous;
	if (next)
		next->m_previous = previous;
	else
		first->m_previous = previous;
	if (node == first)
		first = next;
	else
		previous->m_next = next;
	node->m_next = node->m_previous = nullptr;
}

// Destroys a list and everything under it without recursion: the lists of
// each destroyed node join the front of the nodes still to destroy, so that
// the tree goes in the order the reader made it.
void cXmlNode::DestroyList(cXmlNode* first)
{
	cXmlArena* arena = nullptr;
	size_t released = 0;
	cXmlNode* pending = first;
	while (pending)
	{
		cXmlNode* node = pending;
		pending = node->m_next;
		// Only nodes with lists are written to: most nodes are only read.
		for (cXmlNode** list : {&node->m_firstChild, &node->m_firstAttribute})
		{
			if (*list)
			{
				(*list)->m_previous->m_next = pending;
				pending = std::exchange(*list, nullptr);
			}
		}
		cXmlArena* nodeArena = node->Arena();
		node->~cXmlNode();
		if (!nodeArena)
		{
			::operator delete(node, sizeof(cXmlNode));
			continue;
		}
		// Slots go back to their arena in runs, not one by one.
		if (nodeArena != arena)
		{
			if (arena)
				arena->Release(released);
			arena = nodeArena;
			released = 0;
		}
		++released;
	}
	if (arena)
		arena->Release(released);
}

void cXmlNode::AppendChild(cXmlNode* node)
{
	TouchLists();
	node->TouchLists();
	if (node->m_parent)
	{
		node->m_parent->TouchLists();
		node->m_parent->Remove(node->m_parent->m_firstChild, node);
	}
	Append(m_firstChild, node);
}

cXmlNode* cXmlNode::AddAttribute(std::string_view name)
{
	TouchLists();
	cXmlNode* attribute = new cXmlNode(name);
	Append(m_firstAttribute, attribute);
	return attribute;
}

cXmlNode* cXmlNode::FindAttribute(const std::string& name) const
{
	for (cXmlNode* attribute = m_firstAttribute; attribute; attribute = attribute->m_next)
		if (attribute->GetName() == name)
			return attribute;
	return nullptr;
}

namespace
{
void SplitPath(const std::string& path, std::string& head, std::string& rest)
{
	size_t separator = path.find('\\');
	head = path.substr(0, separator);
	rest = separator == std::string::npos ? std::string() : path.substr(separator + 1);
}

cXmlNode* FirstChildNamed(const cXmlNode* node, const std::string& name)
{
	for (cXmlNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
		if (child->GetName() == name)
			return child;
	return nullptr;
}
}

cXmlNode* cXmlNode::FindChild(const std::string& path) const
{
	if (path.empty())
		return m_firstChild;
	std::string head, rest;
	SplitPath(path, head, rest);
	cXmlNode* child = FirstChildNamed(this, head);
	if (!child || rest.empty())
		return child;
	return child->FindChild(rest);
}

cXmlNode* cXmlNode::AddChildByPath(const std::string& path)
{
	TouchLists();
	std::string head, rest;
	SplitPath(path, head, rest);
	if (rest.empty())
	{
		cXmlNode* child = new cXmlNode(head);
		Append(m_firstChild, child);
		return child;
	}
	cXmlNode* child = FirstChildNamed(this, head);
	if (!child)
	{
		child = new cXmlNode(head);
		Append(m_firstChild, child);
	}
	return child->AddChildByPath(rest);
}

void cXmlNode::Clear()
{
	cXmlNode* head = m_firstChild ? m_firstChild : m_firstAttribute;
	if (head && head->Arena() && head->Arena()->HoldsTree(m_firstChild, m_firstAttribute))
	{
		head->Arena()->DestroyTree();
		m_firstChild = m_firstAttribute = nullptr;
		return;
	}
	TouchLists();
	// Children before attributes.
	cXmlNode* children = std::exchange(m_firstChild, nullptr);
	cXmlNode* attributes = std::exchange(m_firstAttribute, nullptr);
	DestroyList(children);
	DestroyList(attributes);
}

void cXmlNode::AdoptLists()
{
	for (cXmlNode* child = m_firstChild; child; child = child->m_next)
		child->m_parent = this;
	for (cXmlNode* attribute = m_firstAttribute; attribute; attribute = attribute->m_next)
		attribute->m_parent = this;
}

void cXmlNode::Swap(cXmlNode& other)
{
	TouchLists();
	other.TouchLists();
	TakeTree(other);
}

void cXmlNode::TakeTree(cXmlNode& other)
{
	std::swap(OwnName(), other.OwnName());
	std::swap(m_value, other.m_value);
	std::swap(m_firstChild, other.m_firstChild);
	std::swap(m_firstAttribute, other.m_firstAttribute);
	AdoptLists();
	other.AdoptLists();
}

void cXmlNode::ReadBool(const cXmlNode& node, bool& out)
{
	out = node.m_value == "1" || node.m_value == "true";
}

std::string GetXmlAttribute(const cXmlNode* node, const std::string& name, const std::string& defaultValue)
{
	const cXmlNode* attribute = node->FindAttribute(name);
	return attribute ? attribute->GetValue() : defaultValue;
}
