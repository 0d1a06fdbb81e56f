#pragma once
// A typed-cast question put to a scene object: an object of the asked kind
// answers by writing itself into the result.

class cSceneObject;

struct sCastQuery
{
	int kind = 0;
	cSceneObject* result = nullptr;
};
