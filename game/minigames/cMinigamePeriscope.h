#pragma once
// "periscope": the player steers the view "esb" behind the frame "scope"
// along a fixed route, one cell per press of "button_left", "button_right",
// "button_up" or "button_down" (each plays its motion of the same name,
// which moves the view by one cell). The lamp shows "green" while the view
// follows the route and "red" after a wrong step, which the player undoes
// by stepping back onto the last right cell. "button_center" glides the
// view back to its start. At the end of the route the view's "window" is
// hidden and the puzzle is solved. The buttons do nothing once it is.

#include "engine/foundation/cMatrix.h"
#include "game/minigames/PeriscopeRoute.h"
#include "game/minigames/cMinigame.h"

#include <vector>

class cMinigamePeriscope : public cMinigame
{
public:
	using sCell = sPeriscopeCell;

	explicit cMinigamePeriscope(cSceneObject* parent) : cMinigamePeriscope("periscope", parent) {}
	cMinigamePeriscope(const std::string& name, cSceneObject* parent);

	// The view back at its start, the lamp green, the glass shown.
	void Show() override;
	void Update(float dt) override;
	// The handlers of the four direction buttons' and the centre button's
	// "on_click".
	void OnDirection(cSceneObject* button);
	void OnCenter(cSceneObject* sender = nullptr);

	// The 30 cells of the route, from the start.
	static const std::vector<sCell>& Route();

	sCell GetCell() const { return { m_u, m_r }; }
	int GetStep() const { return m_step; }
	bool IsOffRoute() const { return m_offRoute; }
	bool IsMoving() const { return m_moving; }
	bool IsReturning() const { return m_returning; }
	cSceneObject* GetView() const { return m_view; }
	cSceneObject* GetGlass() const { return m_glass; }

private:
	// The route point at the step is the cell; a step past the route's end
	// is on no route point.
	bool IsOnRoute(int step) const;
	void PlayLamp(const char* look);

	std::vector<sCell> m_route;
	int m_step = 0;
	cSceneObject* m_view = nullptr;
	cSceneObject* m_frame = nullptr;
	// The view's place in the window at construction: the window itself is
	// placed afterwards, and the view keeps to it.
	cMatrix m_startMatrix;
	cVector3d m_returnOffset;
	cSceneObject* m_glass = nullptr;
	// The direction buttons, in the order of the direction table; null
	// where the scene lacks one.
	std::vector<cSceneObject*> m_buttons;
	bool m_moving = false;
	bool m_returning = false;
	float m_returnTimer = 0;
	float m_returnDuration = 0;
	int m_u = 0;
	int m_r = 0;
	bool m_offRoute = false;
};
