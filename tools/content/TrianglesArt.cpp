#include "TrianglesArt.h"

#include "MinigameArt.h"
#include "cContentTree.h"

#include "engine/foundation/cXmlNode.h"
#include "game/minigames/TrianglesBoard.h"

#include "engine/scene/cMotionWriter.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
const char* const kFolder = "data/minigames/";

const char* const kColourNames[4] = {"red", "white", "green", "yellow"};
const sRgba kColours[4] = {{235, 50, 40, 255}, {245, 245, 235, 255}, {60, 220, 80, 255}, {250, 210, 40, 255}};

const sRect kBoard{180, 175, 844, 634};
const float kSide = 104;
const float kHeight = kSide * 0.8660254f;
const float kApexX = 512;
const float kApexY = 590;
const float kInset = 0.6f;
const float kGemRadius = 9;
const int kPieceTexels = 128;

int ColourOf(const std::string& name)
{
	for (int colour : {0, 2, 1})
		if (name.find(kColourNames[colour]) != std::string::npos)
			return colour;
	return 3;
}

int PositionOf(int n, int r)
{
	return TrianglesCornerTouching(n, r);
}

// Row r holds triangles r * r to r * r + 2r, pointing up and down in turn.
int RowOf(int triangle)
{
	return int(std::sqrt(float(triangle)));
}

bool PointsUp(int triangle)
{
	return (triangle - RowOf(triangle) * RowOf(triangle)) % 2 == 0;
}

struct sPoint
{
	float x, y;
};

sPoint Centre(int triangle)
{
	const int row = RowOf(triangle);
	const int column = triangle - row * row;
	const float left = kApexX - float(row) * kSide / 2 + float(column / 2) * kSide;
	const float top = kApexY - float(row) * kHeight;
	return PointsUp(triangle) ? sPoint{left, top - 2 * kHeight / 3} : sPoint{left + kSide / 2, top - kHeight / 3};
}

// Corner k from the centre, clockwise from the top (pointing up) or the
// upper left (pointing down), scaled by inset.
sPoint Corner(bool up, int k, float inset)
{
	static const float upCorners[3][2] = {{0, 2.0f / 3}, {0.5f, -1.0f / 3}, {-0.5f, -1.0f / 3}};
	static const float downCorners[3][2] = {{-0.5f, 1.0f / 3}, {0.5f, 1.0f / 3}, {0, -2.0f / 3}};
	const float(&unit)[3][2] = up ? upCorners : downCorners;
	return {unit[k][0] * kSide * inset, unit[k][1] * kHeight * inset};
}

// Corner colours per triangle that all match when no triangle is turned:
// a fixed gem's colour where one touches, otherwise one shared by the two
// touching corners.
std::vector<std::array<int, 3>> DealColours()
{
	std::vector<std::array<int, 3>> colours(16, {-1, -1, -1});
	int next = 0;
	for (int cell = 0; cell < 28; ++cell)
		for (int k = 0; k < 3 && kTrianglesBoard[cell].triangle >= 0; ++k)
		{
			const int n = kTrianglesBoard[cell].neighbours[k];
			int& colour = colours[size_t(kTrianglesBoard[cell].triangle)][size_t(k)];
			if (colour >= 0)
				continue;
			colour = kTrianglesBoard[n].triangle < 0 ? ColourOf(kTrianglesBoard[n].light)
											 : colours[size_t(kTrianglesBoard[n].triangle)][size_t(PositionOf(n, cell))] = (next++ * 3 + 1) % 4;
		}
	return colours;
}

// The place of a fixed gem: beyond the corner of the triangle it touches.
sPoint GemPlace(int cell)
{
	const int touching = kTrianglesBoard[cell].neighbours[0];
	const int triangle = kTrianglesBoard[touching].triangle;
	const sPoint centre = Centre(triangle);
	const sPoint corner = Corner(PointsUp(triangle), PositionOf(touching, cell), 1.2f);
	return {centre.x + corner.x, centre.y + corner.y};
}

sRgba Dim(const sRgba& colour)
{
	return {uint8_t(colour.r / 3 + 20), uint8_t(colour.g / 3 + 20), uint8_t(colour.b / 3 + 20), 255};
}

void DrawGem(cImage& image, float cx, float cy, float radius, const sRgba& colour)
{
	image.FillShape(int(cx - radius - 1), int(cy - radius - 1), int(cx + radius + 2), int(cy + radius + 2),
		[=](float x, float y) { return std::fabs(x - cx) + std::fabs(y - cy) <= radius; }, colour);
}

// Slate with the dim fixed gems around the big triangle.
cImage DrawBoard()
{
	const int width = int(kBoard.right - kBoard.left);
	const int height = int(kBoard.top - kBoard.bottom);
	cImage image(width, height);
	image.FillRect(0, 0, width, height, {45, 40, 38, 255});
	for (int cell = 0; cell < 28; ++cell)
		if (kTrianglesBoard[cell].triangle < 0)
		{
			const sPoint at = GemPlace(cell);
			DrawGem(image, at.x - kBoard.left, kBoard.top - at.y, kGemRadius * 1.3f, Dim(kColours[ColourOf(kTrianglesBoard[cell].light)]));
		}
	return image;
}

// A stone triangle with a dim gem of each corner's colour.
cImage DrawPiece(int triangle, const std::array<int, 3>& colours)
{
	const bool up = PointsUp(triangle);
	cImage image(kPieceTexels, kPieceTexels);
	// Texels per unit across and down; the picture's top is the quad's top.
	const float sx = kPieceTexels / kSide, sy = kPieceTexels / kHeight;
	const float top = up ? 2 * kHeight / 3 : kHeight / 3;
	auto texel = [&](sPoint p) { return sPoint{(p.x + kSide / 2) * sx, (top - p.y) * sy}; };
	const sPoint a = texel(Corner(up, 0, 0.97f)), b = texel(Corner(up, 1, 0.97f)), c = texel(Corner(up, 2, 0.97f));
	image.FillShape(0, 0, kPieceTexels, kPieceTexels,
		[=](float x, float y) {
			auto side = [&](sPoint p, sPoint q) { return (q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x); };
			const float ab = side(a, b), bc = side(b, c), ca = side(c, a);
			return (ab >= 0 && bc >= 0 && ca >= 0) || (ab <= 0 && bc <= 0 && ca <= 0);
		},
		{120, 105, 90, 255});
	for (int k = 0; k < 3; ++k)
	{
		const sPoint gem = texel(Corner(up, k, kInset));
		DrawGem(image, gem.x, gem.y, kGemRadius * sx, Dim(kColours[colours[size_t(k)]]));
	}
	return image;
}

// A shining gem: the lit state drawn over the dim one.
cImage DrawShine(const sRgba& colour)
{
	cImage image(32, 32);
	image.FillShape(0, 0, 32, 32, [](float x, float y) { return std::hypot(x - 16, y - 16) <= 15; },
		{colour.r, colour.g, colour.b, 90});
	DrawGem(image, 16, 16, 11, colour);
	DrawGem(image, 13, 13, 3, {255, 255, 255, 200});
	return image;
}

// A third of a turn clockwise per ten key times.
std::string TurnMotion()
{
	cMotionWriter writer;
	for (int key = 0; key <= 3; ++key)
	{
		const float half = -float(key) * 3.14159265f / 3;
		writer.AddKeyTime(float(key * 10)).AddRotation(cQuaternion(0, 0, std::sin(half), std::cos(half)));
	}
	return writer.GetBytes();
}

// A piece's model is the triangle itself, not its picture's rectangle:
// a click beside a piece's edge then reaches the neighbour it points at.
std::string PieceModelBytes(int triangle, const char* name)
{
	const bool up = PointsUp(triangle);
	const float top = up ? 2 * kHeight / 3 : kHeight / 3;
	std::vector<sMeshVertex> corners;
	for (int k = 0; k < 3; ++k)
	{
		const sPoint corner = Corner(up, k, 1);
		corners.push_back({corner.x, corner.y, 0, (corner.x + kSide / 2) / kSide, (top - corner.y) / kHeight});
	}
	return MeshModelBytes(name, corners, {0, 1, 2}, name);
}

bool WriteArt(cContentTree& tree, const std::vector<std::array<int, 3>>& colours)
{
	std::vector<std::string> names;
	std::vector<std::pair<const char*, cImage>> textures = {{"tri_board", DrawBoard()}};
	std::vector<sQuadArt> quads = {{"tri_board", kBoard, "tri_board", 1, 1}};
	for (int triangle = 0; triangle < 16; ++triangle)
		names.push_back("tri_piece_" + std::to_string(triangle));
	for (int triangle = 0; triangle < 16; ++triangle)
	{
		const char* name = names[size_t(triangle)].c_str();
		textures.emplace_back(name, DrawPiece(triangle, colours[size_t(triangle)]));
		if (!tree.WriteFile(std::string(kFolder) + name + ".model", PieceModelBytes(triangle, name)))
			return false;
	}
	const char* const shines[4] = {"tri_shine_red", "tri_shine_white", "tri_shine_green", "tri_shine_yellow"};
	for (int colour = 0; colour < 4; ++colour)
	{
		textures.emplace_back(shines[colour], DrawShine(kColours[colour]));
		quads.push_back({shines[colour], {-13, -13, 13, 13}, shines[colour], 1, 1});
	}
	// Its sound "stone_take" is the statue's.
	return WriteMinigamePictures(tree, textures, quads) &&
		tree.WriteFile(std::string(kFolder) + "tri_turn.motion", TurnMotion());
}

// The board behind; the triangles with their shining gems (named by
// colour) and turning clips; the fixed gems beyond their corners.
bool WriteScene(cContentTree& tree, const std::vector<std::array<int, 3>>& colours)
{
	cXmlNode list("resources");
	cXmlNode* scene = AddXmlElement(list, "resource", {{"name", "triangles"}, {"type", "scene_resource"}});
	AddXmlElement(*scene, "geometry", {{"name", "background"}, {"model", "tri_board"}, {"local", MinigamePlace(0, 0, 10)}});
	for (int triangle = 0; triangle < 16; ++triangle)
	{
		const sPoint centre = Centre(triangle);
		cXmlNode* piece = AddXmlElement(*scene, "geometry",
			{{"name", "triangle_" + std::to_string(triangle)}, {"model", "tri_piece_" + std::to_string(triangle)},
				{"motion", "tri_turn"}, {"local", MinigamePlace(centre.x, centre.y, 0)}});
		for (int clip = 0; clip < 3; ++clip)
			AddXmlElement(*piece, "add_motion",
				{{"name", "rotation" + std::to_string(clip)}, {"first", std::to_string(clip * 10)},
					{"last", std::to_string(clip * 10 + 10)}, {"length", "0.3"}});
		for (int k = 0; k < 3; ++k)
		{
			const int colour = colours[size_t(triangle)][size_t(k)];
			const sPoint at = Corner(PointsUp(triangle), k, kInset);
			AddXmlElement(*piece, "geometry",
				{{"name", std::string("light_") + kColourNames[colour] + "_" + std::to_string(k)},
					{"model", std::string("tri_shine_") + kColourNames[colour]}, {"local", MinigamePlace(at.x, at.y, -1)}});
		}
	}
	for (int cell = 0; cell < 28; ++cell)
		if (kTrianglesBoard[cell].triangle < 0)
		{
			const sPoint at = GemPlace(cell);
			AddXmlElement(*scene, "geometry",
				{{"name", kTrianglesBoard[cell].light}, {"model", std::string("tri_shine_") + kColourNames[ColourOf(kTrianglesBoard[cell].light)]},
					{"local", MinigamePlace(at.x, at.y, -1)}});
		}
	AddMinigameBorder(*scene);
	return tree.WriteXml(std::string(kFolder) + "triangles.resource", list);
}
}

bool WriteTrianglesContent(cContentTree& tree)
{
	const std::vector<std::array<int, 3>> colours = DealColours();
	if (WriteArt(tree, colours) && WriteScene(tree, colours))
		return true;
	std::fprintf(stderr, "cannot make the triangles minigame\n");
	return false;
}
