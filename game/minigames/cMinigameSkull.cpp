#include "game/minigames/cMinigameSkull.h"

#include "engine/foundation/cLog.h"
#include "engine/graphics/cVertexBuffer.h"
#include "engine/graphics/cTextureResource.h"
#include "engine/input/cInputManager.h"
#include "engine/resources/cXmlResource.h"
#include "engine/scene/cCameraObject.h"
#include "engine/scene/cGameVbObject.h"
#include "engine/scene/cSceneManager.h"
#include "platform/dinput/DInputKeys.h"
#include "game/minigames/MinigameParts.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace
{
const char* const kConfig = "skull_config";
const char* const kLaserNames[cMinigameSkull::kColours] = {"laser_blue", "laser_red", "laser_green", "laser_yello"};
const char* const kReceiverNames[cMinigameSkull::kColours] = {
	"reflector_blue_2", "reflector_red_2", "reflector_green_2", "reflector_yello_2"};
const char* const kBeamNames[cMinigameSkull::kColours] = {"blue", "red", "green", "yellow"};
const char* const kBeamTextures[cMinigameSkull::kColours] = {"laser_blue", "laser_red", "laser_green", "laser_yellow"};
// Blue, red, yellow, green.
const int kTraceOrder[cMinigameSkull::kColours] = {0, 1, 3, 2};

// Position and one texture coordinate pair.
constexpr int kBeamFormat = 258;
constexpr float kBeamDepth = -7.0f;
constexpr float kBeamHalfWidth = 3.0f;
constexpr float kRayLength = 1000.0f;
constexpr float kNoDistance = 100000.0f;
// How far a held or placed piece lies in front of the minigame.
constexpr float kLift = 500.0f;
// The pieces' hit boxes lie this much up and right of their boxes.
constexpr float kHitShift = 5.0f;
constexpr float kFullTurn = 6.2831855f;
constexpr float kDegreesPerRadian = 57.29578f;
constexpr float kRadiansPerDegree = 0.017453292f;
constexpr size_t kMinBeamPieces = 16;

bool IsLeftClick()
{
	return cInputManager::GetInstance()->IsPressed(cInputManager::kMouseSlot, cInputManager::kLeftButton);
}

// The world box with its z range flattened to 0. Always refreshed: a
// piece just put down has its new world matrix before the next transform
// pass marks its box.
cBoundingBox FlatWorldBox(cSceneObject* object)
{
	cTransformNode& transform = object->GetTransform();
	transform.UpdateWorldBox();
	cBoundingBox box = transform.GetWorldBox();
	box.min.z = 0;
	box.max.z = 0;
	return box;
}

float DistanceTo(const cVector3d& origin, const cBoundingBox& box)
{
	return (box.GetCenter() - origin).Length();
}

cVector3d Normalized(cVector3d vector)
{
	return vector.Normalize();
}

cMatrix WithDepth(cMatrix matrix, float z)
{
	matrix._43 = z;
	return matrix;
}

float ReadDegrees(const cXmlNode& rule, const char* name)
{
	return float(std::atof(GetXmlAttribute(&rule, name, "").c_str()));
}
}

cMinigameSkull::cMinigameSkull(cSceneObject* parent) : cMinigame("skull", parent)
{
	cChildList& children = GetChildList();
	for (int colour = 0; colour < kColours; ++colour)
	{
		m_lasers[colour] = FindPart(kLaserNames[colour]);
		m_receivers[colour] = FindPart(kReceiverNames[colour]);
		m_beams[colour] = new cGameVbObject(kBeamNames[colour], this);
		cTextureResource* texture = cResourceManager::GetResourceByName<cTextureResource>(kBeamTextures[colour]);
		if (!texture)
			LOG(2, "skull: no texture \"%s\", the beam is drawn plain", kBeamTextures[colour]);
		m_beams[colour]->SetTexture(texture);
		m_beams[colour]->GetVertexBuffer().SetFormat(kBeamFormat, nullptr, 0);
		cMatrix placement;
		placement.MakeTranslation(cVector3d(0, 0, kBeamDepth));
		m_beams[colour]->GetTransform().SetLocalMatrix(placement);
	}
	children.CollectNumberedChildren(m_tubes, "tube_", 1);
	children.CollectNumberedChildren(m_points, "point_", 1);
	for (cSceneObject* obstacle : {FindPart("skill"), m_receivers[2], m_receivers[3], m_receivers[1], m_receivers[0]})
		if (obstacle)
			m_obstacles.push_back(obstacle);
	for (cSceneObject* tube : m_tubes)
		m_startMatrices.push_back(tube->GetTransform().GetLocalMatrix());
	m_rules.resize(m_tubes.size());
	ReadConfig();

	SetOwnSortKey(1);
	SetForceDraw(true);
	if (cSceneObject* background = FindPart("background"))
	{
		UpdateTransforms(false, false);
		ClipCameraTo(*this, *background);
	}
	MapSound("insert", "connect");
	MapSound("remove", "connect");
}

cSceneObject* cMinigameSkull::FindPart(const char* name)
{
	cSceneObject* part = GetChildList().FindChild(name);
	if (!part)
		LOG(2, "skull: no \"%s\" in the scene", name);
	return part;
}

void cMinigameSkull::ReadConfig()
{
	cResourceHandle config = cResourceHandle::InitByName<cXmlResource>(kConfig);
	if (!config)
	{
		LOG(2, "skull: no \"%s\", the pieces stop every beam", kConfig);
		return;
	}
	const cXmlNode& root = config.Get<cXmlResource>()->GetDocument().GetRoot();
	for (const cXmlNode* element = root.GetFirstChild(); element; element = element->GetNextSibling())
	{
		const int index = TubeIndex(GetChildList().FindChild(element->GetName()));
		if (index < 0)
			continue;
		for (const cXmlNode* rule = element->GetFirstChild(); rule; rule = rule->GetNextSibling())
		{
			const sSkullMirrorRule read {
				ReadDegrees(*rule, "min"), ReadDegrees(*rule, "max"), ReadDegrees(*rule, "dest"), ReadDegrees(*rule, "angle")};
			if (!std::isfinite(read.min) || !std::isfinite(read.max) || !std::isfinite(read.dest) ||
				!std::isfinite(read.angle))
			{
				LOG(2, "skull: a rule of \"%s\" in \"%s\" is not a number, left out", element->GetName().c_str(), kConfig);
				continue;
			}
			m_rules[size_t(index)].push_back(read);
		}
	}
}

int cMinigameSkull::TubeIndex(const cSceneObject* tube) const
{
	const auto found = std::find(m_tubes.begin(), m_tubes.end(), tube);
	return tube && found != m_tubes.end() ? int(found - m_tubes.begin()) : -1;
}

cSceneObject* cMinigameSkull::GetPlacement(cSceneObject* tube) const
{
	const auto found = m_placements.find(tube);
	return found == m_placements.end() ? nullptr : found->second;
}

void cMinigameSkull::Show()
{
	cMinigame::Show();
	for (size_t i = 0; i < m_tubes.size(); ++i)
		m_tubes[i]->GetTransform().SetLocalMatrix(m_startMatrices[i]);
	for (cSceneObject* point : m_points)
		point->SetEnabled(true);
	m_placements.clear();
	TraceAllBeams();
	m_held = nullptr;
}

size_t cMinigameSkull::GetMaxBeamPieces() const
{
	return std::max(kMinBeamPieces, 2 * (m_tubes.size() + 1));
}

void cMinigameSkull::TraceAllBeams()
{
	// The beams start from and stop at world places: bring them up to date
	// (the window may have been placed, or a piece put, since the last pass).
	UpdateTransforms(false, false);
	m_delivered = 0;
	for (int colour : kTraceOrder)
		TraceBeam(colour);
	if (m_delivered == 4)
	{
		m_victoryDelay = PlaySound("victory", false, true);
		m_solved = true;
	}
}

void cMinigameSkull::TraceBeam(int colour)
{
	std::vector<cVector3d>& points = m_beamPoints[colour];
	points.clear();
	cSceneObject* laser = m_lasers[colour];
	if (!laser)
		return;
	const std::string direction = laser->GetProperties().GetProperty("ray");
	sRay ray;
	ray.direction = direction == "up"	  ? cVector3d(0, kRayLength, 0)
		: direction == "down" ? cVector3d(0, -kRayLength, 0)
		: direction == "left" ? cVector3d(-kRayLength, 0, 0)
							  : cVector3d(kRayLength, 0, 0);
	cTransformNode& transform = laser->GetTransform();
	if (transform.IsWorldBoxDirty())
		transform.UpdateWorldBox();
	ray.origin = transform.GetWorldBox().GetCenter();
	ray.origin.z = 0;

	// Pieces that keep turning the beam between them end it after a bound.
	cSceneObject* lastTube = nullptr;
	const size_t maxPieces = GetMaxBeamPieces();
	while (TraceSegment(colour, ray, points, lastTube) && points.size() < 2 * maxPieces)
	{
	}
	transform.SetWorldMatrix(WithDepth(transform.GetWorldMatrix(), GetTransform().GetWorldMatrix()._43 - 10));
	BuildBeamVertices(colour, points);
}

void cMinigameSkull::BuildBeamVertices(int colour, const std::vector<cVector3d>& points)
{
	std::vector<sBeamVertex> vertices;
	for (size_t i = 0; i + 1 < points.size(); i += 2)
	{
		const cVector3d& a = points[i];
		const cVector3d& b = points[i + 1];
		const cVector3d d = Normalized(b - a) * kBeamHalfWidth;
		const cVector3d h(-d.y, d.x, 0);
		const cVector3d aUp = a + h, bUp = b + h, bDown = b - h, aDown = a - h;
		vertices.insert(vertices.end(), {{aUp.x, aUp.y, 0, 0, 0}, {bUp.x, bUp.y, 0, 1, 0}, {bDown.x, bDown.y, 0, 1, 1},
											{bDown.x, bDown.y, 0, 1, 1}, {aDown.x, aDown.y, 0, 0, 1}, {aUp.x, aUp.y, 0, 0, 0}});
	}
	if (!vertices.empty())
		m_beams[colour]->GetVertexBuffer().SetData(vertices.data(), unsigned(vertices.size()));
}

bool cMinigameSkull::TraceSegment(int colour, sRay& ray, std::vector<cVector3d>& points, cSceneObject*& lastTube)
{
	const cVector3d& origin = ray.origin;
	const cVector3d n = Normalized(ray.direction);
	points.push_back(origin);
	float best = kNoDistance;
	cSceneObject* candidate = nullptr;
	bool candidateIsTube = false;

	for (cSceneObject* tube : m_tubes)
	{
		if (!GetPlacement(tube) || tube == lastTube)
			continue;
		const cBoundingBox box = FlatWorldBox(tube);
		if (!box.IntersectsSegment(ray))
			continue;
		const float distance = DistanceTo(origin, box);
		const cVector3d toTube = Normalized(tube->GetTransform().GetWorldMatrix().GetTranslation() - origin);
		if (distance < best && n.Dot(toTube) >= 0)
		{
			candidate = tube;
			candidateIsTube = true;
			best = distance;
		}
	}
	for (cSceneObject* obstacle : m_obstacles)
	{
		const cBoundingBox box = FlatWorldBox(obstacle);
		float entry = 0;
		if (!box.IntersectRay(ray, entry) || entry < 0)
			continue;
		const float distance = DistanceTo(origin, box);
		if (distance >= best)
			continue;
		// Counted at once, even when a later obstacle turns out nearer.
		if (obstacle == m_receivers[colour])
			++m_delivered;
		candidate = obstacle;
		candidateIsTube = false;
		best = distance;
	}

	if (!candidate)
	{
		points.push_back(origin + ray.direction);
		return false;
	}
	const cVector3d toCandidate = candidate->GetTransform().GetWorldMatrix().GetTranslation() - origin;
	const cVector3d end = origin + n * (toCandidate.Length() * std::cos(toCandidate.AngleTo(ray.direction)));
	points.push_back(end);
	if (!candidateIsTube)
		return false;

	float incoming = cVector3d(0, 1, 0).AngleTo(n);
	if (n.x > 0)
		incoming = kFullTurn - incoming;
	incoming *= kDegreesPerRadian;
	const std::vector<sSkullMirrorRule>& rules = m_rules[size_t(TubeIndex(candidate))];
	const auto rule = std::find_if(rules.begin(), rules.end(), [incoming](const sSkullMirrorRule& r) {
		return r.max >= r.min && r.min <= incoming && incoming <= r.max;
	});
	if (rule == rules.end())
		return false;
	cMatrix turn;
	turn.MakeRotationZ((rule->angle - (incoming - rule->dest)) * kRadiansPerDegree);
	ray.direction = TransformPoint(n, turn) * kRayLength;
	ray.origin = end;
	lastTube = candidate;
	return true;
}

bool cMinigameSkull::HandleInput()
{
	if (m_solved)
		return false;
	cInputManager* input = cInputManager::GetInstance();
	if (input->IsPressed(cInputManager::kKeyboardSlot, DIK_F5))
	{
		ReadConfig();
		TraceAllBeams();
	}
	if (IsLeftClick())
	{
		if (m_held)
			PutDown();
		else
			PickUp();
	}
	else if (m_held)
		FollowCursor();
	return false;
}

void cMinigameSkull::PickUp()
{
	for (cSceneObject* tube : m_tubes)
	{
		const cBoundingBox& box = tube->GetTransform().GetLocalBox();
		const cVector3d shift(kHitShift, kHitShift, 0);
		cBoundingBox hitBox;
		hitBox.min = box.min + shift;
		hitBox.max = box.max + shift;
		if (!hitBox.IntersectsSegment(tube->GetLocalPickRay()))
			continue;
		m_held = tube;
		if (cSceneObject* point = GetPlacement(tube))
		{
			point->SetEnabled(true);
			PlaySound("remove", false, true);
		}
		m_placements[tube] = nullptr;
		m_heldMatrix = WithDepth(tube->GetTransform().GetWorldMatrix(), GetTransform().GetWorldMatrix()._43);
		break;
	}
	TraceAllBeams();
}

void cMinigameSkull::PutDown()
{
	cSceneObject* tube = m_held;
	m_held = nullptr;
	tube->GetTransform().SetLocalMatrix(m_startMatrices[size_t(TubeIndex(tube))]);
	for (cSceneObject* point : m_points)
	{
		if (!point->IsEnabled() || !point->HitTestVisual(point->GetLocalPickRay()))
			continue;
		m_placements[tube] = point;
		point->SetEnabled(false);
		const cVector3d at = point->GetTransform().GetWorldMatrix().GetTranslation();
		cMatrix placed;
		placed.MakeTranslation(cVector3d(at.x, at.y, m_heldMatrix._43 - kLift));
		tube->GetTransform().SetWorldMatrix(placed);
		PlaySound("insert", false, true);
		break;
	}
	TraceAllBeams();
}

void cMinigameSkull::FollowCursor()
{
	const cVector3d& cursor = cSceneManager::GetInstance()->GetPickRay().origin;
	const cVector3d centre = m_held->GetTransform().GetLocalBox().GetCenter();
	cMatrix follow = m_heldMatrix;
	follow.SetTranslation(cVector3d(cursor.x - centre.x, cursor.y - centre.y, m_heldMatrix._43 - kLift));
	m_held->GetTransform().SetWorldMatrix(follow);
}
