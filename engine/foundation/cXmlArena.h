#pragma once
// Memory for the nodes of one parsed document. The reader carves the nodes
// one after another from a few large blocks, so that building and
// destroying the tree runs through memory in order and no node costs an
// allocation of its own. A node destroyed anywhere (also after it moved to
// another tree) hands its slot back; the blocks go with the last node.

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

	// A new node, with no links, named and valued with parts of a text that
	// ends at textEnd. Only the builder makes nodes, and only before Close.
	cXmlNode* NewNode(std::string_view name, std::string_view value, const char* textEnd)
	{
		if (m_next == m_end)
			AddBlock();
		void* slot = m_next;
		m_next += sizeof(cXmlNode);
		return ::new (slot) cXmlNode(*this, name, value, textEnd);
	}
	// Ends the builder's hold: from now on the arena goes with its last node.
	void Close();
	// count nodes made here were destroyed; the arena frees itself when no
	// node and no builder holds it any more. Any thread may call this.
	void Release(size_t count);

	// A block of node slots; kept for reuse when its arena goes.
	struct sBlock;

private:
	cXmlArena() = default;
	~cXmlArena();
	void AddBlock();

	// Slots handed out or still to be handed out from the current block and
	// not yet destroyed, plus one while the builder holds the arena.
	std::atomic<size_t> m_live{1};
	sBlock* m_blocks = nullptr;
	char* m_next = nullptr;
	char* m_end = nullptr;
};
