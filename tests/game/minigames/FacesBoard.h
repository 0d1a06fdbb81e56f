#pragma once
// The faces test board: cells, ray pieces and heads, and eight heads placed alone.

#include "EightAlone.h"
#include "PuzzleMinigameSupport.h"

#include "game/minigames/cMinigameFaces.h"

#include <array>
#include <cmath>
#include <deque>
#include <functional>
#include <unordered_map>

namespace FacesBoard
{
// Cell (row, column) has its lower left corner here; row 7 at the top.
constexpr float kBoardLeft = 320, kBoardBottom = 110, kCell = 60;
constexpr D3DCOLOR kYellow = 0xFFFFFF00;
constexpr D3DCOLOR kRed = 0xFFFF0000;
constexpr D3DCOLOR kGreen = 0xFF00FF00;
constexpr D3DCOLOR kBlack = 0xFF000000;

inline float CellX(int column) { return kBoardLeft + column * kCell; }
inline float CellY(int row) { return kBoardBottom + row * kCell; }

// Every cell, the heads on row 7, and the ray pieces along the rows and
// columns (none on the diagonals).
inline std::string FacesScene()
{
	std::string scene;
	for (int row = 0; row < 8; ++row)
		for (int column = 0; column < 8; ++column)
		{
			char names[3][16];
			std::snprintf(names[0], sizeof names[0], "point_%d_%d", row, column);
			std::snprintf(names[1], sizeof names[1], "ray_%d%d_%d%d", row, column, row, column + 1);
			std::snprintf(names[2], sizeof names[2], "ray_%d%d_%d%d", row, column, row + 1, column);
			const std::string place = "\" local=\"" + At(CellX(column), CellY(row), -5) + "\"/>";
			scene += std::string("<geometry name=\"") + names[0] + "\" model=\"cell_quad\" local=\"" +
				At(CellX(column), CellY(row)) + "\"/>";
			if (column < 7)
				scene += std::string("<geometry name=\"") + names[1] + "\" model=\"row_ray" + place;
			if (row < 7)
				scene += std::string("<geometry name=\"") + names[2] + "\" model=\"column_ray" + place;
		}
	for (int head = 0; head < 8; ++head)
		scene += "<geometry name=\"head_" + std::to_string(head) + "\" model=\"head_quad\" local=\"" +
			At(CellX(head), CellY(7), -10) + "\"/>";
	return scene + StripBorder();
}


inline void AddFacesContent(sPuzzleArt art, cSceneContent& content)
{
	// The head's texture: a sad red half and a happy green half.
	art.Texture("face", 2, { 0xFFFF0000, 0xFF00FF00 });
	art.Quad("cell_quad", { 0, 0, kCell, kCell }, "yellow");
	art.Quad("head_quad", { 15, 15, kCell - 15, kCell - 15 }, "face", 0.5f, 1);
	art.Quad("row_ray", { kCell / 2, kCell / 2 - 3, kCell * 1.5f, kCell / 2 + 3 }, "white");
	art.Quad("column_ray", { kCell / 2 - 3, kCell / 2, kCell / 2 + 3, kCell * 1.5f }, "white");
	content.AddScene("faces", FacesScene());
}

inline bool IsLit(cMinigameFaces* game, const std::string& name)
{
	return game->GetChildList().FindChild(name)->IsVisible();
}
}
