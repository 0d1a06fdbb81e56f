// Boards played with pieces and valves: the skull's mirrors, the fingers,
// the fan's magnet and the flute's valves.

#include "HallSolvers2Games.h"
#include "HallSolvers2Support.h"

#include <algorithm>
#include <thread>

namespace
{
// An indicator's lamp glows orange once lit.
bool IsLampGlow(const sRgb& colour)
{
	return IsNear(colour, {255, 190, 60}, 40);
}
}

sMinigameSolver SkullSolver()
{
	return SolverOnScene("skull", [](cGameRun& run, const cScreenLayout& layout) {
		// The down, up, left and right mirrors on the sockets that turn
		// each beam into the receiver of its colour.
		return PutPieces(run, layout,
				   {{"tube_2", "point_3"}, {"tube_5", "point_6"}, {"tube_4", "point_5"}, {"tube_1", "point_2"}}) &&
			SawVictoryStar(run);
	});
}

sMinigameSolver FingersSolver()
{
	return SolverOnScene("fingers", [](cGameRun& run, const cScreenLayout& layout) {
		std::vector<std::pair<std::string, std::string>> moves;
		for (int finger = 1; finger <= 4; ++finger)
			moves.emplace_back("finger_d" + std::to_string(finger), "red_" + std::to_string(finger));
		return PutPieces(run, layout, moves) && SawVictoryStar(run);
	});
}

sMinigameSolver FanSolver()
{
	return SolverOnScene("fan", [](cGameRun& run, const cScreenLayout& layout) {
		// Over the first pipe, down between it and the second, under the
		// second, up between it and the third, and over the third to the key.
		const sScreenBox field = layout.Box("back");
		const sScreenBox first = layout.Box("pipes/col_1");
		const sScreenBox second = layout.Box("pipes/col_2");
		const sScreenBox third = layout.Box("col_4");
		const int high = (field.top + first.top) / 2;
		const int low = (second.bottom + field.bottom) / 2;
		const int firstGap = (first.right + second.left) / 2;
		const int secondGap = (second.right + third.left) / 2;
		const sPoint magnet = CentreOf(layout, "magnit");
		const sPoint key = CentreOf(layout, "key_parent");
		DragThrough(run, {magnet, {magnet.x, high}, {firstGap, high}, {firstGap, low}, {secondGap, low},
							 {secondGap, high}, {key.x, high}, key});
		return SawVictoryStar(run);
	});
}

sMinigameSolver TubeSolver()
{
	return SolverOnScene("tube", [](cGameRun& run, const cScreenLayout& layout) {
		auto press = [&](int valve) { return TapObject(run, layout, "kapan_off_" + std::to_string(valve)); };
		// The indicator's next step lights after a right valve.
		auto stepLights = [&](size_t step) {
			return AwaitShare(run, layout.Box("open_" + std::to_string(step)), 0.3, IsLampGlow,
				std::chrono::milliseconds(2000));
		};
		auto settle = [] { std::this_thread::sleep_for(std::chrono::milliseconds(350)); };
		// Valves 2 to 5 make the order; the found ones and those that
		// failed after them.
		std::vector<int> order, failed;
		while (order.size() < 4)
		{
			int valve = 2;
			while (valve <= 5 && (std::count(order.begin(), order.end(), valve) || std::count(failed.begin(), failed.end(), valve)))
				++valve;
			if (valve > 5 || !press(valve))
				return false;
			if (stepLights(order.size() + 2))
			{
				order.push_back(valve);
				failed.clear();
				settle();
				continue;
			}
			// Every valve sprang back: the ones found are pressed again.
			failed.push_back(valve);
			settle();
			for (size_t found = 0; found < order.size(); ++found)
			{
				if (!press(order[found]) || !stepLights(found + 2))
					return false;
				settle();
			}
		}
		return SawVictoryStar(run, std::chrono::seconds(6));
	});
}
