#pragma once
// What the solvers of the hall's last fourteen minigames share: a solver
// built on the layout of its minigame's scene, colours read off the
// screen, moves with the left button held, and the signs of a solve that
// the screen shows.

#include "HallScreen.h"
#include "MinigameSolvers.h"

#include <chrono>
#include <utility>
#include <vector>

struct sPoint
{
	int x = 0, y = 0;
};

// The centre of the object's box in the layout.
sPoint CentreOf(const cScreenLayout& layout, const std::string& path);

// A solver of the minigame whose scene is named like it: the scene's
// layout is read before the launch, and solve plays once the minigame has
// settled on the screen.
sMinigameSolver SolverOnScene(const std::string& minigame,
	const std::function<bool(cGameRun& run, const cScreenLayout& layout)>& solve);

// Clicks (or right clicks) at the point, or the centre of the object's
// box, and waits for the game to have read the click there before the
// pointer moves on.
void Tap(const cGameRun& run, sPoint at);
bool TapObject(const cGameRun& run, const cScreenLayout& layout, const std::string& path);
void RightTap(const cGameRun& run, sPoint at);
// Clicks each piece, then the place it goes to; false when the scene
// lacks one of them.
bool PutPieces(const cGameRun& run, const cScreenLayout& layout,
	const std::vector<std::pair<std::string, std::string>>& moves);

// Waits until the test holds for a share of the box's pixels of at least
// the given one; false at the limit.
bool AwaitShare(const cGameRun& run, const sScreenBox& box, double share,
	const std::function<bool(const sRgb&)>& test, std::chrono::milliseconds limit);

// Presses the left button at the first point, moves through the others in
// small steps and lets go at the last, or where the stop first holds.
void DragThrough(const cGameRun& run, const std::vector<sPoint>& points, const std::function<bool()>& stop = {});
// Holds the left button at the start and circles the pointer about the
// centre by the angle (radians, clockwise on the screen) at the radius,
// reaching it along the start's ray; lets go there. The angle turned in
// fact, the pointer's pixels rounded; turns of half a circle or more are
// not meant.
double CircleAbout(const cGameRun& run, sPoint centre, sPoint start, int radius, double angle);

// The victory's golden star shows over the minigame within the limit; the
// pointer is parked first so that it covers nothing of it.
bool SawVictoryStar(const cGameRun& run, std::chrono::milliseconds limit = std::chrono::seconds(5));
// A minigame that wins silently closes by itself: the screen turns from
// the minigame's within the limit, with no click of the solver's.
bool ClosesByItself(const cGameRun& run, std::chrono::milliseconds limit = std::chrono::seconds(5));
// The same seen in the box (the close button, say, which only the closing
// changes) against a picture of the open minigame taken before the last
// moves: a closing that began during them is seen too.
bool ClosesByItself(const cGameRun& run, const sScreenshot& open, const sScreenBox& box,
	std::chrono::milliseconds limit = std::chrono::seconds(5));
