#pragma once
// A board for the "triangles" minigame written in the test: 16 triangles
// in four rows forming one big triangle, each with three coloured corner
// lights, the 12 fixed lights beside the corners they touch, and the
// motion that turns a triangle clockwise by a third per clip. The board's
// table of touching corners is the game's; the corner colours are dealt so
// that the board can be solved, and a solver works out from the colours
// which turn each triangle needs.

#include "BoardTestSupport.h"

#include "engine/scene/cMotionWriter.h"
#include "game/minigames/TrianglesBoard.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace triangles
{
using namespace board;

const char* const kColourNames[4] = { "red", "white", "green", "yellow" };
const uint32_t kColourValues[4] = { 0xFFFF2020, 0xFFF0F0F0, 0xFF20E020, 0xFFFFE020 };

constexpr float kSide = 110;
const float kHeight = kSide * std::sqrt(3.0f) / 2;
constexpr float kApexX = 512;
constexpr float kApexY = 600;
constexpr float kInset = 0.6f;

inline int ColourOf(const std::string& name)
{
	return name.find("red") != std::string::npos ? 0
		: name.find("green") != std::string::npos ? 2
		: name.find("white") != std::string::npos ? 1
												   : 3;
}

inline int CellOfTriangle(int triangle)
{
	for (int cell = 0; cell < 28; ++cell)
		if (kTrianglesBoard[cell].triangle == triangle)
			return cell;
	return -1;
}

// The position at which cell n lists cell r (2 when not first or second).
inline int PositionOf(int n, int r)
{
	return TrianglesCornerTouching(n, r);
}

// Row r holds triangles r * r to r * r + 2r, pointing up and down in turn.
inline bool PointsUp(int triangle)
{
	const int row = int(std::sqrt(float(triangle)));
	return (triangle - row * row) % 2 == 0;
}

inline cVector3d Centre(int triangle)
{
	const int row = int(std::sqrt(float(triangle)));
	const int column = triangle - row * row;
	const float left = kApexX - float(row) * kSide / 2 + float(column / 2) * kSide;
	const float top = kApexY - float(row) * kHeight;
	if (PointsUp(triangle))
		return cVector3d(left, top - 2 * kHeight / 3, 0);
	return cVector3d(left + kSide / 2, top - kHeight / 3, 0);
}

// Corner position k from the centre, clockwise from the top (up) or from
// the upper left (down).
inline cVector3d CornerOffset(int triangle, int k, float inset = kInset)
{
	static const float up[3][2] = { { 0, 2.0f / 3 }, { 0.5f, -1.0f / 3 }, { -0.5f, -1.0f / 3 } };
	static const float down[3][2] = { { -0.5f, 1.0f / 3 }, { 0.5f, 1.0f / 3 }, { 0, -2.0f / 3 } };
	const float(&unit)[3][2] = PointsUp(triangle) ? up : down;
	return cVector3d(unit[k][0] * kSide * inset, unit[k][1] * kHeight * inset, 0);
}

// The corner colours, per triangle and position, that glow everywhere when
// every triangle rests unturned: a fixed light's colour where one touches,
// otherwise a colour shared by the two touching corners.
inline std::vector<std::array<int, 3>> DealColours()
{
	std::vector<std::array<int, 3>> colours(16, { -1, -1, -1 });
	int next = 0;
	for (int cell = 0; cell < 28; ++cell)
		for (int k = 0; k < 3 && kTrianglesBoard[cell].triangle >= 0; ++k)
		{
			const int n = kTrianglesBoard[cell].neighbours[k];
			int& colour = colours[size_t(kTrianglesBoard[cell].triangle)][size_t(k)];
			if (colour >= 0)
				continue;
			if (kTrianglesBoard[n].triangle < 0)
				colour = ColourOf(kTrianglesBoard[n].light);
			else
				colour = colours[size_t(kTrianglesBoard[n].triangle)][size_t(PositionOf(n, cell))] = next++ % 4;
		}
	return colours;
}

// Every triangle's motion: a third of a turn clockwise per clip, each
// clip a fifth of a second.
inline std::string TurnBytes()
{
	cMotionWriter writer;
	for (int key = 0; key <= 3; ++key)
	{
		const float half = -float(key) * 3.14159265f / 3;
		writer.AddKeyTime(float(key * 10)).AddRotation(cQuaternion(0, 0, std::sin(half), std::cos(half)));
	}
	return writer.GetBytes();
}

inline std::string TrianglesScene()
{
	const std::vector<std::array<int, 3>> colours = DealColours();
	std::string scene = Placed("background", "tri_back", 0, 0, 10);
	for (int triangle = 0; triangle < 16; ++triangle)
	{
		const cVector3d centre = Centre(triangle);
		scene += "<geometry name=\"triangle_" + std::to_string(triangle) + "\" model=\"tri_piece\" motion=\"tri_turn\" local=\"" +
			At(centre.x, centre.y) + "\">";
		for (int clip = 0; clip < 3; ++clip)
			scene += "<add_motion name=\"rotation" + std::to_string(clip) + "\" first=\"" + std::to_string(clip * 10) +
				"\" last=\"" + std::to_string(clip * 10 + 10) + "\" length=\"0.2\"/>";
		for (int k = 0; k < 3; ++k)
		{
			const int colour = colours[size_t(triangle)][size_t(k)];
			const cVector3d at = CornerOffset(triangle, k);
			scene += Placed(std::string("light_") + kColourNames[colour] + "_" + std::to_string(k), std::string("tri_") + kColourNames[colour],
				at.x, at.y, -1);
		}
		scene += "</geometry>";
	}
	for (int cell = 0; cell < 28; ++cell)
	{
		if (kTrianglesBoard[cell].triangle >= 0)
			continue;
		const int touching = kTrianglesBoard[cell].neighbours[0];
		const int triangle = kTrianglesBoard[touching].triangle;
		const cVector3d at = Centre(triangle) + CornerOffset(triangle, PositionOf(touching, cell), 1.1f);
		scene += Placed(kTrianglesBoard[cell].light, std::string("tri_") + kColourNames[ColourOf(kTrianglesBoard[cell].light)], at.x, at.y);
	}
	return scene + BorderScene();
}

inline void AddTrianglesModels(cTestResources& resources)
{
	AddColourQuad(resources, "tri_back", { 180, 150, 844, 640 }, 0xFF302018);
	AddColourQuad(resources, "tri_piece", Centred(40, 40), 0xFF806040);
	for (int colour = 0; colour < 4; ++colour)
		AddColourQuad(resources, std::string("tri_") + kColourNames[colour], Centred(14, 14), kColourValues[colour]);
}

// The corner colours as the game reads them, turn by turn: every triangle's
// colour at position k for turn state t is colours[(k - t) mod 3].
inline std::optional<std::vector<int>> SolveBoard(const std::vector<std::array<int, 3>>& colours)
{
	std::vector<int> turns(16, -1);
	auto facing = [&](int n, int r) {
		if (kTrianglesBoard[n].triangle < 0)
			return ColourOf(kTrianglesBoard[n].light);
		const int t = turns[size_t(kTrianglesBoard[n].triangle)];
		return colours[size_t(kTrianglesBoard[n].triangle)][size_t((PositionOf(n, r) + 3 - t) % 3)];
	};
	// Triangles in order; a corner is checked once its neighbour is decided.
	std::function<bool(int)> decide = [&](int triangle) {
		if (triangle == 16)
			return true;
		const int cell = CellOfTriangle(triangle);
		for (int t = 0; t < 3; ++t)
		{
			turns[size_t(triangle)] = t;
			bool fits = true;
			for (int k = 0; k < 3 && fits; ++k)
			{
				const int n = kTrianglesBoard[cell].neighbours[k];
				if (kTrianglesBoard[n].triangle >= 0 && turns[size_t(kTrianglesBoard[n].triangle)] < 0)
					continue;
				fits = facing(cell, n) == facing(n, cell);
			}
			if (fits && decide(triangle + 1))
				return true;
		}
		turns[size_t(triangle)] = -1;
		return false;
	};
	if (!decide(0))
		return std::nullopt;
	return turns;
}
}
