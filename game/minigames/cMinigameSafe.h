#pragma once
// "safe": a dial of eight symbols about a handle. The player grabs the
// handle and turns it by circling the cursor about it, twice as fast as
// the cursor goes round; letting go on a symbol tries it. The four symbols
// of the combination set in order open the safe; a wrong symbol, or a
// release between symbols, changes nothing.

#include "game/minigames/cMinigame.h"

#include <vector>

class cMinigameSafe : public cMinigame
{
public:
	static constexpr int kSymbols = 8;

	explicit cMinigameSafe(cSceneObject* parent) : cMinigameSafe("safe", parent) {}
	cMinigameSafe(const std::string& name, cSceneObject* parent);

	// The handle at 0 and no symbol set.
	void Show() override;
	bool HandleInput() override;
	void Update(float dt) override;

	// The symbol index whose sector holds the position, or -1 between sectors.
	static int SymbolAt(float position);

	float GetPosition() const { return m_position; }
	int GetMatched() const { return m_matched; }
	bool IsGrabbing() const { return m_grabbing; }
	cSceneObject* GetHandle() const { return m_handle; }

private:
	void TurnHandle();
	void LetGo();

	cVector3d m_lastCursor;
	cVector3d m_handleCentre;
	cSceneObject* m_handle = nullptr;
	// Indexed by symbol; null for a symbol missing from the scene.
	std::vector<cSceneObject*> m_symbols;
	int m_matched = 0;
	bool m_grabbing = false;
	float m_position = 0;
	// The turning sound may start again only once this is below 0.
	float m_soundPause = 0;
};
