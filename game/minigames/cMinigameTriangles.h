#pragma once
// The colour puzzle "triangles": 16 triangles ("triangle_0" ...) and 12
// fixed lights on one board. Every triangle carries a coloured light near
// each of its three corners (children whose names contain "light") and
// turns by a third when clicked. Each corner faces one neighbour, a corner
// of another triangle or a fixed light; a light glows when the colour it
// faces is its own. When every light glows the puzzle is solved. Colours
// come from the lights' names: "red", "green", "white", otherwise yellow.

#include "game/minigames/cMinigame.h"

#include <vector>

// One place of the board: a triangle, or a fixed light (no triangle, the
// light in all three entries and the touching cell as every neighbour).
// Entry k of the three-entry fields belongs to corner position k; the
// positions run clockwise.
struct sTriangleCell
{
	cSceneObject* triangle = nullptr;
	cSceneObject* lights[3] = {};
	int colours[3] = {};
	int neighbours[3] = {};
	// The triangle's turn state; null for a fixed light.
	const int* turn = nullptr;
};

class cMinigameTriangles : public cMinigame
{
public:
	enum eColour
	{
		kRed,
		kWhite,
		kGreen,
		kYellow
	};
	static constexpr int kCells = 28;

	explicit cMinigameTriangles(cSceneObject* parent);

	bool HandleInput() override;
	// The base's update; once a turn has ended, the lights are checked.
	void Update(float dt) override;
	// The base's showing, then every triangle turned at random and the
	// lights checked.
	void Show() override;

	// What cell n shows toward cell asking.
	int FacingColour(int n, int asking) const;
	void CheckCell(int cell);
	void CheckAll();

	static int ColourFromName(const std::string& name);

	int GetTurn(int triangle) const { return m_turns[size_t(triangle)]; }
	cSceneObject* GetTriangle(int triangle) const { return m_triangles[size_t(triangle)]; }
	const sTriangleCell& GetCell(int cell) const { return m_cells[cell]; }
	bool IsTurning() const { return m_turning != nullptr; }

private:
	void SetTriangleCell(int cell, int triangle, int n0, int n1, int n2);
	void SetLightCell(int cell, const char* light, int touching);
	void Turn(size_t triangle);

	std::vector<cSceneObject*> m_triangles;
	std::vector<cMatrix> m_startMatrices;
	std::vector<int> m_turns;
	sTriangleCell m_cells[kCells];
	cSceneObject* m_turning = nullptr;
	bool m_checkPending = false;
};
