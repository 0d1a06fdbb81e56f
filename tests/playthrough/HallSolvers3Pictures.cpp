// Puzzles of pictures: the triangles' gems and the picture's rings. What
// each shows is read off the screen at the objects of its scene, the moves
// are worked out from it and played by clicks.

#include "HallSolvers3Pictures.h"

#include "HallSolvers2Support.h"

#include "game/minigames/TrianglesBoard.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <thread>

namespace
{
using namespace std::chrono_literals;

// The mean colour of the square of the half size about the point.
sRgb MeanColour(const sScreenshot& shot, sPoint at, int half)
{
	sRgb sum;
	int count = 0;
	for (int y = at.y - half; y <= at.y + half; ++y)
		for (int x = at.x - half; x <= at.x + half; ++x)
		{
			const sRgb colour = ColourAt(shot, x, y);
			sum.r += colour.r;
			sum.g += colour.g;
			sum.b += colour.b;
			++count;
		}
	return {sum.r / count, sum.g / count, sum.b / count};
}

// The triangles: the gem colours a cell shows at its corner positions
// (a fixed light's thrice).
enum class eGem
{
	kRed,
	kWhite,
	kGreen,
	kYellow
};
using tCorners = std::array<eGem, 3>;

// A gem's colour by its hue, lit or dim.
eGem GemOf(const sRgb& colour)
{
	if (colour.g * 10 > colour.r * 13)
		return eGem::kGreen;
	if (colour.g * 10 < colour.r * 6)
		return eGem::kRed;
	return colour.b * 10 > colour.r * 8 ? eGem::kWhite : eGem::kYellow;
}

// The corners turned on by clicks: each click turns a triangle clockwise by
// a third, so that position p shows what position p - 1 showed.
tCorners Turned(const tCorners& corners, int clicks)
{
	tCorners turned;
	for (int position = 0; position < 3; ++position)
		turned[size_t(position)] = corners[size_t((position + 3 - clicks % 3) % 3)];
	return turned;
}

// Where the board's gems show: per cell the points of its corner positions,
// and where a click turns each triangle.
class cTrianglesBoard
{
public:
	// False when the layout lacks a cell's gems.
	bool Read(const cScreenLayout& layout)
	{
		for (int cell = 0; cell < kTrianglesCells; ++cell)
		{
			const sTrianglesPlace& place = kTrianglesBoard[cell];
			if (place.light)
			{
				if (!layout.Has(place.light))
					return false;
				const sPoint gem = CentreOf(layout, place.light);
				m_gems[cell] = {gem, gem, gem};
				continue;
			}
			const std::string triangle = "triangle_" + std::to_string(place.triangle);
			if (!ReadTriangle(layout, cell, triangle))
				return false;
		}
		return true;
	}

	tCorners Corners(const sScreenshot& shot, int cell) const
	{
		tCorners corners;
		for (int position = 0; position < 3; ++position)
			corners[size_t(position)] = GemOf(MeanColour(shot, m_gems[cell][size_t(position)], 2));
		return corners;
	}

	sPoint ClickPoint(int cell) const { return m_centres[cell]; }

private:
	// The triangle's three gems ordered clockwise from the top (pointing
	// up) or the upper left (pointing down).
	bool ReadTriangle(const cScreenLayout& layout, int cell, const std::string& triangle)
	{
		std::vector<sPoint> gems;
		for (const std::string& child : layout.ChildrenOf(triangle))
			if (child.find("light") != std::string::npos)
				gems.push_back(CentreOf(layout, child));
		if (gems.size() != 3)
			return false;
		sPoint& centre = m_centres[cell];
		centre = {(gems[0].x + gems[1].x + gems[2].x) / 3, (gems[0].y + gems[1].y + gems[2].y) / 3};
		// Clock angles from 12 o'clock, clockwise on the screen, counted from
		// -90 degrees: the top gem's is 0, the upper left one's -60.
		auto clock = [&](sPoint gem) {
			const double degrees = std::atan2(gem.x - centre.x, centre.y - gem.y) * 180 / M_PI;
			return degrees < -90 ? degrees + 360 : degrees;
		};
		std::sort(gems.begin(), gems.end(), [&](sPoint a, sPoint b) { return clock(a) < clock(b); });
		std::copy(gems.begin(), gems.end(), m_gems[cell].begin());
		return true;
	}

	std::array<std::array<sPoint, 3>, kTrianglesCells> m_gems{};
	std::array<sPoint, kTrianglesCells> m_centres{};
};

// The clicks each cell's triangle needs (none for a fixed light) so that
// every two touching gems have one colour; empty when there are none.
std::vector<int> SolveTriangles(const std::array<tCorners, kTrianglesCells>& corners)
{
	std::vector<int> clicks(kTrianglesCells, -1);
	for (int cell = 0; cell < kTrianglesCells; ++cell)
		if (kTrianglesBoard[cell].light)
			clicks[size_t(cell)] = 0;
	auto shown = [&](int cell, int position) {
		return Turned(corners[size_t(cell)], clicks[size_t(cell)])[size_t(position)];
	};
	// What cell n shows toward cell r: its corner at the position listing r.
	auto facing = [&](int n, int r) { return shown(n, TrianglesCornerTouching(n, r)); };
	// Cell by cell; a corner is checked once the cell it touches is decided.
	std::function<bool(int)> decide = [&](int cell) {
		if (cell == kTrianglesCells)
			return true;
		if (kTrianglesBoard[cell].light)
			return decide(cell + 1);
		for (int turn = 0; turn < 3; ++turn)
		{
			clicks[size_t(cell)] = turn;
			bool fits = true;
			for (int position = 0; position < 3 && fits; ++position)
			{
				const int n = kTrianglesBoard[cell].neighbours[position];
				fits = clicks[size_t(n)] < 0 || shown(cell, position) == facing(n, cell);
			}
			if (fits && decide(cell + 1))
				return true;
		}
		clicks[size_t(cell)] = -1;
		return false;
	};
	if (!decide(0))
		clicks.clear();
	return clicks;
}

// Clicks the cell's triangle until its gems show the wanted colours, each
// turn awaited before the next click (clicks during a turn do nothing).
bool TurnTo(const cGameRun& run, const cTrianglesBoard& board, int cell, const tCorners& wanted)
{
	for (int click = 0; click < 6; ++click)
	{
		const tCorners before = board.Corners(run.Capture(), cell);
		if (before == wanted)
			return true;
		Tap(run, board.ClickPoint(cell));
		run.ParkPointer();
		Eventually([&] { return board.Corners(run.Capture(), cell) == Turned(before, 1); }, 2s);
		// The lights are checked once the turn has ended.
		std::this_thread::sleep_for(150ms);
	}
	return false;
}

bool PlayTriangles(cGameRun& run, const cScreenLayout& layout)
{
	cTrianglesBoard board;
	if (!board.Read(layout))
		return false;
	run.ParkPointer();
	run.WaitForBoxStill(layout.Box("background"));
	const sScreenshot shot = run.Capture();
	std::array<tCorners, kTrianglesCells> corners;
	for (int cell = 0; cell < kTrianglesCells; ++cell)
		corners[size_t(cell)] = board.Corners(shot, cell);
	const std::vector<int> clicks = SolveTriangles(corners);
	if (clicks.empty())
		return false;
	for (int cell = 0; cell < kTrianglesCells; ++cell)
		if (clicks[size_t(cell)] > 0 &&
			!TurnTo(run, board, cell, Turned(corners[size_t(cell)], clicks[size_t(cell)])))
			return false;
	return SawVictoryStar(run);
}

// The picture: a ring's places (its slots) and the piece at each.
struct sRing
{
	std::vector<sPoint> places;
	// The number of the piece at each place, from 0; -1 for none.
	std::vector<int> pieceAt;
};

// Ring r's places "dummy_r_k" and pieces "ring_r_j" (k, j from 1); a piece
// lies at the place whose centre is its own.
sRing ReadRing(const cScreenLayout& layout, int ring)
{
	const std::string number = std::to_string(ring) + "_";
	sRing read;
	for (int place = 1; layout.Has("dummy_" + number + std::to_string(place)); ++place)
		read.places.push_back(CentreOf(layout, "dummy_" + number + std::to_string(place)));
	read.pieceAt.assign(read.places.size(), -1);
	for (int piece = 1; layout.Has("ring_" + number + std::to_string(piece)); ++piece)
	{
		const sPoint centre = CentreOf(layout, "ring_" + number + std::to_string(piece));
		for (size_t place = 0; place < read.places.size(); ++place)
			if (std::hypot(centre.x - read.places[place].x, centre.y - read.places[place].y) < 10)
				read.pieceAt[place] = piece - 1;
	}
	return read;
}

int Brightness(const sRgb& colour)
{
	return colour.r + colour.g + colour.b;
}

// Swaps the pieces at two places of a ring: the first is selected (it
// darkens), then the second pressed; each rides to the other's place.
bool SwapPieces(const cGameRun& run, sPoint from, sPoint to, const sScreenBox& picture)
{
	const int half = 4;
	run.ParkPointer();
	const sScreenshot before = run.Capture();
	const sRgb fromLook = MeanColour(before, from, half), toLook = MeanColour(before, to, half);
	Tap(run, from);
	run.ParkPointer();
	if (!Eventually([&] { return Brightness(MeanColour(run.Capture(), from, half)) * 10 < Brightness(fromLook) * 9; },
			2s))
		return false;
	Tap(run, to);
	run.ParkPointer();
	const bool swapped = Eventually(
		[&] {
			const sScreenshot shot = run.Capture();
			return IsNear(MeanColour(shot, to, half), fromLook, 16) && IsNear(MeanColour(shot, from, half), toLook, 16);
		},
		3s);
	run.WaitForBoxStill(picture);
	return swapped;
}

bool PlayPicture(cGameRun& run, const cScreenLayout& layout)
{
	std::vector<sRing> rings;
	sScreenBox picture{kLogicalWidth, kLogicalHeight, 0, 0};
	for (int ring = 1; layout.Has("dummy_" + std::to_string(ring) + "_1"); ++ring)
	{
		rings.push_back(ReadRing(layout, ring));
		for (sPoint place : rings.back().places)
			picture = {std::min(picture.left, place.x - 10), std::min(picture.top, place.y - 10),
				std::max(picture.right, place.x + 10), std::max(picture.bottom, place.y + 10)};
	}
	run.ParkPointer();
	run.WaitForBoxStill(picture);
	for (sRing& ring : rings)
		for (int place = 0; place < int(ring.places.size()); ++place)
		{
			// The piece that belongs here is fetched from where it lies.
			const auto found = std::find(ring.pieceAt.begin(), ring.pieceAt.end(), place);
			if (found == ring.pieceAt.end())
				return false;
			const size_t from = size_t(found - ring.pieceAt.begin());
			if (from == size_t(place))
				continue;
			if (!SwapPieces(run, ring.places[from], ring.places[size_t(place)], picture))
				return false;
			std::swap(ring.pieceAt[from], ring.pieceAt[size_t(place)]);
		}
	return SawVictoryStar(run);
}
}

sMinigameSolver TrianglesSolver()
{
	return SolverOnScene("triangles", PlayTriangles);
}

sMinigameSolver PictureSolver()
{
	return SolverOnScene("picture", PlayPicture);
}
