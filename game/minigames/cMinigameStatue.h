#pragma once
// "statue": the parts of a statue under "body" are touched in groups:
// first the five feathers "1_pero" to "5_pero" in any order, then the
// "head", then the arms "l_arm" and "r_arm". An allowed touch plays the
// part's clip "<part>_hit1" and sets it; a touch out of order does
// nothing. Once all eight are set the doors open ("open_doors") and the
// puzzle is solved. Touches wait while any clip of the window plays.

#include "game/minigames/cMinigame.h"

#include <map>

class cMinigameStatue : public cMinigame
{
public:
	explicit cMinigameStatue(cSceneObject* parent) : cMinigameStatue("statue", parent) {}
	cMinigameStatue(const std::string& name, cSceneObject* parent);

	void Show() override;
	bool HandleInput() override;
	void Update(float dt) override;

	// The first object below object, depth first in child order (each
	// object before its own children), whose own visual is under the
	// pointer; null when none is.
	static cSceneObject* FindHitPart(cSceneObject* object);

	// "" before the part is touched, "hit1" once it is set.
	std::string GetPartState(const std::string& part) const;
	bool IsAllSet() const { return m_allSet; }
	bool AreDoorsOpened() const { return m_doorsOpened; }

private:
	bool IsAllowed(const std::string& part) const;
	bool IsSet(const std::string& part) const { return GetPartState(part) == "hit1"; }
	bool AreAllSet(const char* const* first, const char* const* last) const;
	void Touch(cSceneObject& part);

	cSceneObject* m_body;
	std::map<std::string, std::string> m_states;
	bool m_allSet = false;
	bool m_doorsOpened = false;
};
