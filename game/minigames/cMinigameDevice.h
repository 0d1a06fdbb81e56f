#pragma once
// "device": the pieces of a machine lie scattered over a tray, each turned
// by a multiple of 30 degrees. A left press takes a piece, the right button
// turns the held one, and the next left press lets it go; a piece let go
// within 10 units of its place and turned alike (within 30 degrees, both
// measured against the vertical) snaps into place for good. All pieces in
// place solve the puzzle.
//
// Scene: the pieces "mashine_1", "mashine_2", ... placed where they belong,
// and "background", whose box clips the minigame's drawing.

#include "engine/foundation/cMatrix.h"
#include "game/minigames/cMinigame.h"

#include <vector>

class cMinigameDevice : public cMinigame
{
public:
	explicit cMinigameDevice(cSceneObject* parent);
	// The factory's form; the name is always "device".
	cMinigameDevice(const std::string&, cSceneObject* parent) : cMinigameDevice(parent) {}

	// Scatters every piece anew; none in place, none held.
	void Show() override;
	// The held piece follows the cursor.
	void Update(float dt) override;
	bool HandleInput() override;

	int GetPieceCount() const { return int(m_pieces.size()); }
	cSceneObject* GetPiece(int index) const { return m_pieces[index]; }
	// The piece's place: its local matrix in the scene.
	const cMatrix& GetStartMatrix(int index) const { return m_starts[index]; }
	bool IsConnected(int index) const { return m_connected[index]; }
	// The held piece's index, or -1.
	int GetHeld() const { return m_held; }

private:
	void Scatter(size_t index);
	void TakePiece();
	void ReleasePiece();
	// The piece lies close enough to its place and is turned alike.
	bool FitsItsPlace(size_t index) const;

	std::vector<cSceneObject*> m_pieces;
	std::vector<cMatrix> m_starts;
	std::vector<bool> m_connected;
	float m_baseDepth = 0;
	float m_liftedDepth = 0;
	int m_held = -1;
};
