#pragma once
// Keywords (object types, scenario commands, minigames) mapped to creator
// functions, each keyword with a small dense index: its position in the
// order of registration. Keywords compare exactly. Object is what the
// creators return; First and Second are their two arguments, passed through
// unchanged (such as an object's name and its parent).

#include <string>
#include <unordered_map>
#include <vector>

template <class Object, class First, class Second>
class cKeywordRegistry
{
public:
	typedef Object* (*Creator)(First first, Second second);

	// Every registration takes the next index, so that the indices of the
	// keywords after it stay the same; a keyword already registered keeps
	// its first index and creator.
	void Register(const std::string& keyword, Creator creator)
	{
		m_index.emplace(keyword, static_cast<int>(m_creators.size()));
		m_creators.push_back(creator);
	}

	// Replaces the creator of a registered keyword; an unknown keyword is
	// left unregistered.
	void SetCreator(const std::string& keyword, Creator creator)
	{
		const int index = GetIndex(keyword);
		if (index >= 0)
			m_creators[index] = creator;
	}

	// The new object of the keyword's creator, or null when the keyword is
	// not registered.
	Object* Create(const std::string& keyword, First first, Second second) const
	{
		int index = GetIndex(keyword);
		if (index < 0 || !m_creators[index])
			return nullptr;
		return m_creators[index](first, second);
	}

	// The creator registered under the index, or null for an index that
	// names none.
	Creator GetCreator(int index) const
	{
		if (index < 0 || index >= static_cast<int>(m_creators.size()))
			return nullptr;
		return m_creators[index];
	}

	// -1 when the keyword is not registered.
	int GetIndex(const std::string& keyword) const
	{
		auto found = m_index.find(keyword);
		return found == m_index.end() ? -1 : found->second;
	}

	// The keyword registered under the index, or "" when there is none.
	std::string GetName(int index) const
	{
		for (const auto& [keyword, position] : m_index)
			if (position == index)
				return keyword;
		return std::string();
	}

private:
	std::vector<Creator> m_creators;
	std::unordered_map<std::string, int> m_index;
};
