#pragma once
// The board of the colour puzzle "triangles": 16 triangles and 12 fixed
// lights in 28 cells. A triangle cell lists the cells its corners touch at
// its corner positions 0, 1 and 2, which run clockwise from the top (a
// triangle pointing up) or from the upper left (one pointing down); a
// fixed light's cell names the light and lists the one cell it touches.

struct sTrianglesPlace
{
	// The fixed light's name; null for a triangle.
	const char* light;
	// The triangle's number in "triangle_<n>"; -1 for a fixed light.
	int triangle;
	int neighbours[3];
};

inline constexpr int kTrianglesCells = 28;

inline constexpr sTrianglesPlace kTrianglesBoard[kTrianglesCells] = {{nullptr, 0, {1, 2, 3}},
	{"light_green_0", -1, {0}}, {"light_white_1", -1, {0}}, {nullptr, 2, {0, 5, 4}},
	{nullptr, 1, {6, 3, 8}}, {nullptr, 3, {3, 7, 9}}, {"light_red_0", -1, {4}},
	{"light_yellow_4", -1, {5}}, {nullptr, 5, {4, 10, 11}}, {nullptr, 7, {5, 12, 10}},
	{nullptr, 6, {8, 9, 16}}, {nullptr, 4, {13, 8, 15}}, {nullptr, 8, {9, 14, 17}},
	{"light_yellow_0", -1, {11}}, {"light_red_4", -1, {12}}, {nullptr, 10, {11, 19, 18}},
	{nullptr, 12, {10, 20, 19}}, {nullptr, 14, {12, 21, 20}}, {nullptr, 9, {22, 15, 24}},
	{nullptr, 11, {15, 16, 25}}, {nullptr, 13, {16, 17, 26}}, {nullptr, 15, {17, 23, 27}},
	{"light_white_0", -1, {18}}, {"light_green_15", -1, {21}}, {"light_yellow_13", -1, {18}},
	{"light_green_16", -1, {19}}, {"light_white_13", -1, {20}}, {"light_red_13", -1, {21}}};

// The corner position at which the cell touches the other one (2 when the
// other is listed neither first nor second).
inline constexpr int TrianglesCornerTouching(int cell, int other)
{
	const int(&neighbours)[3] = kTrianglesBoard[cell].neighbours;
	return neighbours[0] == other ? 0 : neighbours[1] == other ? 1 : 2;
}
