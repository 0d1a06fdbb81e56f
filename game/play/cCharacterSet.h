#pragma once
// The poses of one character ("character_set"): exactly one member is
// visible, playing "idle"; when nothing plays any more another is picked.
// Each member in turn is taken with its own chance, a draw below the sum
// of the weights that comes out no larger than its "prob" (compared
// without sign); the first member is taken when none was.

#include "engine/scene/cSceneObject.h"

#include <vector>

class cCharacter;

class cCharacterSet : public cSceneObject
{
public:
	using cSceneObject::cSceneObject;

	std::string GetTypeName() const override { return "character_set"; }
	// Picks and shows a member when no animation plays, then updates.
	void Update(float dt) override;

	// Appends the character, hides it and moves it under the set, keeping
	// its local placement.
	void AddMember(cCharacter* character);

	const std::vector<cCharacter*>& GetMembers() const { return m_members; }

private:
	cCharacter* PickMember() const;

	std::vector<cCharacter*> m_members;
};
