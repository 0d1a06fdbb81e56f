#include "SkullArt.h"

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

struct sPlace
{
	const char* name;
	float x, y;
};

struct sColourArt
{
	// The laser object, its model and texture, the receiver object (also
	// its model and texture) and the beam's texture.
	const char* laser;
	const char* emitter;
	const char* receiver;
	const char* beam;
	sRgba colour;
	// The laser's place and the way it shoots.
	float x, y;
	const char* ray;
	// Its receiver's place.
	float receiverX, receiverY;
};

// Blue, red, green, yellow. Solved by putting the "down" mirror on the
// socket at (400, 560), "up" at (624, 240), "left" at (512, 300) and
// "right" at (512, 500).
const sColourArt kColours[] = {
	{"laser_blue", "skull_emitter_blue", "reflector_blue_2", "laser_blue", {60, 110, 255, 255}, 260, 560, "right", 400, 240},
	{"laser_red", "skull_emitter_red", "reflector_red_2", "laser_red", {255, 60, 50, 255}, 800, 240, "left", 624, 560},
	{"laser_green", "skull_emitter_green", "reflector_green_2", "laser_green", {60, 230, 80, 255}, 512, 200, "up", 290, 300},
	{"laser_yello", "skull_emitter_yellow", "reflector_yello_2", "laser_yellow", {255, 220, 40, 255}, 512, 600, "down", 760, 500},
};

const sPlace kSockets[] = {
	{"point_1", 624, 400}, {"point_2", 512, 500}, {"point_3", 400, 560}, {"point_4", 700, 300},
	{"point_5", 512, 300}, {"point_6", 624, 240}, {"point_7", 330, 450}, {"point_8", 520, 560},
};

// A piece's way out in degrees counter-clockwise from up; none for the stone.
struct sPieceArt
{
	sPlace place;
	const char* texture;
	const char* rules;
	// The arrow's direction on the picture (x right, y down), or none.
	float arrowX, arrowY;
};

const sPieceArt kPieces[] = {
	{{"tube_1", 215, 250}, "skull_mirror_right", R"(<rule min="0" max="360" dest="270" angle="0"/>)", 1, 0},
	{{"tube_2", 215, 330}, "skull_mirror_down", R"(<rule min="0" max="360" dest="90" angle="90"/>)", 0, 1},
	{{"tube_3", 215, 410}, "skull_stone", "", 0, 0},
	{{"tube_4", 215, 490}, "skull_mirror_left", R"(<rule min="0" max="360" dest="90" angle="0"/>)", -1, 0},
	{{"tube_5", 215, 570}, "skull_mirror_up",
		R"(<rule min="0" max="180" dest="0" angle="0"/><rule min="180.5" max="360" dest="300" angle="60"/>)", 0, -1},
};

const sRect kBoard{180, 175, 844, 634};
const float kHalfPiece = 20;
const float kHalfSkull = 40;
const int kPieceTexels = 32;

sQuadArt Centred(const char* model, float half, const char* texture)
{
	return {model, {-half, -half, half, half}, texture, 1, 1};
}

// Slate with a faint grid.
cImage DrawBoard()
{
	cImage image(128, 96);
	image.FillRect(0, 0, 128, 96, {34, 38, 48, 255});
	for (int line = 0; line < 128; line += 16)
		image.FillRect(line, 0, line + 1, 96, {46, 52, 64, 255});
	for (int line = 0; line < 96; line += 16)
		image.FillRect(0, line, 128, line + 1, {46, 52, 64, 255});
	return image;
}

// A round skull with dark eyes and nose.
cImage DrawSkull()
{
	const int size = 64;
	cImage image(size, size);
	auto circle = [](float cx, float cy, float r) {
		return [=](float x, float y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
	};
	image.FillShape(0, 0, size, size, circle(32, 28, 26), {230, 225, 205, 255});
	image.FillRect(20, 44, 44, 60, {230, 225, 205, 255});
	image.FillShape(0, 0, size, size, circle(22, 28, 7), {30, 25, 25, 255});
	image.FillShape(0, 0, size, size, circle(42, 28, 7), {30, 25, 25, 255});
	image.FillShape(0, 0, size, size, [](float x, float y) { return y > 36 && y < 44 && std::fabs(x - 32) < (y - 36) / 2; },
		{30, 25, 25, 255});
	for (int tooth = 22; tooth < 44; tooth += 6)
		image.FillRect(tooth, 52, tooth + 2, 60, {90, 85, 75, 255});
	return image;
}

// A dark hole in a grey ring.
cImage DrawSocket()
{
	cImage image(kPieceTexels, kPieceTexels);
	image.FillShape(0, 0, kPieceTexels, kPieceTexels,
		[](float x, float y) { return (x - 16) * (x - 16) + (y - 16) * (y - 16) <= 14 * 14; }, {120, 125, 135, 255});
	image.FillShape(0, 0, kPieceTexels, kPieceTexels,
		[](float x, float y) { return (x - 16) * (x - 16) + (y - 16) * (y - 16) <= 9 * 9; }, {15, 15, 20, 255});
	return image;
}

// A silver tile with a black arrow pointing (dx, dy).
cImage DrawMirror(float dx, float dy)
{
	cImage image(kPieceTexels, kPieceTexels);
	image.FillRect(0, 0, kPieceTexels, kPieceTexels, {150, 155, 165, 255});
	image.FillRect(2, 2, kPieceTexels - 2, kPieceTexels - 2, {205, 210, 220, 255});
	image.FillShape(0, 0, kPieceTexels, kPieceTexels,
		[=](float x, float y) {
			// Along and across the arrow, from the tile's centre.
			const float along = (x - 16) * dx + (y - 16) * dy;
			const float across = std::fabs((x - 16) * dy - (y - 16) * dx);
			const bool shaft = along > -11 && along < 2 && across < 2.5f;
			const bool head = along >= 2 && along < 12 && across < (12 - along) * 0.8f;
			return shaft || head;
		},
		{20, 20, 25, 255});
	return image;
}

// A dark stone with a cross: it stops a beam.
cImage DrawStone()
{
	cImage image(kPieceTexels, kPieceTexels);
	image.FillShape(0, 0, kPieceTexels, kPieceTexels,
		[](float x, float y) { return (x - 16) * (x - 16) + (y - 16) * (y - 16) <= 15 * 15; }, {85, 75, 70, 255});
	image.FillShape(0, 0, kPieceTexels, kPieceTexels,
		[](float x, float y) {
			const bool inside = std::fabs(x - 16) < 8 && std::fabs(y - 16) < 8;
			return inside && (std::fabs(x - y) < 2 || std::fabs(x + y - 32) < 2);
		},
		{20, 15, 15, 255});
	return image;
}

// A dark box with a lens of the colour.
cImage DrawLaser(const sRgba& colour)
{
	cImage image(kPieceTexels, kPieceTexels);
	image.FillRect(2, 2, kPieceTexels - 2, kPieceTexels - 2, {60, 60, 70, 255});
	image.FillShape(0, 0, kPieceTexels, kPieceTexels,
		[](float x, float y) { return (x - 16) * (x - 16) + (y - 16) * (y - 16) <= 8 * 8; }, colour);
	return image;
}

// Rings of the colour around a bright centre: the target of that beam.
cImage DrawReceiver(const sRgba& colour)
{
	cImage image(kPieceTexels, kPieceTexels);
	for (const float radius : {15.0f, 10.0f, 5.0f})
	{
		const bool coloured = radius != 10.0f;
		image.FillShape(0, 0, kPieceTexels, kPieceTexels,
			[=](float x, float y) { return (x - 16) * (x - 16) + (y - 16) * (y - 16) <= radius * radius; },
			coloured ? colour : sRgba{20, 20, 25, 255});
	}
	return image;
}

// Bright along the middle, fading to the edges across (v runs across).
cImage DrawBeam(const sRgba& colour)
{
	cImage image(8, 8);
	const uint8_t alphas[8] = {90, 180, 255, 255, 255, 255, 180, 90};
	for (int row = 0; row < 8; ++row)
	{
		// The core rows go halfway to white.
		const int whiten = row == 3 || row == 4 ? 2 : 1;
		auto channel = [whiten](uint8_t value) { return uint8_t(value + (255 - value) * (whiten - 1) / 2); };
		image.FillRect(0, row, 8, row + 1, {channel(colour.r), channel(colour.g), channel(colour.b), alphas[row]});
	}
	return image;
}

bool WriteArt(cContentTree& tree)
{
	std::vector<std::pair<const char*, cImage>> textures = {
		{"skull_board", DrawBoard()},
		{"skull_skull", DrawSkull()},
		{"skull_socket", DrawSocket()},
		{"skull_stone", DrawStone()},
	};
	std::vector<sQuadArt> quads = {
		{"skull_board", kBoard, "skull_board", 1, 1},
		Centred("skull_skull", kHalfSkull, "skull_skull"),
		Centred("skull_socket", kHalfPiece, "skull_socket"),
	};
	for (const sPieceArt& piece : kPieces)
	{
		if (piece.arrowX != 0 || piece.arrowY != 0)
			textures.emplace_back(piece.texture, DrawMirror(piece.arrowX, piece.arrowY));
		quads.push_back(Centred(piece.texture, kHalfPiece, piece.texture));
	}
	for (const sColourArt& colour : kColours)
	{
		textures.emplace_back(colour.beam, DrawBeam(colour.colour));
		textures.emplace_back(colour.emitter, DrawLaser(colour.colour));
		textures.emplace_back(colour.receiver, DrawReceiver(colour.colour));
		quads.push_back(Centred(colour.emitter, kHalfPiece, colour.emitter));
		quads.push_back(Centred(colour.receiver, kHalfPiece, colour.receiver));
	}
	// Its sound "connect" is the device minigame's.
	return WriteMinigamePictures(tree, textures, quads);
}

// The rules of each piece, by its name.
bool WriteConfig(cContentTree& tree)
{
	std::string xml = "<skull>";
	for (const sPieceArt& piece : kPieces)
		xml += std::string("<") + piece.place.name + ">" + piece.rules + "</" + piece.place.name + ">";
	xml += "</skull>";
	return tree.WriteFile(std::string(kFolder) + "skull_config.xml", xml);
}

void AddPiece(cXmlNode& scene, const char* name, const char* model, float x, float y, float z)
{
	AddXmlElement(scene, "geometry", {{"name", name}, {"model", model}, {"local", MinigamePlace(x, y, z)}});
}

// The board lies behind, the sockets just in front of it; the lasers
// carry the way they shoot.
bool WriteScene(cContentTree& tree)
{
	cXmlNode list("resources");
	cXmlNode* scene = AddXmlElement(list, "resource", {{"name", "skull"}, {"type", "scene_resource"}});
	AddPiece(*scene, "background", "skull_board", 0, 0, 10);
	for (const sColourArt& colour : kColours)
	{
		AddXmlElement(*scene, "geometry",
			{{"name", colour.laser}, {"model", colour.emitter}, {"local", MinigamePlace(colour.x, colour.y, 0)}, {"ray", colour.ray}});
		AddPiece(*scene, colour.receiver, colour.receiver, colour.receiverX, colour.receiverY, 0);
	}
	AddPiece(*scene, "skill", "skull_skull", 512, 400, 0);
	for (const sPlace& socket : kSockets)
		AddPiece(*scene, socket.name, "skull_socket", socket.x, socket.y, -2);
	for (const sPieceArt& piece : kPieces)
		AddPiece(*scene, piece.place.name, piece.texture, piece.place.x, piece.place.y, 0);
	AddMinigameBorder(*scene);
	return tree.WriteXml(std::string(kFolder) + "skull.resource", list);
}
}

bool WriteSkullContent(cContentTree& tree)
{
	if (WriteArt(tree) && WriteConfig(tree) && WriteScene(tree))
		return true;
	std::fprintf(stderr, "cannot make the skull minigame\n");
	return false;
}
