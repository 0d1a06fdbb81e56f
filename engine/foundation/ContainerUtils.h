#pragma once
// Lists and vectors of pointers that hold each pointer once.

#include <algorithm>
#include <list>
#include <vector>

// Appends the pointer unless the list already holds it; true when added.
template <class T>
bool AddToListOnce(std::list<T*>& list, T* item)
{
	if (std::find(list.begin(), list.end(), item) != list.end())
		return false;
	list.push_back(item);
	return true;
}

// Removes the first node equal to the pointer; true when one was removed.
template <class T>
bool RemoveFromList(std::list<T*>& list, T* item)
{
	auto found = std::find(list.begin(), list.end(), item);
	if (found == list.end())
		return false;
	list.erase(found);
	return true;
}

// Removes the first element equal to the pointer, keeping the order of the
// others; true when one was removed.
template <class T>
bool RemoveFromVector(std::vector<T*>& vector, T* item)
{
	auto found = std::find(vector.begin(), vector.end(), item);
	if (found == vector.end())
		return false;
	vector.erase(found);
	return true;
}

// The position of the first element equal to the pointer, or -1.
template <class T>
int IndexOf(const std::vector<T*>& vector, const T* item)
{
	auto found = std::find(vector.begin(), vector.end(), item);
	return found == vector.end() ? -1 : static_cast<int>(found - vector.begin());
}
