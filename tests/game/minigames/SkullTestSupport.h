#pragma once
// A light-path board for the "skull" minigame written in the test: the
// scene (lasers, receivers, the skull in the middle, sockets and a tray of
// pieces, all squares centred on their places), the pieces' rules as
// "skull_config", and a solver that works out from those rules which piece
// goes onto which socket. Places are on the minigame's 1024 by 768
// screen, y up.

#include "BoardTestSupport.h"

#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace skull
{
using namespace board;

struct sPlace
{
	const char* name;
	float x, y;
};

struct sLaser
{
	sPlace place;
	const char* ray;
	// Also the name of its beam's texture.
	const char* texture;
	uint32_t colour;
};

// Blue, red, green, yellow, as the minigame counts colours.
const sLaser kLasers[] = {
	{ { "laser_blue", 260, 560 }, "right", "laser_blue", 0xFF0000FF },
	{ { "laser_red", 800, 240 }, "left", "laser_red", 0xFFFF0000 },
	{ { "laser_green", 512, 200 }, "up", "laser_green", 0xFF00FF00 },
	{ { "laser_yello", 512, 600 }, "down", "laser_yellow", 0xFFFFFF00 },
};
const sPlace kReceivers[] = {
	{ "reflector_blue_2", 400, 240 },
	{ "reflector_red_2", 624, 560 },
	{ "reflector_green_2", 290, 300 },
	{ "reflector_yello_2", 760, 500 },
};
const sPlace kSkull { "skill", 512, 400 };
const sPlace kPoints[] = {
	{ "point_1", 624, 400 },
	{ "point_2", 512, 500 },
	{ "point_3", 400, 560 },
	{ "point_4", 700, 300 },
	{ "point_5", 512, 300 },
	{ "point_6", 624, 240 },
	{ "point_7", 330, 450 },
	{ "point_8", 520, 560 },
};
const sPlace kTubes[] = {
	{ "tube_1", 215, 250 },
	{ "tube_2", 215, 330 },
	{ "tube_3", 215, 410 },
	{ "tube_4", 215, 490 },
	{ "tube_5", 215, 570 },
};
constexpr float kPieceSize = 40;
constexpr float kSkullSize = 80;
constexpr sRect kBoard { 180, 150, 844, 640 };

struct sRule
{
	float min, max, dest, angle;
};
typedef std::vector<std::vector<sRule>> tRules;

// Per piece, in tube order: right, down, a blocker without rules, left,
// and up by two rules.
inline tRules StandardRules()
{
	return { { { 0, 360, 270, 0 } }, { { 0, 360, 90, 90 } }, {}, { { 0, 360, 90, 0 } },
		{ { 0, 180, 0, 0 }, { 180.5f, 360, 300, 60 } } };
}

inline std::string ConfigXml(const tRules& rules)
{
	std::string xml = "<skull>";
	for (size_t tube = 0; tube < rules.size(); ++tube)
	{
		xml += std::string("<") + kTubes[tube].name + ">";
		for (const sRule& rule : rules[tube])
			xml += "<rule min=\"" + Number(rule.min) + "\" max=\"" + Number(rule.max) + "\" dest=\"" +
				Number(rule.dest) + "\" angle=\"" + Number(rule.angle) + "\"/>";
		xml += std::string("</") + kTubes[tube].name + ">";
	}
	return xml + "<nothing_of_that_name><rule min=\"0\" max=\"360\"/></nothing_of_that_name></skull>";
}

inline std::string Piece(const sPlace& place, const char* model, float z = 0, const std::string& attributes = "")
{
	return Placed(place.name, model, place.x, place.y, z, attributes);
}

// The board behind everything, the pieces on it, a skip bar filling in
// 3 s, and the frame in front.
inline std::string SkullScene()
{
	std::string scene = R"(<geometry name="background" model="skull_board" local=")" + At(0, 0, 10) + "\"/>";
	for (const sLaser& laser : kLasers)
		scene += Piece(laser.place, laser.texture, 0, std::string(" ray=\"") + laser.ray + "\"");
	for (size_t i = 0; i < 4; ++i)
		scene += Piece(kReceivers[i], kLasers[i].texture);
	scene += Piece(kSkull, "skull_skull");
	for (const sPlace& point : kPoints)
		scene += Piece(point, "skull_point", -2);
	for (const sPlace& tube : kTubes)
		scene += Piece(tube, "skull_tube");
	return scene + BorderScene();
}

// The models and textures of the scene.
inline void AddSkullModels(cTestResources& resources)
{
	const float half = kPieceSize / 2;
	const struct
	{
		const char* name;
		sRect rect;
		const char* texture;
	} quads[] = {
		{ "skull_board", kBoard, "skull_board" },
		{ "skull_skull", { -kSkullSize / 2, -kSkullSize / 2, kSkullSize / 2, kSkullSize / 2 }, "skull_skull" },
		{ "skull_point", { -half, -half, half, half }, "skull_point" },
		{ "skull_tube", { -half, -half, half, half }, "skull_tube" },
		{ "laser_blue", { -half, -half, half, half }, "laser_blue" },
		{ "laser_red", { -half, -half, half, half }, "laser_red" },
		{ "laser_green", { -half, -half, half, half }, "laser_green" },
		{ "laser_yellow", { -half, -half, half, half }, "laser_yellow" },
	};
	for (const auto& quad : quads)
	{
		cModel model;
		AddQuad(model, quad.rect.left, quad.rect.bottom, quad.rect.right, quad.rect.top);
		model.materials = { Material(0, 2, { quad.texture }) };
		resources.Add("model", quad.name, ModelBytes(model));
	}
	for (const sLaser& laser : kLasers)
		resources.Add("texture", laser.texture, DdsFile(1, 1, { laser.colour }));
	resources.Add("texture", "skull_board", DdsFile(1, 1, { 0xFF303030 }));
	resources.Add("texture", "skull_skull", DdsFile(1, 1, { 0xFFE0E0E0 }));
	resources.Add("texture", "skull_point", DdsFile(1, 1, { 0xFF808080 }));
	resources.Add("texture", "skull_tube", DdsFile(1, 1, { 0xFFFF00FF }));
}

// Degrees counter-clockwise from up, as the rules measure directions.
inline cVector3d Direction(float degrees)
{
	const float radians = degrees * 3.14159265f / 180;
	return cVector3d(-std::sin(radians), std::cos(radians), 0);
}

inline float RayDegrees(const std::string& ray)
{
	return ray == "up" ? 0 : ray == "left" ? 90 : ray == "down" ? 180 : 270;
}

// Where a piece sends a beam coming in at the angle, by its first rule
// that takes it.
inline std::optional<float> Outgoing(const std::vector<sRule>& rules, float incoming)
{
	for (const sRule& rule : rules)
		if (rule.max >= rule.min && rule.min <= incoming && incoming <= rule.max)
			return rule.dest + rule.angle;
	return std::nullopt;
}

// The point lies ahead of from along the direction.
inline bool Ahead(const cVector3d& from, const cVector3d& direction, const cVector3d& point)
{
	const cVector3d offset = point - from;
	return offset.Dot(direction) > 0 && std::fabs(offset.x * direction.y - offset.y * direction.x) < 1;
}

// (piece, socket) index pairs that turn every laser's beam into its
// receiver: for each beam, the first free socket on its line with an
// unused piece whose rules send it straight at the receiver.
inline std::vector<std::pair<size_t, size_t>> SolveBoard(const tRules& rules)
{
	std::vector<std::pair<size_t, size_t>> moves;
	std::vector<bool> tubeUsed(rules.size()), pointUsed(std::size(kPoints));
	for (size_t colour = 0; colour < 4; ++colour)
	{
		const cVector3d start(kLasers[colour].place.x, kLasers[colour].place.y, 0);
		const float incoming = RayDegrees(kLasers[colour].ray);
		const cVector3d receiver(kReceivers[colour].x, kReceivers[colour].y, 0);
		bool found = false;
		for (size_t point = 0; point < std::size(kPoints) && !found; ++point)
		{
			const cVector3d at(kPoints[point].x, kPoints[point].y, 0);
			if (pointUsed[point] || !Ahead(start, Direction(incoming), at))
				continue;
			for (size_t tube = 0; tube < rules.size() && !found; ++tube)
			{
				const std::optional<float> out = Outgoing(rules[tube], incoming);
				if (tubeUsed[tube] || !out || !Ahead(at, Direction(*out), receiver))
					continue;
				tubeUsed[tube] = pointUsed[point] = found = true;
				moves.emplace_back(tube, point);
			}
		}
	}
	return moves;
}
}
