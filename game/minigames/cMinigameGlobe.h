#pragma once
// "globe": a globe on a stand carries eight animal figures; a ruler slides
// along the globe and holds a nail. Dragging the globe's top sideways turns
// the globe (its clip "globroot1"), dragging the ruler up or down slides it
// (its clip "rule_on"), and a click on the nail strikes it. Five animals
// must be pinned in a fixed order: withe_house, octopus, alifant, tiger,
// shark. After each correct strike a sign showing the next animal fades in
// ("table_sprut", "table_alifant", "table_tiger", "table_shark"); after
// the fifth the globe opens ("globopen") and the puzzle is solved. Input
// waits while any animation or motion of the minigame plays.
//
// Scene: "glob_stoika/south_bottom" (the turning globe) with its top
// "sever_top" holding the animals, "glob_stoika/ruller" with its "nail",
// the four signs, and "background", whose box clips the drawing.

#include "engine/foundation/cVector3d.h"
#include "game/minigames/cMinigame.h"

class cMinigameGlobe : public cMinigame
{
public:
	static constexpr int kAnimals = 8;
	static constexpr int kStages = 5;
	enum eDragged
	{
		kNothing,
		kGlobeTop,
		kRuler
	};

	explicit cMinigameGlobe(cSceneObject* parent);
	// The factory's form; the name is always "globe".
	cMinigameGlobe(const std::string&, cSceneObject* parent) : cMinigameGlobe(parent) {}

	// The base's showing; the sequence from its start, the globe at a
	// random turn and the ruler at its start.
	void Show() override;
	bool HandleInput() override;
	// The base's update; once the last strike's motions have ended the
	// globe opens, and once it has opened the puzzle is solved.
	void Update(float dt) override;

	float GetGlobeTime() const { return m_globeTime; }
	float GetGlobeLength() const { return m_globeLength; }
	float GetRulerTime() const { return m_rulerTime; }
	float GetRulerLength() const { return m_rulerLength; }
	eDragged GetDragged() const { return m_dragged; }
	int GetStage() const { return m_stage; }
	int GetTarget() const { return m_target; }
	bool IsDone() const { return m_done; }
	bool IsOpened() const { return m_opened; }
	cSceneObject* GetAnimal(int index) const { return m_animals[index]; }
	cSceneObject* GetNail() const { return m_nail; }
	cSceneObject* GetRuler() const { return m_ruler; }
	cSceneObject* GetGlobe() const { return m_globe; }
	cSceneObject* GetGlobeTop() const { return m_top; }

private:
	cSceneObject* FindPart(const std::string& path);
	// The nail under the pointer: the strike, and the stage's row when the
	// nail lies over the target animal.
	void Strike();
	bool NailOverTarget();
	void RunStage();
	void Drag();
	void PlaySign(int sign, const char* clip);

	cSceneObject* m_signs[4] = {};
	cSceneObject* m_ruler;
	cSceneObject* m_nail;
	cSceneObject* m_top;
	cSceneObject* m_globe;
	cSceneObject* m_animals[kAnimals] = {};

	float m_globeTime = 0;
	float m_globeLength = 0;
	float m_rulerTime = 0;
	float m_rulerLength = 0;
	eDragged m_dragged = kNothing;
	cVector3d m_lastCursor;
	int m_stage = 0;
	int m_target = 0;
	bool m_done = false;
	bool m_opened = false;
};
