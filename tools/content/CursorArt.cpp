#include "CursorArt.h"

#include <algorithm>
#include <cmath>

namespace
{
const int kCell = 64;
// The cursor's size on the screen, in pixels.
const int kSize = 48;
const float kOutline = 1.6f;

const sRgba kInk{28, 30, 40, 255};
const sRgba kPaper{250, 250, 244, 255};

struct sPoint
{
	float x, y;
};

// Even-odd rule.
bool InPolygon(const std::vector<sPoint>& polygon, float x, float y)
{
	bool inside = false;
	for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++)
	{
		const sPoint& a = polygon[i];
		const sPoint& b = polygon[j];
		if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
			inside = !inside;
	}
	return inside;
}

float SegmentDistance(sPoint a, sPoint b, float x, float y)
{
	const float dx = b.x - a.x;
	const float dy = b.y - a.y;
	const float t = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
	return std::hypot(x - (a.x + t * dx), y - (a.y + t * dy));
}

float EdgeDistance(const std::vector<sPoint>& polygon, float x, float y)
{
	float nearest = 1e9f;
	for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++)
		nearest = std::min(nearest, SegmentDistance(polygon[j], polygon[i], x, y));
	return nearest;
}

bool InEllipse(sPoint centre, float rx, float ry, float x, float y)
{
	const float u = (x - centre.x) / rx;
	const float v = (y - centre.y) / ry;
	return u * u + v * v <= 1;
}

// A closed shape in ink with a paper inside, within the cell at left.
void OutlinedPolygon(cImage& image, int left, std::vector<sPoint> polygon, const sRgba& fill)
{
	for (sPoint& point : polygon)
		point.x += float(left);
	image.FillShape(left, 0, left + kCell, kCell,
		[&](float x, float y) { return InPolygon(polygon, x, y) || EdgeDistance(polygon, x, y) < kOutline; }, kInk);
	image.FillShape(left, 0, left + kCell, kCell,
		[&](float x, float y) { return InPolygon(polygon, x, y) && EdgeDistance(polygon, x, y) > kOutline; }, fill);
}

void DrawArrow(cImage& image, int left)
{
	OutlinedPolygon(image, left, {{2, 2}, {2, 34}, {10, 27}, {16, 40}, {22, 37}, {16, 25}, {27, 25}}, kPaper);
}

// A speech bubble whose tail points up and to the left, with three dots.
void DrawBubble(cImage& image, int left)
{
	const sPoint centre{float(left) + 27, 22};
	const std::vector<sPoint> tail{{float(left) + 3, 3}, {float(left) + 22, 13}, {float(left) + 14, 20}};
	image.FillShape(left, 0, left + kCell, kCell,
		[&](float x, float y) {
			return InEllipse(centre, 18 + kOutline, 13 + kOutline, x, y) || InPolygon(tail, x, y) ||
				   EdgeDistance(tail, x, y) < kOutline;
		},
		kInk);
	image.FillShape(left, 0, left + kCell, kCell,
		[&](float x, float y) {
			return InEllipse(centre, 18, 13, x, y) || (InPolygon(tail, x, y) && EdgeDistance(tail, x, y) > kOutline);
		},
		kPaper);
	for (float dx : {-8.0f, 0.0f, 8.0f})
		image.FillShape(left, 0, left + kCell, kCell,
			[&](float x, float y) { return std::hypot(x - centre.x - dx, y - centre.y) < 2.4f; },
			sRgba{40, 90, 200, 255});
}

// A magnifying glass: a metal ring round tinted glass, with a handle.
void DrawLens(cImage& image, int left)
{
	const sPoint centre{float(left) + 18, 18};
	const sPoint grip[2] = {{float(left) + 28, 28}, {float(left) + 42, 42}};
	auto distance = [&](float x, float y) { return std::hypot(x - centre.x, y - centre.y); };
	image.FillShape(left, 0, left + kCell, kCell,
		[&](float x, float y) { return SegmentDistance(grip[0], grip[1], x, y) < 4.5f; }, kInk);
	image.FillShape(left, 0, left + kCell, kCell,
		[&](float x, float y) { return SegmentDistance(grip[0], grip[1], x, y) < 3.0f; }, sRgba{120, 74, 34, 255});
	image.FillShape(left, 0, left + kCell, kCell, [&](float x, float y) { return distance(x, y) < 10; },
		sRgba{170, 210, 255, 130});
	image.FillShape(left, 0, left + kCell, kCell,
		[&](float x, float y) { return distance(x, y) >= 10 && distance(x, y) < 14.5f; }, kInk);
	image.FillShape(left, 0, left + kCell, kCell,
		[&](float x, float y) { return distance(x, y) >= 11 && distance(x, y) < 13.5f; }, sRgba{190, 192, 200, 255});
	image.FillShape(left, 0, left + kCell, kCell,
		[&](float x, float y) { return std::hypot(x - centre.x + 4, y - centre.y + 4) < 2.5f; },
		sRgba{255, 255, 255, 200});
}

// An hourglass: wooden caps, glass bulbs, sand running down.
void DrawHourglass(cImage& image, int left)
{
	const sRgba wood{110, 72, 36, 255};
	const sRgba sand{224, 182, 84, 255};
	OutlinedPolygon(image, left, {{14, 10}, {34, 10}, {24, 24}, {34, 38}, {14, 38}, {24, 24}}, sRgba{225, 238, 248, 255});
	for (const std::vector<sPoint>& heap : {std::vector<sPoint>{{18, 15}, {30, 15}, {24, 22}},
			 std::vector<sPoint>{{24, 29}, {31, 36.5f}, {17, 36.5f}}})
	{
		std::vector<sPoint> shifted = heap;
		for (sPoint& point : shifted)
			point.x += float(left);
		image.FillShape(left, 0, left + kCell, kCell, [&](float x, float y) { return InPolygon(shifted, x, y); }, sand);
	}
	image.FillRect(left + 23, 23, left + 25, 30, sand);
	image.FillRect(left + 10, 5, left + 38, 10, kInk);
	image.FillRect(left + 11, 6, left + 37, 9, wood);
	image.FillRect(left + 10, 38, left + 38, 43, kInk);
	image.FillRect(left + 11, 39, left + 37, 42, wood);
}
}

const char* const kCursorTexture = "cursors.png";

const std::vector<sCursorArt>& CursorArts()
{
	static const std::vector<sCursorArt> arts{{"cursor", 2, 2}, {"dialog", 3, 3}, {"lens", 18, 18}, {"hours", 24, 24}};
	return arts;
}

cImage DrawCursorAtlas()
{
	cImage image(kCell * int(CursorArts().size()), kCell);
	DrawArrow(image, 0);
	DrawBubble(image, kCell);
	DrawLens(image, 2 * kCell);
	DrawHourglass(image, 3 * kCell);
	return image;
}

void MakeCursorModel(size_t index, cModel& model)
{
	// Position and one texture coordinate pair (FVF 258).
	struct sVertex
	{
		float x, y, z, u, v;
	};
	const float width = float(kCell * CursorArts().size());
	const float u0 = float(index * kCell) / width;
	const float u1 = float(index * kCell + kSize) / width;
	const float v1 = float(kSize) / kCell;
	const float size = float(kSize);
	// y grows upward on the screen: the picture hangs below the origin.
	const sVertex vertices[4] = {{0, 0, 0, u0, 0}, {size, 0, 0, u1, 0}, {size, -size, 0, u1, v1}, {0, -size, 0, u0, v1}};
	model.name = CursorArts()[index].name;
	model.vertexFormat = D3DFVF_XYZ | D3DFVF_TEX1;
	const auto* bytes = reinterpret_cast<const uint8_t*>(vertices);
	model.vertexBytes.assign(bytes, bytes + sizeof vertices);
	model.indices = {0, 1, 2, 0, 2, 3};
	model.boundsMin = cVector3d(0, -size, 0);
	model.boundsMax = cVector3d(size, 0, 0);
	sModelMaterial material;
	material.triangleCount = 2;
	material.textureNames = {kCursorTexture};
	model.materials = {material};
}

std::string CursorOffset(const sCursorArt& art)
{
	return std::to_string(-art.hotX) + " " + std::to_string(art.hotY) + " 0";
}
