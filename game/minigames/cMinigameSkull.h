#pragma once
// The light-path puzzle "skull". Four lasers (blue, red, green, yellow)
// shoot beams; the player puts mirror pieces ("tube_1", "tube_2", ...) onto
// sockets ("point_1", "point_2", ...). A placed piece turns a beam that
// reaches it by the rules "skull_config" gives for that piece; a piece
// without a matching rule stops the beam. The puzzle is solved when every
// beam ends in the receiver of its own colour. The beams are drawn as
// textured strips rebuilt after every click.
//
// "skull_config": each child element of the root is named like a piece;
// each of its child elements is one rule with the attributes "min", "max"
// (the incoming angles it takes), "dest" and "angle" (the beam leaves at
// dest + angle), all in degrees measured counter-clockwise from up: up 0,
// left 90, down 180, right 270.

#include "game/minigames/cMinigame.h"

#include <map>
#include <vector>

class cGameVbObject;

struct sSkullMirrorRule
{
	float min;
	float max;
	float dest;
	float angle;
};

// A beam vertex: position and one texture coordinate pair.
struct sBeamVertex
{
	float x, y, z;
	float u, v;
};

class cMinigameSkull : public cMinigame
{
public:
	static constexpr int kColours = 4;

	explicit cMinigameSkull(cSceneObject* parent);

	// The base's showing, every piece back at its start, every socket free,
	// the beams traced again and no piece held.
	void Show() override;
	bool HandleInput() override;

	void TraceAllBeams();
	void TraceBeam(int colour);
	// One straight piece of the beam from ray.origin along ray.direction:
	// appends its start and end to points. True when a piece turned the
	// beam; ray and lastTube then hold the next piece's start.
	bool TraceSegment(int colour, sRay& ray, std::vector<cVector3d>& points, cSceneObject*& lastTube);
	// Appends the rules of "skull_config" to the pieces' rule lists.
	void ReadConfig();

	// The most straight pieces one beam is traced through, so that pieces
	// that send a beam back and forth between them end the tracing.
	size_t GetMaxBeamPieces() const;
	int GetDeliveredCount() const { return m_delivered; }
	const std::vector<cVector3d>& GetBeamPoints(int colour) const { return m_beamPoints[colour]; }
	cSceneObject* GetHeldTube() const { return m_held; }
	// The socket the piece stands on, or null.
	cSceneObject* GetPlacement(cSceneObject* tube) const;

private:
	void PickUp();
	void PutDown();
	void FollowCursor();
	void BuildBeamVertices(int colour, const std::vector<cVector3d>& points);
	// The tube's index in the tube list, or -1.
	int TubeIndex(const cSceneObject* tube) const;
	cSceneObject* FindPart(const char* name);

	cSceneObject* m_lasers[kColours] = {};
	cSceneObject* m_receivers[kColours] = {};
	cGameVbObject* m_beams[kColours] = {};
	std::vector<cVector3d> m_beamPoints[kColours];
	std::vector<cSceneObject*> m_obstacles;
	std::vector<cSceneObject*> m_tubes;
	std::vector<cMatrix> m_startMatrices;
	std::vector<cSceneObject*> m_points;
	std::vector<std::vector<sSkullMirrorRule>> m_rules;
	std::map<cSceneObject*, cSceneObject*> m_placements;
	cSceneObject* m_held = nullptr;
	cMatrix m_heldMatrix;
	int m_delivered = 0;
};
