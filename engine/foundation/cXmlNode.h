#pragma once
// A node of an XML tree: an element (name, text, children, attributes) or
// an attribute (name and value). A node owns its children and attributes;
// both lists are doubly linked and null-terminated at both ends.
//
// Nodes made with new live on the heap. The nodes the reader makes live in
// their document's arena and share their names (see cXmlArena); they can
// be moved, renamed and destroyed like any other.

#include "engine/foundation/cXmlNameTable.h"
#include "engine/foundation/cXmlTextPool.h"

#include <cstddef>
#include <new>
#include <string>
#include <string_view>

class cXmlArena;

class cXmlNode final
{
public:
	explicit cXmlNode(std::string_view name = std::string_view());
	~cXmlNode()
	{
		if (m_firstChild || m_firstAttribute)
			Clear();
		if (!m_name->arena)
			delete m_name;
	}
	cXmlNode(const cXmlNode&) = delete;
	cXmlNode& operator=(const cXmlNode&) = delete;

	const std::string& GetName() const { return m_name->text; }
	void SetName(const std::string& name);
	// The element's text, or the attribute's value.
	const std::string& GetValue() const { return m_value; }
	void SetValue(const std::string& value);
	// For changing the text in place.
	std::string& Name();
	std::string& Value();

	cXmlNode* GetParent() const { return m_parent; }
	cXmlNode* GetNextSibling() const { return m_next; }
	// The first node of a list keeps the last one as its previous link (see Append).
	cXmlNode* GetPreviousSibling() const { return m_previous && m_previous->m_next ? m_previous : nullptr; }
	cXmlNode* GetFirstChild() const { return m_firstChild; }
	cXmlNode* GetFirstAttribute() const { return m_firstAttribute; }

	// Takes node out of its parent's child list and appends it here.
	void AppendChild(cXmlNode* node);
	// Appends a new attribute with an empty value (an existing one of the
	// same name stays) and returns it.
	cXmlNode* AddAttribute(std::string_view name);
	// The first attribute of that exact name, or null.
	cXmlNode* FindAttribute(const std::string& name) const;
	// Follows a path of child names joined with "\" (the first child of each
	// name only); an empty path gives the first child. Null when a part is missing.
	cXmlNode* FindChild(const std::string& path) const;
	// Walks the path, creating missing parts, and always appends a new node
	// for the last part, which it returns.
	cXmlNode* AddChildByPath(const std::string& path);
	// Destroys all children, then all attributes; name and value stay.
	void Clear();
	// Exchanges name, value, children and attributes with other.
	void Swap(cXmlNode& other);

	// True when the node's text is exactly "1" or "true".
	static void ReadBool(const cXmlNode& node, bool& out);

	// A node made with new is deleted from the heap, one made by the reader
	// goes back to its document's arena.
	static void* operator new(size_t size) { return ::operator new(size); }
	static void operator delete(void* memory, size_t size) { ::operator delete(memory, size); }
	static void operator delete(cXmlNode* node, std::destroying_delete_t);

private:
	// The reader builds trees in an arena; a document takes them over.
	friend class cXmlParser;
	friend class cXmlArena;
	friend class cXmlDocument;

	// A node in an arena, with a name of the arena's. The value is a copy
	// of a text that lies in a buffer ending at valueEnd (null for a text
	// of unknown room); a long one is copied with memory kept in pool.
	cXmlNode(sXmlName* name, cXmlTextPool* pool, std::string_view value, const char* valueEnd)
		: cXmlNode(name, pool, value, CopiesFixed(value, valueEnd))
	{
	}
	// A short text with 15 bytes to read from its start is copied as a fixed
	// 15 bytes, which takes no call, and then cut to its length.
	static bool CopiesFixed(std::string_view text, const char* end)
	{
		return end && !text.empty() && text.size() <= 15 && end - text.data() >= 15;
	}
	cXmlNode(sXmlName* name, cXmlTextPool* pool, std::string_view value, bool fixedValue)
		: m_name(name),
		  m_value(fixedValue ? std::string(value.data(), 15) : value.empty() ? std::string() : cXmlTextPool::Copy(pool, value))
	{
		if (fixedValue)
			m_value.erase(value.size());
	}

	// The arena that holds this node, or null for a node made with new or
	// held by value.
	cXmlArena* Arena() const { return m_name->arena; }
	// The name, made the node's own first when it is shared.
	std::string& OwnName();

	// Appends to a list known by its first node.
	void Append(cXmlNode*& first, cXmlNode* node);
	void Remove(cXmlNode*& first, cXmlNode* node);
	static void DestroyList(cXmlNode* first);
	void AdoptLists();
	// Swap for a document taking over a parsed tree from the reader's top
	// node: the tree stays whole, only the node that holds it changes.
	void TakeTree(cXmlNode& top);
	// Before this node's value changes.
	void TouchValue();
	// Before this node's lists change: also the tree whose lists it holds changes.
	void TouchLists();

	sXmlName* m_name;
	std::string m_value;
	cXmlNode* m_parent = nullptr;
	cXmlNode* m_next = nullptr;
	// The previous node in the list; for the first node, the last one.
	cXmlNode* m_previous = nullptr;
	cXmlNode* m_firstChild = nullptr;
	cXmlNode* m_firstAttribute = nullptr;
};

// The first node's previous link points to the last node, so that
// appending needs no walk; the last node's next link is null.
inline void cXmlNode::Append(cXmlNode*& first, cXmlNode* node)
{
	node->m_parent = this;
	node->m_next = nullptr;
	if (first)
	{
		cXmlNode* last = first->m_previous;
		last->m_next = node;
		node->m_previous = last;
		first->m_previous = node;
	}
	else
	{
		first = node;
		node->m_previous = node;
	}
}

// The value of node's attribute name, or defaultValue when it has none.
std::string GetXmlAttribute(const cXmlNode* node, const std::string& name, const std::string& defaultValue);
