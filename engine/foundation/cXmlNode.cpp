#include "engine/foundation/cXmlNode.h"

#include <mutex>
#include <new>
#include <utility>
#include <vector>

namespace
{
// The node pool: nodes are carved from blocks, and a destroyed node goes to
// the free list of the thread that destroys it, for the next node that
// thread creates. Blocks are kept for reuse until the process ends.
struct sFreeNode
{
	sFreeNode* next;
};

constexpr size_t NodesPerBlock = 1024;
thread_local sFreeNode* t_freeNodes = nullptr;

void AddBlock()
{
	static std::mutex lock;
	static auto* blocks = new std::vector<void*>; // never destroyed: nodes may outlive static objects
	void* block = ::operator new(NodesPerBlock * sizeof(cXmlNode));
	{
		std::lock_guard<std::mutex> hold(lock);
		blocks->push_back(block);
	}
	for (size_t i = 0; i < NodesPerBlock; ++i)
	{
		auto* node = reinterpret_cast<sFreeNode*>(static_cast<char*>(block) + i * sizeof(cXmlNode));
		node->next = t_freeNodes;
		t_freeNodes = node;
	}
}
}

void* cXmlNode::operator new(size_t size)
{
	if (size != sizeof(cXmlNode))
		return ::operator new(size);
	if (!t_freeNodes)
		AddBlock();
	sFreeNode* node = t_freeNodes;
	t_freeNodes = node->next;
	return node;
}

void cXmlNode::operator delete(void* memory, size_t size)
{
	if (size != sizeof(cXmlNode))
	{
		::operator delete(memory);
		return;
	}
	auto* node = static_cast<sFreeNode*>(memory);
	node->next = t_freeNodes;
	t_freeNodes = node;
}

cXmlNode::cXmlNode(std::string_view name) : m_name(name)
{
}

cXmlNode::~cXmlNode()
{
	Clear();
}

void cXmlNode::Append(sList& list, cXmlNode* node)
{
	node->m_parent = this;
	node->m_next = nullptr;
	node->m_previous = list.last;
	if (list.last)
		list.last->m_next = node;
	else
		list.first = node;
	list.last = node;
}

void cXmlNode::Remove(sList& list, cXmlNode* node)
{
	node->m_parent = nullptr;
	cXmlNode* found = list.first;
	while (found && found != node)
		found = found->m_next;
	if (!found)
		return;
	if (node->m_previous)
		node->m_previous->m_next = node->m_next;
	else
		list.first = node->m_next;
	if (node->m_next)
		node->m_next->m_previous = node->m_previous;
	else
		list.last = node->m_previous;
	node->m_next = node->m_previous = nullptr;
}

void cXmlNode::DestroyList(sList& list)
{
	cXmlNode* node = list.first;
	list.first = list.last = nullptr;
	while (node)
	{
		cXmlNode* next = node->m_next;
		delete node;
		node = next;
	}
}

void cXmlNode::AppendChild(cXmlNode* node)
{
	if (node->m_parent)
		node->m_parent->Remove(node->m_parent->m_children, node);
	Append(m_children, node);
}

cXmlNode* cXmlNode::AddAttribute(std::string_view name)
{
	cXmlNode* attribute = new cXmlNode(name);
	Append(m_attributes, attribute);
	return attribute;
}

cXmlNode* cXmlNode::FindAttribute(const std::string& name) const
{
	for (cXmlNode* attribute = m_attributes.first; attribute; attribute = attribute->m_next)
		if (attribute->m_name == name)
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
		return m_children.first;
	std::string head, rest;
	SplitPath(path, head, rest);
	cXmlNode* child = FirstChildNamed(this, head);
	if (!child || rest.empty())
		return child;
	return child->FindChild(rest);
}

cXmlNode* cXmlNode::AddChildByPath(const std::string& path)
{
	std::string head, rest;
	SplitPath(path, head, rest);
	if (rest.empty())
	{
		cXmlNode* child = new cXmlNode(head);
		Append(m_children, child);
		return child;
	}
	cXmlNode* child = FirstChildNamed(this, head);
	if (!child)
	{
		child = new cXmlNode(head);
		Append(m_children, child);
	}
	return child->AddChildByPath(rest);
}

void cXmlNode::Clear()
{
	DestroyList(m_children);
	DestroyList(m_attributes);
}

void cXmlNode::AdoptLists()
{
	for (cXmlNode* child = m_children.first; child; child = child->m_next)
		child->m_parent = this;
	for (cXmlNode* attribute = m_attributes.first; attribute; attribute = attribute->m_next)
		attribute->m_parent = this;
}

void cXmlNode::Swap(cXmlNode& other)
{
	std::swap(m_name, other.m_name);
	std::swap(m_value, other.m_value);
	std::swap(m_children, other.m_children);
	std::swap(m_attributes, other.m_attributes);
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
