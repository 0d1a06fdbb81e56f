#pragma once
// "faces": eight heads on a board of 8 by 8 cells, moved one at a time.
// Two heads on one row, column or diagonal with no head between them see
// each other: the cells and ray pieces between them light up. A head that
// sees no other shows its happy face (the right half of its texture); eight
// such heads solve the puzzle.
//
// Scene: "head_0" to "head_7", the cells "point_<row>_<column>" (one digit
// each), and ray pieces "ray_AA_BB" joining the neighbouring cells of codes
// AA and BB (row times 10 plus column). A press picks a head up; the next
// press on a free cell sets it down there with a short glide.

#include "engine/foundation/cMatrix.h"
#include "game/minigames/cMinigame.h"

#include <array>
#include <map>
#include <vector>

class cMinigameFaces : public cMinigame
{
public:
	static constexpr int kSize = 8;

	explicit cMinigameFaces(cSceneObject* parent);
	// The factory's form; the name is always "faces".
	cMinigameFaces(const std::string&, cSceneObject* parent) : cMinigameFaces(parent) {}

	// The heads in a row along row 7; no head held.
	void Show() override;
	bool HandleInput() override;
	void Update(float dt) override;

	// Moves head k to the cell: at once, or as a glide of 0.2 s that ends
	// in an evaluation of the board.
	void PlaceHead(int head, int row, int column, bool atOnce);
	// The first occupied cell from the start toward the target, stepping by
	// the signs of the differences; false when there is none.
	bool CastRay(int row, int column, int towardRow, int towardColumn, int& foundRow, int& foundColumn) const;
	// Lights the cells and ray pieces from the first cell to the second.
	void ShowRay(int fromRow, int fromColumn, int toRow, int toColumn);
	// Lights what the heads see, turns the lonely heads happy and solves
	// the puzzle when all eight are lonely.
	void Evaluate();

	// 0 for an empty cell, k + 1 for the cell head k stands on.
	int GetCell(int row, int column) const { return m_board[row * kSize + column]; }
	int GetHeadCount() const { return int(m_heads.size()); }
	// The head's cell as row times 10 plus column.
	int GetHeadCell(int head) const { return m_headCells[head]; }
	int GetLonelyCount() const { return m_lonely; }

private:
	struct sGlide
	{
		int head = -1;
		cMatrix target;
		float remaining = 0;
		cVector3d step;
	};

	void HidePointsAndRays();
	// The head held before the press goes down where the press hit a free cell.
	void DropHead(int head);
	cSceneObject* Point(int row, int column) const { return m_points[row * kSize + column]; }

	std::vector<cSceneObject*> m_heads;
	std::array<cSceneObject*, kSize * kSize> m_points {};
	// Under (code A) * 1000 + code B and the reverse.
	std::map<int, cSceneObject*> m_rays;
	std::array<int, kSize * kSize> m_board {};
	std::vector<int> m_headCells;
	std::vector<cMatrix> m_offsets;
	int m_held = -1;
	cMatrix m_heldMatrix;
	sGlide m_glide;
	int m_lonely = 0;
};
