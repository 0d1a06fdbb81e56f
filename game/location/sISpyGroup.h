#pragma once
// Hidden objects that show the same text: the player finds the group once
// every one of them has been clicked.

#include <string>
#include <vector>

class cSceneObject;

struct sISpyGroup
{
	std::wstring text;
	// Each object at most once.
	std::vector<cSceneObject*> objects;
};
