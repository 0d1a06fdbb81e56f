#include "PuzzleMinigameArt.h"

#include "MinigameArt.h"
#include "PngFile.h"
#include "RingMinigameArt.h"
#include "cContentTree.h"
#include "cImage.h"

#include "engine/foundation/cXmlNode.h"
#include "engine/sound/cOggEncoder.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

const char* const kPuzzleMinigameTexts[][2] = {
	{"faces", "Click a head, then a cell: leave no two heads on one line"},
	{"device", "Click a part, right-click to turn it, click on its outline"},
	{"picture", "Click two pieces of one ring to swap them until the picture is whole"},
	{"tower", "Roll the balls into the sockets of their colour; click the wheel to turn it"},
};
const size_t kPuzzleMinigameTextCount = sizeof kPuzzleMinigameTexts / sizeof kPuzzleMinigameTexts[0];

namespace
{
const char* const kFolder = "data/minigames/";
const float kPi = 3.14159265f;

// The faces board: 8 x 8 cells of 52, row 0 at the bottom.
const float kCell = 52;
const float kBoardLeft = 304;
const float kBoardBottom = 200;

// The device's tray, where the parts are scattered.
const sRect kTray{192, 144, 832, 624};

struct sPart
{
	const char* name;
	float width, height;
	// Its place on the tray and its turn there in degrees.
	float x, y, degrees;
	std::function<bool(float, float)> shape;
};

bool Circle(float x, float y, float cx, float cy, float radius)
{
	return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
}

// The parts in texture space (64 x 64 per unit of their size, y down).
const std::vector<sPart>& Parts()
{
	static const std::vector<sPart> parts = {
		{"gear", 120, 120, 380, 420, 0,
			[](float x, float y) {
				const float angle = std::atan2(y - 64, x - 64);
				const float radius = 52 + 10 * (std::cos(10 * angle) > 0);
				return Circle(x, y, 64, 64, radius) && !Circle(x, y, 64, 64, 14);
			}},
		// A bar with a hole at each end, stretched to its length.
		{"lever", 220, 40, 600, 470, 30,
			[](float x, float y) {
				return x > 2 && x < 126 && y > 20 && y < 108 && std::fabs(x - 14) > 6 && std::fabs(x - 114) > 6;
			}},
		// A cylinder with its rod below.
		{"piston", 60, 150, 640, 280, 0,
			[](float x, float y) { return (x > 16 && x < 112 && y > 4 && y < 84) || (x > 52 && x < 76 && y >= 84 && y < 124); }},
		{"wheel", 100, 100, 420, 250, 0,
			[](float x, float y) {
				return (Circle(x, y, 64, 64, 60) && !Circle(x, y, 64, 64, 48)) ||
					(Circle(x, y, 64, 64, 50) && (std::fabs(x - 64) < 5 || std::fabs(y - 64) < 5));
			}},
	};
	return parts;
}

// Turned by the angle about z and placed at (x, y, z).
std::string Placement(float x, float y, float z, float degrees = 0)
{
	const float c = std::cos(degrees * kPi / 180);
	const float s = std::sin(degrees * kPi / 180);
	char text[160];
	std::snprintf(text, sizeof text, "%g %g 0 %g %g 0 0 0 1 %g %g %g", c, s, -s, c, x, y, z);
	return text;
}

// A quad of the size centred on the origin.
sQuadArt Centred(const char* model, float width, float height, const char* texture, float u = 1)
{
	return {model, {-width / 2, -height / 2, width / 2, height / 2}, texture, u, 1};
}

// A carved head: sad on the left half, smiling on the right.
cImage DrawHeads()
{
	cImage image(128, 64);
	for (int half = 0; half < 2; ++half)
	{
		const float cx = 32 + 64 * half;
		image.FillShape(64 * half, 0, 64 * half + 64, 64, [&](float x, float y) { return Circle(x, y, cx, 32, 28); },
			half ? sRgba{240, 200, 90, 255} : sRgba{170, 150, 140, 255});
		for (float eye : {-10.0f, 10.0f})
			image.FillShape(64 * half, 0, 64 * half + 64, 64, [&](float x, float y) { return Circle(x, y, cx + eye, 24, 4); },
				{40, 30, 30, 255});
		// The mouth bends up for the smile and down for the frown.
		const float bend = half ? 1.0f : -1.0f;
		image.FillShape(64 * half, 0, 64 * half + 64, 64,
			[&](float x, float y) {
				const float dx = x - cx;
				const float curve = 42 + bend * (1 - dx * dx / 144) * 6;
				return std::fabs(dx) < 12 && std::fabs(y - curve) < 2.5f;
			},
			{60, 30, 30, 255});
	}
	return image;
}

// The stone board in two greys.
cImage DrawBoard()
{
	cImage image(256, 256);
	for (int row = 0; row < 8; ++row)
		for (int column = 0; column < 8; ++column)
			image.FillRect(column * 32, row * 32, column * 32 + 32, row * 32 + 32,
				(row + column) % 2 ? sRgba{90, 90, 100, 255} : sRgba{140, 140, 150, 255});
	return image;
}

cImage DrawSolid(int width, int height, const sRgba& colour)
{
	cImage image(width, height);
	image.FillRect(0, 0, width, height, colour);
	return image;
}

// The blueprint: a blue sheet with a fine grid.
cImage DrawBlueprint()
{
	cImage image(256, 192);
	image.FillRect(0, 0, 256, 192, {20, 50, 110, 255});
	for (int x = 0; x < 256; x += 16)
		image.FillRect(x, 0, x + 1, 192, {60, 100, 170, 255});
	for (int y = 0; y < 192; y += 16)
		image.FillRect(0, y, 256, y + 1, {60, 100, 170, 255});
	return image;
}

cImage DrawPart(const sPart& part, const sRgba& colour)
{
	cImage image(128, 128);
	image.FillShape(0, 0, 128, 128, part.shape, colour);
	return image;
}

// A decaying tone (or noise when the frequency is 0) of the length.
std::vector<float> Tone(long rate, float seconds, float frequency, float decay)
{
	std::vector<float> samples(size_t(rate * seconds));
	unsigned noise = 12345;
	for (size_t i = 0; i < samples.size(); ++i)
	{
		const float t = float(i) / float(rate);
		noise = noise * 1103515245 + 12345;
		const float wave = frequency > 0 ? std::sin(2 * kPi * frequency * t) : float((noise >> 16) & 0x7FFF) / 16384.0f - 1;
		samples[i] = 0.3f * std::exp(-decay * t) * wave;
	}
	return samples;
}

bool WriteSounds(cContentTree& tree)
{
	const long rate = 44100;
	std::vector<float> chime = Tone(rate, 0.5f, 880, 6);
	const std::vector<float> high = Tone(rate, 0.4f, 1320, 6);
	for (size_t i = 0; i < high.size(); ++i)
		chime[chime.size() - high.size() + i] += high[i];
	// "stone_take" is shared with the statue and written with it.
	const std::pair<const char*, std::vector<float>> sounds[] = {
		{"wire_rotate", Tone(rate, 0.12f, 2000, 40)},
		{"connect", chime},
	};
	for (const auto& [name, samples] : sounds)
	{
		const std::string ogg = cOggEncoder(2, rate, 0.3f).Encode({samples, samples});
		if (ogg.empty() || !tree.WriteFile(kFolder + std::string(name) + ".ogg", ogg))
			return false;
	}
	return true;
}

bool WriteArt(cContentTree& tree)
{
	std::vector<std::pair<std::string, cImage>> textures = {
		{"faces_heads", DrawHeads()},
		{"faces_board", DrawBoard()},
		{"faces_lit", DrawSolid(8, 8, {255, 170, 40, 110})},
		{"faces_ray", DrawSolid(8, 8, {255, 220, 60, 255})},
		{"device_blueprint", DrawBlueprint()},
	};
	std::vector<sQuadArt> quads = {
		Centred("faces_head", 44, 44, "faces_heads", 0.5f),
		{"faces_board", {kBoardLeft, kBoardBottom, kBoardLeft + 8 * kCell, kBoardBottom + 8 * kCell}, "faces_board", 1, 1},
		Centred("faces_lit", kCell, kCell, "faces_lit"),
		// Rays start at a cell's centre and reach the next one's.
		{"faces_ray", {0, -2, kCell, 2}, "faces_ray", 1, 1},
		{"faces_ray_diagonal", {0, -2, kCell * 1.4142f, 2}, "faces_ray", 1, 1},
		{"device_blueprint", kTray, "device_blueprint", 1, 1},
	};
	// Each part and its outline: the quad's names point into this list.
	std::vector<std::string> partNames;
	for (const sPart& part : Parts())
		for (const char* suffix : {"", "_outline"})
			partNames.push_back(std::string("device_") + part.name + suffix);
	for (size_t i = 0; i < partNames.size(); ++i)
	{
		const sPart& part = Parts()[i / 2];
		const bool outline = i % 2 == 1;
		textures.emplace_back(partNames[i], DrawPart(part, outline ? sRgba{150, 200, 255, 90} : sRgba{200, 160, 70, 255}));
		quads.push_back(Centred(partNames[i].c_str(), part.width, part.height, partNames[i].c_str()));
	}
	for (const auto& [name, image] : textures)
	{
		const std::string png = EncodePng(image);
		if (png.empty() || !tree.WriteFile(kFolder + name + ".png", png))
			return false;
	}
	for (const sQuadArt& quad : quads)
		if (!tree.WriteFile(kFolder + std::string(quad.model) + ".model", QuadModelBytes(quad)))
			return false;
	return true;
}

float CellX(int column)
{
	return kBoardLeft + (float(column) + 0.5f) * kCell;
}
float CellY(int row)
{
	return kBoardBottom + (float(row) + 0.5f) * kCell;
}

// The board, the cells that light up, a ray piece from every cell to each
// neighbour up, right and on both upper diagonals, the heads on row 7.
void AddFaces(cXmlNode& scene)
{
	AddXmlElement(scene, "geometry", {{"name", "board"}, {"model", "faces_board"}, {"local", Placement(0, 0, 10)}});
	const struct
	{
		int rows, columns;
		float degrees;
		const char* model;
	} steps[] = {{1, 0, 90, "faces_ray"}, {0, 1, 0, "faces_ray"}, {1, 1, 45, "faces_ray_diagonal"}, {1, -1, 135, "faces_ray_diagonal"}};
	for (int row = 0; row < 8; ++row)
		for (int column = 0; column < 8; ++column)
		{
			char name[32];
			std::snprintf(name, sizeof name, "point_%d_%d", row, column);
			AddXmlElement(scene, "geometry", {{"name", name}, {"model", "faces_lit"}, {"local", Placement(CellX(column), CellY(row), 5)}});
			for (const auto& step : steps)
			{
				const int toRow = row + step.rows;
				const int toColumn = column + step.columns;
				if (toRow > 7 || toColumn < 0 || toColumn > 7)
					continue;
				std::snprintf(name, sizeof name, "ray_%d%d_%d%d", row, column, toRow, toColumn);
				AddXmlElement(scene, "geometry",
					{{"name", name}, {"model", step.model}, {"local", Placement(CellX(column), CellY(row), 0, step.degrees)}});
			}
		}
	for (int head = 0; head < 8; ++head)
		AddXmlElement(scene, "geometry",
			{{"name", "head_" + std::to_string(head)}, {"model", "faces_head"}, {"local", Placement(CellX(head), CellY(7), -10)}});
}

// The blueprint with each part's outline at its place, and the parts.
void AddDevice(cXmlNode& scene)
{
	AddXmlElement(scene, "geometry", {{"name", "background"}, {"model", "device_blueprint"}, {"local", Placement(0, 0, 20)}});
	int number = 1;
	for (const sPart& part : Parts())
	{
		const std::string model = std::string("device_") + part.name;
		AddXmlElement(scene, "geometry",
			{{"name", "outline_" + std::to_string(number)}, {"model", model + "_outline"},
				{"local", Placement(part.x, part.y, 10, part.degrees)}});
		AddXmlElement(scene, "geometry",
			{{"name", "mashine_" + std::to_string(number++)}, {"model", model}, {"local", Placement(part.x, part.y, 0, part.degrees)}});
	}
}

bool WriteScenes(cContentTree& tree)
{
	cXmlNode list("resources");
	cXmlNode* faces = AddXmlElement(list, "resource", {{"name", "faces"}, {"type", "scene_resource"}});
	AddFaces(*faces);
	AddMinigameBorder(*faces);
	cXmlNode* device = AddXmlElement(list, "resource", {{"name", "device"}, {"type", "scene_resource"}});
	AddDevice(*device);
	AddMinigameBorder(*device);
	return tree.WriteXml(std::string(kFolder) + "boards.resource", list);
}
}

bool WritePuzzleMinigameContent(cContentTree& tree)
{
	if (WriteArt(tree) && WriteSounds(tree) && WriteScenes(tree) && WriteRingMinigameContent(tree))
		return true;
	std::fprintf(stderr, "cannot make the board minigames\n");
	return false;
}
