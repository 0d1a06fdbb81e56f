#pragma once
// The names of the nodes of one parsed document. The nodes the reader
// makes share one copy of each name; a node that is renamed later gets a
// name of its own here. The names go with the table, that is with the
// document's arena, when its last node goes.

#include <cstdint>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

class cXmlArena;

// A node's name: a node's own, or one shared by the parsed nodes that bear it.
struct sXmlName
{
	std::string text;
	// The arena of the nodes that bear the name; null for the own name of
	// a node made with new or held by value.
	cXmlArena* arena;
	bool shared;
};

class cXmlNameTable
{
public:
	explicit cXmlNameTable(cXmlArena& arena) : m_arena(arena) {}
	cXmlNameTable(const cXmlNameTable&) = delete;
	cXmlNameTable& operator=(const cXmlNameTable&) = delete;

	// The shared name with that text, which lies in a buffer ending at end
	// (null when unknown). Only for the builder, before EndSharing.
	sXmlName* Share(std::string_view text, [[maybe_unused]] const char* end)
	{
#if defined(__SSE2__)
		// The usual short name is found by its first sixteen bytes, read at once.
		if (!m_lookup.empty() && end && text.size() <= KeyLength && end - text.data() >= static_cast<ptrdiff_t>(KeyLength))
		{
			__m128i key = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data())), KeyMask(text.size()));
			size_t mask = m_lookup.size() - 1;
			for (size_t place = Hash(key, text.size()) & mask; m_lookup[place].name; place = (place + 1) & mask)
			{
				const sSlot& slot = m_lookup[place];
				if (slot.length == text.size() && _mm_movemask_epi8(_mm_cmpeq_epi8(slot.key, key)) == 0xFFFF)
					return slot.name;
			}
		}
#endif
		return ShareSlowly(text);
	}
	// No more names are shared: the lookup goes.
	void EndSharing();
	// A new name of one node's own. Any thread may call this.
	sXmlName* NewOwnName(std::string_view text);

private:
	static constexpr size_t KeyLength = 16;

#if defined(__SSE2__)
	using Key = __m128i;
	// Keeps the first length bytes of a key, zeroes the others.
	static __m128i KeyMask(size_t length)
	{
		return _mm_cmpgt_epi8(_mm_set1_epi8(static_cast<char>(length)), _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15));
	}
	static size_t Hash(__m128i key, size_t length)
	{
		uint64_t low = static_cast<uint64_t>(_mm_cvtsi128_si64(key));
		uint64_t high = static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(key, key)));
		return static_cast<size_t>(((low * 0x9E3779B97F4A7C15ull) ^ high ^ length) * 0xC2B2AE3D27D4EB4Full >> 32);
	}
#else
	struct Key
	{
		char bytes[KeyLength];
	};
	static size_t Hash(const Key& key, size_t length)
	{
		uint64_t low, high;
		memcpy(&low, key.bytes, 8);
		memcpy(&high, key.bytes + 8, 8);
		return static_cast<size_t>(((low * 0x9E3779B97F4A7C15ull) ^ high ^ length) * 0xC2B2AE3D27D4EB4Full >> 32);
	}
#endif

	// A shared name by its first bytes (the others zero) and its length.
	struct sSlot
	{
		Key key;
		size_t length;
		sXmlName* name;
	};

	// The key of any text: its first bytes, the others zero.
	static Key KeyOf(std::string_view text);
	sXmlName* ShareSlowly(std::string_view text);
	static void Place(std::vector<sSlot>& lookup, sXmlName* name);
	sXmlName* Add(std::string_view text, bool shared);

	cXmlArena& m_arena;
	// Names keep their places as others are added.
	std::deque<sXmlName> m_names;
	std::mutex m_lock;
	// The shared names, open addressing; the size is a power of two and at
	// least half of the places are free.
	std::vector<sSlot> m_lookup;
	size_t m_shared = 0;
};
