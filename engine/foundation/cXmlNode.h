#pragma once
// A node of an XML tree: an element (name, text, children, attributes) or
// an attribute (name and value). A node owns its children and attributes;
// both lists are doubly linked and null-terminated at both ends.

#include <cstddef>
#include <string>
#include <string_view>

class cXmlNode
{
public:
	explicit cXmlNode(std::string_view name = std::string_view());
	virtual ~cXmlNode();
	cXmlNode(const cXmlNode&) = delete;
	cXmlNode& operator=(const cXmlNode&) = delete;

	const std::string& GetName() const { return m_name; }
	void SetName(const std::string& name) { m_name = name; }
	// The element's text, or the attribute's value.
	const std::string& GetValue() const { return m_value; }
	void SetValue(const std::string& value) { m_value = value; }
	std::string& Name() { return m_name; }
	std::string& Value() { return m_value; }

	cXmlNode* GetParent() const { return m_parent; }
	cXmlNode* GetNextSibling() const { return m_next; }
	cXmlNode* GetPreviousSibling() const { return m_previous; }
	cXmlNode* GetFirstChild() const { return m_children.first; }
	cXmlNode* GetFirstAttribute() const { return m_attributes.first; }

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

	// Documents hold many small nodes: they come from a pool (see the source).
	static void* operator new(size_t size);
	static void operator delete(void* memory, size_t size);

private:
	struct sList
	{
		cXmlNode* first = nullptr;
		cXmlNode* last = nullptr;
	};

	void Append(sList& list, cXmlNode* node);
	void Remove(sList& list, cXmlNode* node);
	static void DestroyList(sList& list);
	void AdoptLists();

	std::string m_name;
	std::string m_value;
	cXmlNode* m_parent = nullptr;
	cXmlNode* m_next = nullptr;
	cXmlNode* m_previous = nullptr;
	// The last nodes are kept besides the first, so that appending does not walk the list.
	sList m_children;
	sList m_attributes;
};

// The value of node's attribute name, or defaultValue when it has none.
std::string GetXmlAttribute(const cXmlNode* node, const std::string& name, const std::string& defaultValue);
