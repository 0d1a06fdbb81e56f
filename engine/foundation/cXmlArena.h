#pragma once
// Memory for the nodes of one parsed document. The reader carves the nodes
// one after another from a few large blocks, so that building the tree runs
// through memory in order and no node costs an allocation of its own. A
// node destroyed anywhere (also after it moved to another tree) hands its
// slot back; the blocks go with the last node.
//
// While no call has changed the parsed tree, it is destroyed at once: only
// the nodes whose value took memory of its own are visited, the others
// simply go with their blocks. The nodes' names are the arena's (see
// cXmlNameTable).

#include "engine/foundation/cXmlNode.h"

#include <atomic>
#include <cstddef>
#include <string_view>

class cXmlArena
{
public:
	// A new arena, held by its builder until Close.
	static cXmlArena* Open();
	cXmlArena(const cXmlArena&) = delete;
	cXmlArena& operator=(const cXmlArena&) = delete;

	// The names of the arena's nodes.
	cXmlNameTable& Names() { return m_names; }
	// A new node, with no links, with a name of the arena's and a copy of a
	// value that lies in a buffer ending at valueEnd (null for other texts).
	// Only the builder makes nodes, and only before Close.
	cXmlNode* NewNode(sXmlName* name, std::string_view value, const char* valueEnd)
	{
		if (m_next == m_end)
			AddBlock();
		void* slot = m_next;
		m_next += sizeof(cXmlNode);
		return ::new (slot) cXmlNode(name, m_textPool, value, valueEnd);
	}
	// For the builder: a copy of a text, long ones made in kept memory.
	std::string CopyText(std::string_view text) { return cXmlTextPool::Copy(m_textPool, text); }
	// For the builder: node's value took memory of its own.
	void NoteOwnMemory(cXmlNode* node)
	{
		if (m_noteNext == m_noteEnd)
			AddNoteBlock();
		*m_noteNext++ = node;
	}
	// Ends the builder's hold: from now on the arena goes with its last
	// node. top is the parsed tree's top node, or null when the parse failed.
	void Close(cXmlNode* top);
	// count nodes made here were destroyed; the arena frees itself when no
	// node and no builder holds it any more. Any thread may call this.
	void Release(size_t count);

	// Whether children and attributes are the lists of the untouched
	// parsed tree (whichever node holds them now).
	bool HoldsTree(const cXmlNode* children, const cXmlNode* attributes) const
	{
		return m_untouched.load(std::memory_order_relaxed) && children == m_treeChildren && attributes == m_treeAttributes;
	}
	// Destroys the untouched tree under the top node at once; the holder's
	// lists are then to be emptied. May free the arena.
	void DestroyTree();
	// The tree or one of its nodes changes: its nodes go one by one from now on.
	void Touch() { m_untouched.store(false, std::memory_order_relaxed); }

	// A block of node slots; kept for reuse when its arena goes.
	struct sBlock;

private:
	cXmlArena() = default;
	~cXmlArena();
	void AddBlock();
	void AddNoteBlock();
	void DestroyNoted(cXmlNode** begin, cXmlNode** end, cXmlTextPool* pool);

	// Slots handed out or still to be handed out from the current block and
	// not yet destroyed, plus one while the builder holds the arena.
	std::atomic<size_t> m_live{1};
	// The builder's thread's pool of text memory.
	cXmlTextPool* m_textPool = cXmlTextPool::OfThisThread();
	sBlock* m_blocks = nullptr;
	char* m_next = nullptr;
	char* m_end = nullptr;
	size_t m_slots = 0;

	// The untouched tree: the lists of the top node, the number of nodes
	// under it, and those of its nodes that own memory.
	std::atomic<bool> m_untouched{false};
	const cXmlNode* m_treeChildren = nullptr;
	const cXmlNode* m_treeAttributes = nullptr;
	size_t m_treeNodes = 0;
	// The nodes noted as owning memory, in blocks of node pointers.
	sBlock* m_noteBlocks = nullptr;
	cXmlNode** m_noteNext = nullptr;
	cXmlNode** m_noteEnd = nullptr;
	cXmlNameTable m_names{*this};
};
