#include "RingMinigameArt.h"

#include "MinigameArt.h"
#include "PngFile.h"
#include "cContentTree.h"
#include "cImage.h"

#include "engine/foundation/cQuaternion.h"
#include "engine/foundation/cXmlNode.h"
#include "engine/scene/cMotionWriter.h"
#include "engine/sound/cOggEncoder.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace
{
const char* const kFolder = "data/minigames/";
const float kPi = 3.14159265f;

// The picture: centred here, three rings of 4, 6 and 8 pieces.
const float kPictureX = 512, kPictureY = 400;
const float kRingRadii[4] = {0, 72, 144, 216};
const int kRingPieces[3] = {4, 6, 8};
// Where each piece of a ring lies at the start: the slot number (from 1).
const std::vector<int> kPictureStart[3] = {{3, 4, 1, 2}, {2, 5, 1, 6, 3, 4}, {4, 1, 7, 2, 8, 6, 3, 5}};
const float kFlightSeconds = 0.6f;

// The tower: cells in steps of 60 around the centre; the wheel of gates
// turns between radii 150 and 210.
const float kTowerX = 512, kTowerY = 384, kTowerStep = 60;
const float kCellPlaces[12][2] = {{0, 3}, {0, 2}, {-2, 0}, {2, 0}, {0, 1}, {-3, 0}, {-1, 0}, {0, -2}, {0, -3}, {0, -1}, {1, 0}, {3, 0}};
// The cell each dummy marks, the neighbours of the cells (up, down, left,
// right), the balls' names with their start cells, and the goal colours.
const int kDummyCells[12] = {2, 3, 7, 1, 6, 10, 9, 4, 5, 0, 11, 8};
const int kNeighbours[12][4] = {{-1, 1, -1, -1}, {0, 4, 2, 3}, {1, 7, 5, 6}, {1, 7, 10, 11}, {1, -1, 6, 10}, {-1, -1, -1, 2},
	{4, 9, 2, -1}, {9, 8, 2, 3}, {7, -1, -1, -1}, {-1, 7, 6, 10}, {4, 9, -1, 3}, {-1, -1, 3, -1}};
const struct
{
	const char* name;
	int cell;
} kBalls[8] = {{"ball_white_1", 1}, {"ball_white_2", 7}, {"ball_red_1", 3}, {"ball_red_2", 4}, {"ball_green_1", 6},
	{"ball_green_2", 10}, {"ball_yellow_1", 2}, {"ball_yellow_2", 9}};
const char* const kColourNames[4] = {"white", "red", "green", "yellow"};
const sRgba kColours[4] = {{240, 240, 235, 255}, {220, 50, 40, 255}, {60, 190, 70, 255}, {240, 210, 40, 255}};
// Goal colour (index into kColours) of each cell, -1 for none.
const int kGoalColours[12] = {-1, 2, 0, 3, 2, -1, 0, 1, -1, 1, 3, -1};
const char* const kDirections[4] = {"up", "down", "left", "right"};

void AddClip(cXmlNode& object, const std::string& name, int first, int last, float seconds)
{
	char length[32];
	std::snprintf(length, sizeof length, "%g", seconds);
	AddXmlElement(object, "add_motion",
		{{"name", name}, {"first", std::to_string(first)}, {"last", std::to_string(last)}, {"length", length}});
}

// Turned counterclockwise by the angle and placed at (x, y, z).
std::string Placement(float x, float y, float z, float degrees = 0)
{
	const float c = std::cos(degrees * kPi / 180);
	const float s = std::sin(degrees * kPi / 180);
	char text[160];
	std::snprintf(text, sizeof text, "%g %g 0 %g %g 0 0 0 1 %g %g %g", c, s, -s, c, x, y, z);
	return text;
}

cQuaternion TurnZ(float degrees)
{
	const float half = degrees * kPi / 360;
	return cQuaternion(0, 0, std::sin(half), std::cos(half));
}

// The part of a ring between two angles (degrees, counterclockwise from
// the right) as triangles around the origin; the texture covers the
// square of the outer radius.
std::string SectorBytes(const char* name, float inner, float outer, float from, float to, float textureRadius,
	const char* texture)
{
	const int segments = std::max(2, int(std::ceil((to - from) / 10)));
	std::vector<sMeshVertex> vertices;
	std::vector<uint16_t> indices;
	for (int step = 0; step <= segments; ++step)
	{
		const float angle = (from + (to - from) * float(step) / float(segments)) * kPi / 180;
		for (float radius : {outer, inner})
		{
			const float x = radius * std::cos(angle);
			const float y = radius * std::sin(angle);
			vertices.push_back({x, y, 0, 0.5f + x / (2 * textureRadius), 0.5f - y / (2 * textureRadius)});
		}
		if (step == 0)
			continue;
		// Outer and inner of this step (2n, 2n + 1) and of the last one.
		const uint16_t o1 = uint16_t(2 * step), i1 = uint16_t(2 * step + 1), o0 = uint16_t(2 * step - 2), i0 = uint16_t(2 * step - 1);
		for (uint16_t index : {o1, o0, i0, o1, i0, i1})
			indices.push_back(index);
	}
	// A part's box is centred on its middle, at half the radii and angles,
	// so that a part turned onto another's place has that part's box
	// centre, as the picture's check of places asks. Corners beyond every
	// triangle, drawing nothing, set it.
	if (to - from < 360)
	{
		const float middle = (from + to) * kPi / 360;
		const float cx = (inner + outer) / 2 * std::cos(middle);
		const float cy = (inner + outer) / 2 * std::sin(middle);
		for (const float corner : {-2 * outer, 2 * outer})
			vertices.push_back({cx + corner, cy + corner, 0, 0, 0});
	}
	return MeshModelBytes(name, vertices, indices, texture);
}

// A landscape: sky, sun, mountains, a lake and a meadow, framed round.
cImage DrawLandscape()
{
	const int size = 512;
	cImage image(size, size);
	for (int y = 0; y < size; ++y)
	{
		const float t = float(y) / size;
		image.FillRect(0, y, size, y + 1, {uint8_t(90 + 120 * t), uint8_t(150 + 60 * t), uint8_t(230 - 30 * t), 255});
	}
	image.FillShape(0, 0, size, size, [](float x, float y) { return (x - 340) * (x - 340) + (y - 150) * (y - 150) < 55 * 55; },
		{255, 220, 80, 255});
	image.FillShape(0, 0, size, size, [](float x, float y) { return y > 300 - 140 * (1 - std::fabs(x - 160) / 200); },
		{110, 100, 120, 255});
	image.FillShape(0, 0, size, size, [](float x, float y) { return y > 320 - 100 * (1 - std::fabs(x - 380) / 170); },
		{90, 80, 100, 255});
	image.FillShape(0, 0, size, size, [](float, float y) { return y > 300; }, {70, 150, 60, 255});
	image.FillShape(0, 0, size, size, [](float x, float y) { return (x - 250) * (x - 250) / 4 + (y - 390) * (y - 390) < 45 * 45; },
		{60, 120, 200, 255});
	image.FillShape(0, 0, size, size, [](float x, float y) { return std::fabs(x - 100) < 8 && y > 330 && y < 420; },
		{100, 60, 30, 255});
	image.FillShape(0, 0, size, size, [](float x, float y) { return (x - 100) * (x - 100) + (y - 320) * (y - 320) < 40 * 40; },
		{40, 110, 40, 255});
	return image;
}

// The round board of the tower: stone with sockets, the goal sockets ringed
// in their colours.
cImage DrawTowerBoard()
{
	const int size = 512;
	const float scale = size / 480.0f;
	cImage image(size, size);
	image.FillShape(0, 0, size, size, [](float x, float y) { return (x - 256) * (x - 256) + (y - 256) * (y - 256) < 250 * 250; },
		{80, 70, 65, 255});
	for (int cell = 0; cell < 12; ++cell)
	{
		const float cx = 256 + kCellPlaces[cell][0] * kTowerStep * scale;
		const float cy = 256 - kCellPlaces[cell][1] * kTowerStep * scale;
		if (kGoalColours[cell] >= 0)
			image.FillShape(0, 0, size, size, [&](float x, float y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) < 31 * 31; },
				kColours[kGoalColours[cell]]);
		image.FillShape(0, 0, size, size, [&](float x, float y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) < 25 * 25; },
			{40, 35, 35, 255});
	}
	return image;
}

// The wheel: bronze with spokes, and the four gate sockets it carries;
// the one at the top starts open, the others are barred.
cImage DrawWheel()
{
	cImage image(256, 256);
	image.FillRect(0, 0, 256, 256, {170, 120, 60, 255});
	image.FillShape(0, 0, 256, 256,
		[](float x, float y) {
			const float angle = std::atan2(y - 128, x - 128);
			return std::fabs(std::sin(8 * angle)) < 0.12f;
		},
		{120, 80, 40, 255});
	const float gates[4][2] = {{128, 18}, {238, 128}, {128, 238}, {18, 128}};
	for (int gate = 0; gate < 4; ++gate)
	{
		const float cx = gates[gate][0], cy = gates[gate][1];
		image.FillShape(0, 0, 256, 256, [&](float x, float y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) < 15 * 15; },
			{40, 35, 35, 255});
		if (gate > 0)
			image.FillShape(0, 0, 256, 256, [&](float x, float y) { return std::fabs(x - cx) + std::fabs(y - cy) < 15 && std::fabs(x - cx - (y - cy)) < 3; },
				{200, 60, 40, 255});
	}
	return image;
}

cImage DrawBall(const sRgba& colour)
{
	cImage image(64, 64);
	image.FillShape(0, 0, 64, 64, [](float x, float y) { return (x - 32) * (x - 32) + (y - 32) * (y - 32) < 29 * 29; }, colour);
	image.FillShape(0, 0, 64, 64, [](float x, float y) { return (x - 24) * (x - 24) + (y - 22) * (y - 22) < 7 * 7; },
		{255, 255, 255, 160});
	return image;
}

std::vector<float> Knock(long rate, float seconds, float frequency, float decay)
{
	std::vector<float> samples(size_t(rate * seconds));
	for (size_t i = 0; i < samples.size(); ++i)
	{
		const float t = float(i) / float(rate);
		samples[i] = 0.3f * std::exp(-decay * t) * (std::sin(2 * kPi * frequency * t) + 0.5f * std::sin(2 * kPi * 2.7f * frequency * t));
	}
	return samples;
}

std::string SectorName(int ring, int piece)
{
	return "picture_sector_" + std::to_string(ring + 1) + "_" + std::to_string(piece + 1);
}

float SectorDegrees(int ring)
{
	return 360.0f / float(kRingPieces[ring]);
}

// A slot's motion: key 0 at rest ("start"), keys 10 n to 10 n + 9 the
// turn to slot n's place (relative, counterclockwise).
std::string SlotMotion(int ring, int slot)
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddRotation(TurnZ(0));
	for (int target = 1; target <= kRingPieces[ring]; ++target)
	{
		writer.AddKeyTime(10.0f * float(target)).AddRotation(TurnZ(0));
		writer.AddKeyTime(10.0f * float(target) + 9).AddRotation(TurnZ(SectorDegrees(ring) * float(target - slot)));
	}
	return writer.GetBytes();
}

// A dummy's motion: key 0 at rest ("reset"), keys 20 (d + 1) to
// 20 (d + 1) + 10 to the neighbour in direction d.
std::string DummyMotion(int cell)
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddPosition(0, 0, 0);
	for (int direction = 0; direction < 4; ++direction)
	{
		const int to = kNeighbours[cell][direction] < 0 ? cell : kNeighbours[cell][direction];
		writer.AddKeyTime(20.0f * float(direction + 1)).AddPosition(0, 0, 0);
		writer.AddKeyTime(20.0f * float(direction + 1) + 10)
			.AddPosition(kTowerStep * (kCellPlaces[to][0] - kCellPlaces[cell][0]), kTowerStep * (kCellPlaces[to][1] - kCellPlaces[cell][1]), 0);
	}
	return writer.GetBytes();
}

// The wheel's quarter turns clockwise, keys 10 n to 10 n + 10.
std::string WheelMotion()
{
	cMotionWriter writer;
	for (int quarter = 0; quarter <= 4; ++quarter)
		writer.AddKeyTime(10.0f * float(quarter)).AddRotation(TurnZ(-90.0f * float(quarter)));
	return writer.GetBytes();
}

bool WriteFiles(cContentTree& tree)
{
	std::vector<std::pair<std::string, cImage>> textures = {
		{"picture_landscape", DrawLandscape()}, {"picture_clear", cImage(4, 4)}, {"tower_board", DrawTowerBoard()}, {"tower_wheel", DrawWheel()}};
	for (int colour = 0; colour < 4; ++colour)
		textures.emplace_back(std::string("tower_ball_") + kColourNames[colour], DrawBall(kColours[colour]));
	for (const auto& [name, image] : textures)
	{
		const std::string png = EncodePng(image);
		if (png.empty() || !tree.WriteFile(kFolder + name + ".png", png))
			return false;
	}
	std::vector<std::pair<std::string, std::string>> files;
	for (int ring = 0; ring < 3; ++ring)
		for (int piece = 0; piece < kRingPieces[ring]; ++piece)
		{
			const std::string name = SectorName(ring, piece);
			const float from = SectorDegrees(ring) * float(piece);
			const float inner = kRingRadii[ring], outer = kRingRadii[ring + 1];
			files.emplace_back(name + ".model", SectorBytes(name.c_str(), inner, outer, from, from + SectorDegrees(ring), kRingRadii[3], "picture_landscape"));
			const std::string slot = name + "_slot";
			files.emplace_back(slot + ".model", SectorBytes(slot.c_str(), inner, outer, from, from + SectorDegrees(ring), kRingRadii[3], "picture_clear"));
			files.emplace_back("picture_slot_" + std::to_string(ring + 1) + "_" + std::to_string(piece + 1) + ".motion", SlotMotion(ring, piece + 1));
		}
	files.emplace_back("tower_wheel.model", SectorBytes("tower_wheel", 150, 210, 0, 360, 210, "tower_wheel"));
	files.emplace_back("tower_board.model", QuadModelBytes({"tower_board", {-240, -240, 240, 240}, "tower_board", 1, 1}));
	for (const char* colour : kColourNames)
	{
		const std::string name = std::string("tower_ball_") + colour;
		files.emplace_back(name + ".model", QuadModelBytes({name.c_str(), {-24, -24, 24, 24}, name.c_str(), 1, 1}));
	}
	files.emplace_back("tower_wheel.motion", WheelMotion());
	for (int cell = 0; cell < 12; ++cell)
		files.emplace_back("tower_cell_" + std::to_string(cell) + ".motion", DummyMotion(cell));
	const long rate = 44100;
	const std::pair<const char*, std::vector<float>> sounds[] = {
		{"wood_take", Knock(rate, 0.2f, 320, 30)}, {"metal_move_hard", Knock(rate, 0.6f, 140, 5)}};
	for (const auto& [name, samples] : sounds)
		files.emplace_back(std::string(name) + ".ogg", cOggEncoder(2, rate, 0.3f).Encode({samples, samples}));
	for (const auto& [name, bytes] : files)
		if (bytes.empty() || !tree.WriteFile(kFolder + name, bytes))
			return false;
	return true;
}

// The pieces turned into their start places, and a slot per place that
// turns to the others.
void AddPicture(cXmlNode& scene)
{
	for (int ring = 0; ring < 3; ++ring)
		for (int piece = 0; piece < kRingPieces[ring]; ++piece)
		{
			const std::string suffix = std::to_string(ring + 1) + "_" + std::to_string(piece + 1);
			const float turn = SectorDegrees(ring) * float(kPictureStart[ring][size_t(piece)] - 1 - piece);
			AddXmlElement(scene, "geometry",
				{{"name", "ring_" + suffix}, {"model", SectorName(ring, piece)}, {"local", Placement(kPictureX, kPictureY, 0, turn)}});
			cXmlNode* slot = AddXmlElement(scene, "geometry",
				{{"name", "dummy_" + suffix}, {"model", SectorName(ring, piece) + "_slot"}, {"motion", "picture_slot_" + suffix},
					{"local", Placement(kPictureX, kPictureY, 0)}});
			AddClip(*slot, "start", 0, 0, 0);
			for (int target = 1; target <= kRingPieces[ring]; ++target)
				AddClip(*slot, "fly_to_" + std::to_string(target), 10 * target, 10 * target + 9, kFlightSeconds);
		}
}

// The board, the wheel with its quarter turns, the cell markers and the balls.
void AddTower(cXmlNode& scene)
{
	AddXmlElement(scene, "geometry", {{"name", "board"}, {"model", "tower_board"}, {"local", Placement(kTowerX, kTowerY, 20)}});
	cXmlNode* wheel = AddXmlElement(scene, "geometry",
		{{"name", "ring"}, {"model", "tower_wheel"}, {"motion", "tower_wheel"}, {"local", Placement(kTowerX, kTowerY, 10)}});
	// The minigame's showing plays "start": the wheel turns back with the board.
	AddClip(*wheel, "start", 0, 0, 0);
	for (int quarter = 0; quarter < 4; ++quarter)
		AddClip(*wheel, "ring" + std::to_string(quarter), 10 * quarter, 10 * quarter + 10, 0.6f);
	for (int dummy = 0; dummy < 12; ++dummy)
	{
		const int cell = kDummyCells[dummy];
		cXmlNode* marker = AddXmlElement(scene, "object",
			{{"name", "dummy_" + std::to_string(dummy)}, {"motion", "tower_cell_" + std::to_string(cell)},
				{"local", Placement(kTowerX + kTowerStep * kCellPlaces[cell][0], kTowerY + kTowerStep * kCellPlaces[cell][1], 0)}});
		AddClip(*marker, "reset", 0, 0, 0);
		AddClip(*marker, "start", 0, 0, 0);
		for (int direction = 0; direction < 4; ++direction)
			AddClip(*marker, kDirections[direction], 20 * (direction + 1), 20 * (direction + 1) + 10, 0.3f);
	}
	for (const auto& ball : kBalls)
	{
		const std::string name = ball.name;
		const std::string colour = name.substr(5, name.rfind('_') - 5);
		AddXmlElement(scene, "geometry",
			{{"name", name}, {"model", "tower_ball_" + colour},
				{"local", Placement(kTowerX + kTowerStep * kCellPlaces[ball.cell][0], kTowerY + kTowerStep * kCellPlaces[ball.cell][1], 0)}});
	}
}

bool WriteScenes(cContentTree& tree)
{
	cXmlNode list("resources");
	cXmlNode* picture = AddXmlElement(list, "resource", {{"name", "picture"}, {"type", "scene_resource"}});
	AddPicture(*picture);
	AddMinigameBorder(*picture);
	cXmlNode* tower = AddXmlElement(list, "resource", {{"name", "tower"}, {"type", "scene_resource"}});
	AddTower(*tower);
	AddMinigameBorder(*tower);
	return tree.WriteXml(std::string(kFolder) + "rings.resource", list);
}
}

bool WriteRingMinigameContent(cContentTree& tree)
{
	if (WriteFiles(tree) && WriteScenes(tree))
		return true;
	std::fprintf(stderr, "cannot make the ring minigames\n");
	return false;
}
