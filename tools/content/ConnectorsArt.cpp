#include "ConnectorsArt.h"

#include "MinigameArt.h"
#include "cContentTree.h"

#include "engine/foundation/cXmlNode.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
const char* const kFolder = "data/minigames/";

struct sLink
{
	int a, b;
};

// The board's fixed links, and the links the places carry by kind. With
// wires on 1-7, 7-14, 14-15, 20-27, 27-28 and 22-29 current runs from
// node 0 to node 29.
const sLink kFixedLinks[] = {{0, 1}, {2, 3}, {4, 5}, {3, 8}, {6, 7}, {10, 11}, {7, 12}, {9, 14}, {10, 15}, {13, 18},
	{16, 22}, {17, 23}, {19, 26}, {15, 20}, {22, 28}, {24, 30}, {25, 31}, {27, 33}, {31, 32}, {34, 35}};
const struct
{
	const char* prefix;
	const char* model;
	std::vector<sLink> links;
} kPlaceKinds[] = {
	{"h_place_", "conn_place_h", {{12, 13}, {14, 15}, {32, 33}, {27, 28}}},
	{"d_place_", "conn_place_d", {{20, 27}, {3, 10}, {7, 14}, {26, 33}, {22, 29}}},
	{"v_place_", "conn_place_v", {{12, 18}, {1, 7}}},
};
// In the minigame's wire order: two horizontal, three diagonal, one vertical.
const struct
{
	const char* name;
	const char* model;
} kWires[] = {{"wire_00", "conn_wire_h"}, {"wire_02", "conn_wire_h"}, {"wire_01", "conn_wire_d"},
	{"wire_03", "conn_wire_d"}, {"wire_04", "conn_wire_d"}, {"wire_05", "conn_wire_v"}};

const sRect kBack{180, 175, 844, 634};
const int kGoal = 29;
const float kSpacing = 76;
const float kTrayX = 760;

float NodeX(int node)
{
	return 290 + float(node % 6) * kSpacing;
}
float NodeY(int node)
{
	return 585 - float(node / 6) * kSpacing;
}
float MidX(const sLink& link)
{
	return (NodeX(link.a) + NodeX(link.b)) / 2;
}
float MidY(const sLink& link)
{
	return (NodeY(link.a) + NodeY(link.b)) / 2;
}

// Texture rows run down, the board's y up: the picture's point of a
// board point.
float PictureX(float x)
{
	return x - kBack.left;
}
float PictureY(float y)
{
	return kBack.top - y;
}

bool NearSegment(float x, float y, float ax, float ay, float bx, float by, float width)
{
	const float dx = bx - ax, dy = by - ay;
	const float t = std::fmax(0.0f, std::fmin(1.0f, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)));
	const float px = ax + t * dx - x, py = ay + t * dy - y;
	return px * px + py * py <= width * width;
}

bool InCircle(float x, float y, float cx, float cy, float radius)
{
	return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
}

// Green circuit board: copper traces of the fixed links, dotted outlines
// of the places, dark lamp sockets, the start ringed green and the goal
// ringed gold.
cImage DrawBoard()
{
	const int width = int(kBack.right - kBack.left);
	const int height = int(kBack.top - kBack.bottom);
	cImage image(width, height);
	image.FillRect(0, 0, width, height, {20, 70, 45, 255});
	for (const sLink& link : kFixedLinks)
	{
		const float ax = PictureX(NodeX(link.a)), ay = PictureY(NodeY(link.a));
		const float bx = PictureX(NodeX(link.b)), by = PictureY(NodeY(link.b));
		image.FillShape(0, 0, width, height, [=](float x, float y) { return NearSegment(x, y, ax, ay, bx, by, 4); },
			{200, 130, 60, 255});
	}
	for (const auto& kind : kPlaceKinds)
		for (const sLink& link : kind.links)
		{
			const float ax = PictureX(NodeX(link.a)), ay = PictureY(NodeY(link.a));
			const float bx = PictureX(NodeX(link.b)), by = PictureY(NodeY(link.b));
			// Dots every 8 pixels along the gap.
			image.FillShape(0, 0, width, height,
				[=](float x, float y) {
					const float along = std::hypot(x - ax, y - ay);
					return NearSegment(x, y, ax, ay, bx, by, 2) && int(along / 4) % 2 == 0;
				},
				{170, 220, 190, 255});
		}
	for (int node = 0; node < 36; ++node)
	{
		const float cx = PictureX(NodeX(node)), cy = PictureY(NodeY(node));
		const sRgba ring = node == 0 ? sRgba{60, 230, 90, 255} : node == kGoal ? sRgba{255, 200, 40, 255} : sRgba{90, 100, 95, 255};
		image.FillShape(0, 0, width, height, [=](float x, float y) { return InCircle(x, y, cx, cy, 15); }, ring);
		image.FillShape(0, 0, width, height, [=](float x, float y) { return InCircle(x, y, cx, cy, 10); }, {25, 30, 28, 255});
	}
	return image;
}

// A warm glow with a bright middle.
cImage DrawLamp()
{
	cImage image(32, 32);
	image.FillShape(0, 0, 32, 32, [](float x, float y) { return InCircle(x, y, 16, 16, 15); }, {255, 210, 80, 160});
	image.FillShape(0, 0, 32, 32, [](float x, float y) { return InCircle(x, y, 16, 16, 10); }, {255, 240, 150, 255});
	return image;
}

// A copper wire with a plug at each end, from (ax, ay) to (bx, by) on a
// picture of the size.
cImage DrawWire(int width, int height, float ax, float ay, float bx, float by)
{
	cImage image(width, height);
	image.FillShape(0, 0, width, height, [=](float x, float y) { return NearSegment(x, y, ax, ay, bx, by, 3.5f); },
		{230, 140, 50, 255});
	for (const auto& [px, py] : {std::pair{ax, ay}, std::pair{bx, by}})
		image.FillShape(0, 0, width, height, [=](float x, float y) { return InCircle(x, y, px, py, 5); }, {180, 180, 190, 255});
	return image;
}

// A dark sign with "POWER" in lit letters: blocks of a 5 by 5 font.
cImage DrawSign()
{
	const char* const letters[5] = {"####. .###. #...# ####. ####.", "#...# #...# #...# #.... #...#",
		"####. #...# #.#.# ###.. ####.", "#.... #...# ##.## #.... #..#.", "#.... .###. #...# ####. #...#"};
	cImage image(128, 40);
	image.FillRect(0, 0, 128, 40, {30, 60, 30, 255});
	for (int row = 0; row < 5; ++row)
		for (int column = 0; letters[row][column]; ++column)
			if (letters[row][column] == '#')
				image.FillRect(6 + column * 4, 8 + row * 5, 9 + column * 4, 12 + row * 5, {120, 255, 120, 255});
	return image;
}

bool WriteArt(cContentTree& tree)
{
	const float half = kSpacing / 2;
	const std::vector<std::pair<const char*, cImage>> textures = {
		{"conn_board", DrawBoard()},
		{"conn_lamp", DrawLamp()},
		{"conn_wire_h", DrawWire(64, 16, 6, 8, 58, 8)},
		{"conn_wire_v", DrawWire(16, 64, 8, 6, 8, 58)},
		{"conn_wire_d", DrawWire(64, 64, 6, 6, 58, 58)},
		{"conn_sign", DrawSign()},
	};
	// The places are hidden hit areas: their texture is never seen.
	const std::vector<sQuadArt> quads = {
		{"conn_board", kBack, "conn_board", 1, 1},
		{"conn_lamp", {-14, -14, 14, 14}, "conn_lamp", 1, 1},
		{"conn_wire_h", {-half, -8, half, 8}, "conn_wire_h", 1, 1},
		{"conn_wire_v", {-8, -half, 8, half}, "conn_wire_v", 1, 1},
		{"conn_wire_d", {-half, -half, half, half}, "conn_wire_d", 1, 1},
		{"conn_place_h", {-24, -12, 24, 12}, "conn_lamp", 1, 1},
		{"conn_place_v", {-12, -24, 12, 24}, "conn_lamp", 1, 1},
		{"conn_place_d", {-18, -18, 18, 18}, "conn_lamp", 1, 1},
		{"conn_sign", {-64, -20, 64, 20}, "conn_sign", 1, 1},
	};
	return WriteMinigamePictures(tree, textures, quads);
}

void AddPiece(cXmlNode& scene, const std::string& name, const char* model, float x, float y, float z)
{
	AddXmlElement(scene, "geometry", {{"name", name}, {"model", model}, {"local", MinigamePlace(x, y, z)}});
}

// The board behind, the hidden places just in front of it, the lamps and
// the wires in the tray on the right, the sign below the tray.
bool WriteScene(cContentTree& tree)
{
	cXmlNode list("resources");
	cXmlNode* scene = AddXmlElement(list, "resource", {{"name", "connectors"}, {"type", "scene_resource"}});
	AddPiece(*scene, "back", "conn_board", 0, 0, 10);
	for (const auto& kind : kPlaceKinds)
		for (size_t i = 0; i < kind.links.size(); ++i)
		{
			const sLink& link = kind.links[i];
			AddXmlElement(*scene, "geometry",
				{{"name", kind.prefix + std::to_string(i + 1)}, {"model", kind.model},
					{"local", MinigamePlace(MidX(link), MidY(link), 1)},
					{"link", std::to_string(link.a) + "-" + std::to_string(link.b)}});
		}
	for (int node = 0; node < 36; ++node)
		AddPiece(*scene, "lamp_" + std::to_string(node + 1), "conn_lamp", NodeX(node), NodeY(node), -1);
	for (size_t wire = 0; wire < std::size(kWires); ++wire)
		AddPiece(*scene, kWires[wire].name, kWires[wire].model, kTrayX, 585 - float(wire) * 70, -2);
	AddPiece(*scene, "indicator", "conn_sign", kTrayX, 195, -1);
	AddMinigameBorder(*scene);
	return tree.WriteXml(std::string(kFolder) + "connectors.resource", list);
}
}

bool WriteConnectorsContent(cContentTree& tree)
{
	if (WriteArt(tree) && WriteScene(tree))
		return true;
	std::fprintf(stderr, "cannot make the connectors minigame\n");
	return false;
}
