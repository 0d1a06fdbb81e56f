// The hall's board puzzles played piece by piece: the eight heads of
// "faces" set out so that none sees another, and the balls of "tower"
// rolled and carried round the wheel to the sockets of their colours.
// Each move is watched until the board shows it done, for a press made
// while a piece still moves is lost.

#include "HallSolvers3Stacks.h"

#include "../game/minigames/EightAlone.h"
#include "HallSolvers2Support.h"

#include <array>
#include <cmath>
#include <deque>
#include <functional>
#include <optional>
#include <thread>
#include <unordered_map>

namespace
{
// A move shown on the screen takes input again after this pause.
const auto kSettle = std::chrono::milliseconds(300);
const auto kMoveLimit = std::chrono::seconds(5);

// The box of the half size about the point.
sScreenBox BoxAbout(sPoint centre, int half)
{
	return {centre.x - half, centre.y - half, centre.x + half, centre.y + half};
}

const int kFacesSize = 8;


// A head's face, sad or happy, in the middle of its cell.
bool IsHeadFace(const sRgb& colour)
{
	return IsNear(colour, {170, 150, 140}, 25) || IsNear(colour, {240, 200, 90}, 20);
}

std::string CellName(int row, int column)
{
	return "point_" + std::to_string(row) + "_" + std::to_string(column);
}

const int kTowerCells = 12;
// Each cell's place in steps about the wheel's centre (x right, y up): two
// crossing rows, and the wheel's four gates three steps out.
const int kCellPlaces[kTowerCells][2] = {{0, 3}, {0, 2}, {-2, 0}, {2, 0}, {0, 1}, {-3, 0}, {-1, 0}, {0, -2}, {0, -3},
	{0, -1}, {1, 0}, {3, 0}};
// The wheel's rim is half a step beyond the gates.
const double kWheelSteps = 3.5;
// The cells a ball rolls to, tried up, down, left and right; -1 for none.
const int kNeighbours[kTowerCells][4] = {{-1, 1, -1, -1}, {0, 4, 2, 3}, {1, 7, 5, 6}, {1, 7, 10, 11}, {1, -1, 6, 10},
	{-1, -1, -1, 2}, {4, 9, 2, -1}, {9, 8, 2, 3}, {7, -1, -1, -1}, {-1, 7, 6, 10}, {4, 9, -1, 3}, {-1, -1, 3, -1}};
// The gates in the order the wheel carries a ball between them.
const int kGates[4] = {0, 11, 8, 5};
// The ball colours (codes 1 to 4) and the bar over a closed gate.
const sRgb kBallColours[4] = {{240, 240, 235}, {220, 50, 40}, {60, 190, 70}, {240, 210, 40}};
const sRgb kBarColour{200, 60, 40};
// A cell is empty (0), holds a ball of a colour 1 to 4, or is a barred gate.
const int kBarred = 5;
// A code of the above for each cell.
typedef std::array<int, kTowerCells> tCells;
// A press on the wheel instead of a cell.
const int kWheel = kTowerCells;

// The code of the ball colour the pixel shows; 0 for none.
int BallColourOf(const sRgb& seen)
{
	for (int colour = 1; colour <= 4; ++colour)
		if (IsNear(seen, kBallColours[colour - 1], 35))
			return colour;
	return 0;
}

// The board as the solver tracks it: each cell's ball colour (0 none) and
// the wheel's quarter turns, which bring the one open gate round.
struct sTowerState
{
	tCells colours{};
	int ring = 0;

	bool IsOpen(int cell) const
	{
		for (int gate : kGates)
			if (gate == cell)
				return cell == kGates[ring];
		return true;
	}
	// What the screen shows at each cell.
	tCells Looks() const
	{
		tCells looks = colours;
		for (int cell = 0; cell < kTowerCells; ++cell)
			if (looks[cell] == 0 && !IsOpen(cell))
				looks[cell] = kBarred;
		return looks;
	}
	uint64_t Key() const
	{
		uint64_t key = uint64_t(ring);
		for (int colour : colours)
			key = key * 5 + uint64_t(colour);
		return key;
	}
	// The board after the press on a cell's ball or the wheel; false when
	// the press moves nothing.
	bool After(int press, sTowerState& next) const
	{
		next = *this;
		if (press == kWheel)
		{
			const int from = kGates[ring];
			next.ring = (ring + 1) % 4;
			std::swap(next.colours[from], next.colours[kGates[next.ring]]);
			return true;
		}
		if (colours[press] == 0)
			return false;
		for (int to : kNeighbours[press])
			if (to >= 0 && colours[to] == 0 && IsOpen(to))
			{
				std::swap(next.colours[press], next.colours[to]);
				return true;
			}
		return false;
	}
};

// The presses, fewest first, that bring the board to the goal colours
// (0 where any will do); empty when none does.
std::vector<int> TowerPresses(const sTowerState& start, const tCells& goal)
{
	auto reached = [&](const sTowerState& state) {
		for (int cell = 0; cell < kTowerCells; ++cell)
			if (goal[cell] != 0 && state.colours[cell] != goal[cell])
				return false;
		return true;
	};
	// Each state reached: the one before it and the press between.
	std::unordered_map<uint64_t, std::pair<sTowerState, int>> before{{start.Key(), {start, -1}}};
	std::deque<sTowerState> queue{start};
	while (!queue.empty())
	{
		const sTowerState state = queue.front();
		queue.pop_front();
		if (reached(state))
		{
			std::vector<int> presses;
			for (sTowerState at = state; before.at(at.Key()).second >= 0; at = before.at(at.Key()).first)
				presses.insert(presses.begin(), before.at(at.Key()).second);
			return presses;
		}
		for (int press = 0; press <= kWheel; ++press)
		{
			sTowerState next;
			if (state.After(press, next) && before.emplace(next.Key(), std::make_pair(state, press)).second)
				queue.push_back(next);
		}
	}
	return {};
}

// Where the tower's cells and wheel are on the screen.
class cTowerBoard
{
public:
	explicit cTowerBoard(const cScreenLayout& layout)
		: m_centre(CentreOf(layout, "ring")),
		  m_step((layout.Box("ring").right - layout.Box("ring").left) / (2 * kWheelSteps))
	{
	}

	sPoint Cell(int cell) const { return At(kCellPlaces[cell][0], kCellPlaces[cell][1]); }
	// A point of the wheel halfway between two gates, far from every cell.
	sPoint Wheel() const { return At(3 * M_SQRT1_2, 3 * M_SQRT1_2); }

	// What each cell shows: the colour code of its ball, a barred gate or 0.
	tCells Looks(const sScreenshot& shot) const
	{
		tCells looks{};
		for (int cell = 0; cell < kTowerCells; ++cell)
		{
			const sScreenBox middle = BoxAbout(Cell(cell), int(m_step / 7));
			for (int colour = 1; colour <= 4; ++colour)
				if (ShareWhere(shot, middle, [&](const sRgb& seen) { return BallColourOf(seen) == colour; }) >= 0.5)
					looks[cell] = colour;
			// The bar is a thin cross over the gate's socket.
			if (looks[cell] == 0 && ShareWhere(shot, middle, [](const sRgb& seen) { return IsNear(seen, kBarColour, 35); }) >= 0.05)
				looks[cell] = kBarred;
		}
		return looks;
	}
	// The colour ringed round each socket, between the ball's edge and the
	// ring's: the goal (0 for none).
	tCells Goal(const sScreenshot& shot) const
	{
		tCells goal{};
		const int points = 12;
		const double radius = 0.43 * m_step;
		for (int cell = 0; cell < kTowerCells; ++cell)
		{
			std::array<int, 5> hits{};
			for (int point = 0; point < points; ++point)
			{
				const double angle = 2 * M_PI * point / points;
				const sPoint at = Cell(cell);
				++hits[size_t(BallColourOf(ColourAt(shot, at.x + int(radius * std::cos(angle)), at.y + int(radius * std::sin(angle)))))];
			}
			for (int colour = 1; colour <= 4; ++colour)
				if (hits[size_t(colour)] > points / 2)
					goal[cell] = colour;
		}
		return goal;
	}

private:
	sPoint At(double stepsRight, double stepsUp) const
	{
		return {int(std::lround(m_centre.x + m_step * stepsRight)), int(std::lround(m_centre.y - m_step * stepsUp))};
	}

	sPoint m_centre;
	double m_step;
};

// What the board shows once two reads a settling pause apart agree and
// pass the test (a ball or the wheel still moving passes on one read at
// most); nothing at the limit.
std::optional<tCells> SettledLooks(const cGameRun& run, const cTowerBoard& board,
	const std::function<bool(const tCells&)>& test)
{
	run.ParkPointer();
	tCells looks{};
	const bool settled = Eventually(
		[&] {
			const tCells first = board.Looks(run.Capture());
			if (!test(first))
				return false;
			std::this_thread::sleep_for(kSettle);
			looks = board.Looks(run.Capture());
			return looks == first;
		},
		kMoveLimit);
	return settled ? std::optional<tCells>(looks) : std::nullopt;
}

// The board as it stands: its balls and the wheel's open gate.
bool ReadTower(const cGameRun& run, const cTowerBoard& board, sTowerState& state)
{
	const std::optional<tCells> looks = SettledLooks(run, board, [](const tCells&) { return true; });
	if (!looks)
		return false;
	for (int cell = 0; cell < kTowerCells; ++cell)
		state.colours[cell] = (*looks)[cell] == kBarred ? 0 : (*looks)[cell];
	for (state.ring = 0; state.ring < 4; ++state.ring)
		if (state.Looks() == *looks)
			return true;
	return false;
}
}

sMinigameSolver FacesSolver()
{
	return SolverOnScene("faces", [](cGameRun& run, const cScreenLayout& layout) {
		// The heads stand along the top row; each goes down its column to
		// a row where no other head sees it.
		const std::array<int, kFacesSize> rows = EightAlone();
		for (int column = 0; column < kFacesSize; ++column)
		{
			if (rows[column] == kFacesSize - 1)
				continue;
			const std::string target = CellName(rows[column], column);
			if (!TapObject(run, layout, "head_" + std::to_string(column)) || !TapObject(run, layout, target))
				return false;
			run.ParkPointer();
			// The head has glided there.
			if (!AwaitShare(run, BoxAbout(CentreOf(layout, target), 8), 0.4, IsHeadFace, kMoveLimit))
				return false;
			std::this_thread::sleep_for(kSettle);
		}
		return SawVictoryStar(run);
	});
}

sMinigameSolver TowerSolver()
{
	return SolverOnScene("tower", [](cGameRun& run, const cScreenLayout& layout) {
		const cTowerBoard board(layout);
		sTowerState state;
		if (!ReadTower(run, board, state))
			return false;
		const std::vector<int> presses = TowerPresses(state, board.Goal(run.Capture()));
		if (presses.empty())
			return false;
		for (size_t index = 0; index < presses.size(); ++index)
		{
			const int press = presses[index];
			sTowerState next;
			state.After(press, next);
			Tap(run, press == kWheel ? board.Wheel() : board.Cell(press));
			// The last move's victory covers the board.
			const bool last = index + 1 == presses.size();
			if (!last && !SettledLooks(run, board, [&](const tCells& looks) { return looks == next.Looks(); }))
				return false;
			state = next;
		}
		return SawVictoryStar(run);
	});
}
