// The circuit board: each wire taken from the tray and laid on its place.

#include "HallSolvers2Support.h"
#include "HallSolvers3Boards.h"

sMinigameSolver ConnectorsSolver()
{
	return SolverOnScene("connectors", [](cGameRun& run, const cScreenLayout& layout) {
		// The links 14-15 and 27-28 by the horizontal wires, 7-14, 20-27 and
		// 22-29 by the diagonal ones and 1-7 by the vertical one join the
		// start lamp to the goal.
		return PutPieces(run, layout,
				   {{"wire_00", "h_place_2"}, {"wire_02", "h_place_4"}, {"wire_01", "d_place_3"},
					   {"wire_03", "d_place_1"}, {"wire_04", "d_place_5"}, {"wire_05", "v_place_2"}}) &&
			SawVictoryStar(run);
	});
}
