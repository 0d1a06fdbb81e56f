#pragma once
// "fan": the player drags the magnet ("magnit") through a field of
// obstacles ("col_1", ... under each child of the window, then the window's
// own "col_4", "col_5", ...) to the key ("key_parent"). Touching an
// obstacle ("error") or letting go makes the magnet glide back to its start
// in 0.3 s; leaving the field ("back") puts it back at once. The vents'
// sound loops while the window is open. Overlap is decided in the screen
// plane.

#include "engine/resources/cResourceHandle.h"
#include "game/minigames/cMinigame.h"

#include <vector>

class cMinigameFan : public cMinigame
{
public:
	static constexpr float kReturnSeconds = 0.3f;

	explicit cMinigameFan(cSceneObject* parent) : cMinigameFan("fan", parent) {}
	cMinigameFan(const std::string& name, cSceneObject* parent);

	void Show() override;
	void Hide() override;
	bool HandleInput() override;
	void Update(float dt) override;

	bool IsDragging() const { return m_dragging; }
	bool IsReturning() const { return m_returning; }
	const std::vector<cSceneObject*>& GetObstacles() const { return m_obstacles; }
	const cBoundingBox& GetFieldBox() const { return m_fieldBox; }

private:
	void StartReturn();
	// While the button is held the magnet follows the cursor and meets
	// the obstacles and the key.
	void Drag();
	// The magnet's and the other's boxes overlap in the screen plane.
	bool Touches(cSceneObject* other);

	std::vector<cSceneObject*> m_obstacles;
	cSceneObject* m_magnet;
	cSceneObject* m_key;
	cBoundingBox m_fieldBox;
	cMatrix m_startMatrix;
	bool m_dragging = false;
	bool m_returning = false;
	cVector3d m_returnOffset;
	float m_returnTimer = 0;
	cResourceHandle m_vents;
};
