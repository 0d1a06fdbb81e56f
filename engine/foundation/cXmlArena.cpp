#include "engine/foundation/cXmlArena.h"

#include <algorithm>
#include <mutex>
#include <new>

namespace
{
// Blocks double from a size that suits a settings file to one that keeps a
// large document in few blocks.
constexpr size_t FirstBlockNodes = 16;
constexpr size_t BlockSizes = 6; // 16 to 512 nodes
// Released blocks are kept for the next documents, up to about 64 MB in
// all: reading large documents one after another then neither goes back to
// the system for memory nor touches fresh pages each time.
constexpr size_t KeptBytes = size_t(64) << 20;
}

struct cXmlArena::sBlock
{
	sBlock* previous;
	size_t sizeIndex; // nodes = FirstBlockNodes << sizeIndex

	static constexpr size_t SlotsOffset = (sizeof(sBlock*) + sizeof(size_t) + alignof(cXmlNode) - 1) / alignof(cXmlNode) * alignof(cXmlNode);

	size_t Nodes() const { return FirstBlockNodes << sizeIndex; }
	size_t Bytes() const { return SlotsOffset + Nodes() * sizeof(cXmlNode); }
	char* Slots() { return reinterpret_cast<char*>(this) + SlotsOffset; }
};

namespace
{
// Released blocks by size, shared by all threads, each list linked through
// the blocks' previous links.
struct sKeptBlocks
{
	std::mutex lock;
	cXmlArena::sBlock* first[BlockSizes] = {};
	size_t bytes = 0;
};

sKeptBlocks& Kept()
{
	static auto* kept = new sKeptBlocks; // never destroyed: documents may outlive static objects
	return *kept;
}

cXmlArena::sBlock* NewBlock(size_t sizeIndex)
{
	sKeptBlocks& kept = Kept();
	{
		std::lock_guard<std::mutex> hold(kept.lock);
		if (cXmlArena::sBlock* block = kept.first[sizeIndex])
		{
			kept.first[sizeIndex] = block->previous;
			kept.bytes -= block->Bytes();
			return block;
		}
	}
	auto* block = static_cast<cXmlArena::sBlock*>(::operator new(cXmlArena::sBlock::SlotsOffset + (FirstBlockNodes << sizeIndex) * sizeof(cXmlNode)));
	block->sizeIndex = sizeIndex;
	return block;
}

void DeleteBlock(cXmlArena::sBlock* block)
{
	sKeptBlocks& kept = Kept();
	{
		std::lock_guard<std::mutex> hold(kept.lock);
		if (kept.bytes + block->Bytes() <= KeptBytes)
		{
			block->previous = kept.first[block->sizeIndex];
			kept.first[block->sizeIndex] = block;
			kept.bytes += block->Bytes();
			return;
		}
	}
	::operator delete(block);
}
}

cXmlArena* cXmlArena::Open()
{
	return new cXmlArena;
}

cXmlArena::~cXmlArena()
{
	// Oldest first, so that the blocks written last (likeliest to be in the
	// cache still) are the first reused.
	sBlock* oldest = nullptr;
	while (m_blocks)
	{
		sBlock* block = m_blocks;
		m_blocks = block->previous;
		block->previous = oldest; // now links to the next newer block
		oldest = block;
	}
	for (sBlock* chain : {oldest, m_noteBlocks})
	{
		while (chain)
		{
			sBlock* next = chain->previous;
			DeleteBlock(chain);
			chain = next;
		}
	}
}

void cXmlArena::AddBlock()
{
	size_t sizeIndex = m_blocks ? std::min(m_blocks->sizeIndex + 1, BlockSizes - 1) : 0;
	sBlock* block = NewBlock(sizeIndex);
	block->previous = m_blocks;
	m_blocks = block;
	m_next = block->Slots();
	m_end = m_next + block->Nodes() * sizeof(cXmlNode);
	m_slots += block->Nodes();
	// The new slots count as live until handed out and destroyed, or handed back by Close.
	m_live.fetch_add(block->Nodes(), std::memory_order_relaxed);
}

// The notes take blocks of the smallest size as arrays of node pointers,
// so that noting asks the system for no memory either.
void cXmlArena::AddNoteBlock()
{
	sBlock* block = NewBlock(0);
	block->previous = m_noteBlocks;
	m_noteBlocks = block;
	m_noteNext = reinterpret_cast<cXmlNode**>(block->Slots());
	m_noteEnd = m_noteNext + block->Nodes() * sizeof(cXmlNode) / sizeof(cXmlNode*);
}

void cXmlArena::Close(cXmlNode* top)
{
	m_names.EndSharing();
	size_t unused = static_cast<size_t>(m_end - m_next) / sizeof(cXmlNode);
	m_next = m_end;
	if (top)
	{
		m_treeChildren = top->GetFirstChild();
		m_treeAttributes = top->GetFirstAttribute();
		m_treeNodes = m_slots - unused - 1;
		m_untouched.store(true, std::memory_order_relaxed);
	}
	Release(unused + 1);
}

void cXmlArena::DestroyTree()
{
	Touch();
	m_treeChildren = m_treeAttributes = nullptr;
	// The other nodes own nothing: their memory goes with the blocks.
	cXmlTextPool* pool = cXmlTextPool::OfThisThread();
	for (sBlock* block = m_noteBlocks; block; block = block->previous)
	{
		auto* begin = reinterpret_cast<cXmlNode**>(block->Slots());
		DestroyNoted(begin, block == m_noteBlocks ? m_noteNext : begin + block->Nodes() * sizeof(cXmlNode) / sizeof(cXmlNode*), pool);
	}
	Release(m_treeNodes);
}

// The memory of the nodes' texts is kept in pool for the texts of trees
// read later, or released; the nodes then own nothing either and go with
// their blocks. The nodes ahead are fetched early: the steps would
// otherwise wait for each in turn.
void cXmlArena::DestroyNoted(cXmlNode** begin, cXmlNode** end, cXmlTextPool* pool)
{
	constexpr ptrdiff_t NodesAhead = 16;
	for (cXmlNode** note = begin; note < end; ++note)
	{
		if (end - note > NodesAhead)
		{
			// The value's string lies within the node's first 40 bytes.
			__builtin_prefetch(note[NodesAhead]);
			__builtin_prefetch(reinterpret_cast<const char*>(note[NodesAhead]) + 39);
		}
		cXmlNode* node = *note;
		cXmlTextPool::Keep(pool, node->m_value);
		std::string().swap(node->m_value);
	}
}

void cXmlArena::Release(size_t count)
{
	if (m_live.fetch_sub(count, std::memory_order_acq_rel) == count)
		delete this;
}
