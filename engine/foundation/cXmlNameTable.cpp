#include "engine/foundation/cXmlNameTable.h"

#include <algorithm>

namespace
{
constexpr size_t FirstLookupSize = 64;
}

cXmlNameTable::Key cXmlNameTable::KeyOf(std::string_view text)
{
	char bytes[KeyLength] = {};
	if (!text.empty())
		memcpy(bytes, text.data(), std::min(text.size(), KeyLength));
	Key key;
	memcpy(&key, bytes, KeyLength);
	return key;
}

sXmlName* cXmlNameTable::ShareSlowly(std::string_view text)
{
	if (m_lookup.empty())
		m_lookup.assign(FirstLookupSize, sSlot{});
	size_t mask = m_lookup.size() - 1;
	for (size_t place = Hash(KeyOf(text), text.size()) & mask; m_lookup[place].name; place = (place + 1) & mask)
		if (m_lookup[place].name->text == text)
			return m_lookup[place].name;
	sXmlName* name = Add(text, true);
	Place(m_lookup, name);
	if (++m_shared * 2 > m_lookup.size())
	{
		std::vector<sSlot> old(m_lookup.size() * 2, sSlot{});
		old.swap(m_lookup);
		for (const sSlot& moved : old)
			if (moved.name)
				Place(m_lookup, moved.name);
	}
	return name;
}

void cXmlNameTable::Place(std::vector<sSlot>& lookup, sXmlName* name)
{
	size_t mask = lookup.size() - 1;
	Key key = KeyOf(name->text);
	size_t place = Hash(key, name->text.size()) & mask;
	while (lookup[place].name)
		place = (place + 1) & mask;
	lookup[place] = sSlot{key, name->text.size(), name};
}

void cXmlNameTable::EndSharing()
{
	std::vector<sSlot>().swap(m_lookup);
	m_shared = 0;
}

sXmlName* cXmlNameTable::NewOwnName(std::string_view text)
{
	std::lock_guard<std::mutex> hold(m_lock);
	return Add(text, false);
}

sXmlName* cXmlNameTable::Add(std::string_view text, bool shared)
{
	return &m_names.emplace_back(sXmlName{std::string(text), &m_arena, shared});
}
