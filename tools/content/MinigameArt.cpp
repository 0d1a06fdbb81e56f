#include "MinigameArt.h"

#include "PngFile.h"
#include "cContentTree.h"
#include "cImage.h"

#include "engine/foundation/cMemoryStream.h"
#include "engine/foundation/cXmlNode.h"
#include "engine/graphics/cModel.h"
#include "engine/graphics/cModelWriter.h"
#include "engine/scene/cMotionWriter.h"
#include "engine/sound/cOggEncoder.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace
{
const char* const kFolder = "data/minigames/";
// Seconds until the skip button works.
const char* const kSkipBarSeconds = "15";

// On the 1024 by 768 screen, y up.
const sRect kFrame{160, 114, 864, 654};
const sRect kClose{792, 582, 848, 638};
const sRect kSkip{744, 130, 848, 170};
// The bar grows to the right from its left end.
const float kBarLeft = 190;
const float kBarBottom = 136;
const float kBarWidth = 520;
const float kBarHeight = 28;
const sRect kBoard{240, 200, 784, 560};
// The star is centred on the overlay's place.
const float kStarSize = 300;

const std::vector<sQuadArt> kQuads = {
	{"minigame_frame", kFrame, "minigame_frame", 1, 1},
	// The buttons show the first cell of their 2 x 2 atlas.
	{"minigame_close", kClose, "minigame_close", 0.5f, 0.5f},
	{"minigame_skip", kSkip, "minigame_skip", 0.5f, 0.5f},
	{"minigame_bar", {0, 0, kBarWidth, kBarHeight}, "minigame_bar", 1, 1},
	{"minigame_board", kBoard, "minigame_board", 1, 1},
	{"minigame_star", {-kStarSize / 2, -kStarSize / 2, kStarSize / 2, kStarSize / 2}, "minigame_star", 1, 1},
};

}

cXmlNode* AddXmlElement(cXmlNode& parent, const char* name, std::initializer_list<std::pair<const char*, std::string>> attributes)
{
	auto* element = new cXmlNode(name);
	for (const auto& [attribute, value] : attributes)
		element->AddAttribute(attribute)->SetValue(value);
	parent.AppendChild(element);
	return element;
}

std::string MeshModelBytes(const char* name, const std::vector<sMeshVertex>& vertices,
	const std::vector<uint16_t>& indices, const char* texture)
{
	cModel model;
	model.name = name;
	model.vertexFormat = D3DFVF_XYZ | D3DFVF_TEX1;
	const auto* bytes = reinterpret_cast<const uint8_t*>(vertices.data());
	model.vertexBytes.assign(bytes, bytes + vertices.size() * sizeof(sMeshVertex));
	model.indices = indices;
	cBoundingBox bounds;
	for (const sMeshVertex& vertex : vertices)
		bounds.AddPoint(cVector3d(vertex.x, vertex.y, vertex.z));
	model.boundsMin = bounds.min;
	model.boundsMax = bounds.max;
	sModelMaterial material;
	material.triangleCount = uint32_t(indices.size() / 3);
	material.textureNames = {texture};
	model.materials = {material};
	cMemoryStream stream;
	cModelWriter(stream).Write(model);
	return std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

std::string QuadModelBytes(const sQuadArt& art)
{
	const sRect& r = art.rect;
	return MeshModelBytes(art.model,
		{{r.left, r.top, 0, 0, 0}, {r.right, r.top, 0, art.u, 0}, {r.right, r.bottom, 0, art.u, art.v},
			{r.left, r.bottom, 0, 0, art.v}},
		{0, 1, 2, 0, 2, 3}, art.texture);
}

namespace
{
std::string At(float x, float y)
{
	return MinigamePlace(x, y, 0);
}


// A wooden frame 20 pixels wide around a clear inside: a dark outer edge
// and a lighter band within it. Drawing blends, so the inside is left as
// the picture starts, transparent.
cImage DrawFrame()
{
	cImage image(256, 192);
	const struct
	{
		int inset;
		sRgba colour;
	} bands[] = {{0, {110, 70, 30, 255}}, {3, {150, 100, 50, 255}}};
	for (const auto& band : bands)
	{
		const int i = band.inset;
		image.FillRect(i, i, 256 - i, 8, band.colour);
		image.FillRect(i, 184, 256 - i, 192 - i, band.colour);
		image.FillRect(i, 8, 8, 184, band.colour);
		image.FillRect(248, 8, 256 - i, 184, band.colour);
	}
	return image;
}

// A 2 x 2 atlas of a round button (normal, hovered, pressed, disabled)
// with a mark drawn by inside.
cImage DrawButtonAtlas(const std::function<bool(float, float)>& mark)
{
	const int cell = 32;
	const sRgba faces[] = {{150, 100, 50, 255}, {190, 140, 70, 255}, {110, 70, 30, 255}, {110, 110, 110, 255}};
	cImage image(2 * cell, 2 * cell);
	for (int index = 0; index < 4; ++index)
	{
		const int left = (index % 2) * cell;
		const int top = (index / 2) * cell;
		image.FillShape(left, top, left + cell, top + cell,
			[&](float x, float y) {
				const float dx = x - left - cell / 2.0f;
				const float dy = y - top - cell / 2.0f;
				return dx * dx + dy * dy <= (cell / 2.0f - 1) * (cell / 2.0f - 1);
			},
			faces[index]);
		image.FillShape(left, top, left + cell, top + cell, [&](float x, float y) { return mark(x - left, y - top); },
			{250, 240, 210, 255});
	}
	return image;
}

// A cross for the close button.
bool Cross(float x, float y)
{
	const bool inside = x > 9 && x < 23 && y > 9 && y < 23;
	return inside && (std::fabs(x - y) < 2 || std::fabs(x + y - 32) < 2);
}

// Two arrowheads for the skip button.
bool Arrows(float x, float y)
{
	const float dy = std::fabs(y - 16);
	return (x > 8 && x < 16 && x - 8 < 8 - dy) || (x > 16 && x < 24 && x - 16 < 8 - dy);
}

cImage DrawSolid(const sRgba& colour)
{
	cImage image(8, 8);
	image.FillRect(0, 0, 8, 8, colour);
	return image;
}

// A board of 4 x 3 squares in two greens.
cImage DrawBoard()
{
	cImage image(128, 96);
	for (int row = 0; row < 3; ++row)
		for (int column = 0; column < 4; ++column)
			image.FillRect(column * 32, row * 32, column * 32 + 32, row * 32 + 32,
				(row + column) % 2 ? sRgba{40, 120, 60, 255} : sRgba{70, 170, 90, 255});
	return image;
}

// An eight-pointed golden star.
cImage DrawStar()
{
	const int size = 128;
	cImage image(size, size);
	image.FillShape(0, 0, size, size,
		[](float x, float y) {
			const float dx = x - size / 2.0f;
			const float dy = y - size / 2.0f;
			const float radius = std::sqrt(dx * dx + dy * dy);
			const float angle = std::atan2(dy, dx);
			return radius < (size / 2.0f - 2) * (0.55f + 0.45f * std::fabs(std::cos(4 * angle)));
		},
		{255, 210, 60, 255});
	return image;
}

// Scale keys add to the object's own scale of 1.

// The skip bar's "fill": its width from nothing to full.
std::string BarMotionBytes()
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddScale(-0.999f, 0, 0);
	writer.AddKeyTime(10).AddScale(0, 0, 0);
	return writer.GetBytes();
}

// The star: "appear" grows it in, "disappear" fades it out.
std::string StarMotionBytes()
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddScale(-0.8f, -0.8f, 0).AddColour(sColor(1, 1, 1, 1));
	writer.AddKeyTime(10).AddScale(0, 0, 0).AddColour(sColor(1, 1, 1, 1));
	writer.AddKeyTime(20).AddScale(0.2f, 0.2f, 0).AddColour(sColor(1, 1, 1, 0));
	return writer.GetBytes();
}

// The victory sound: a rising major arpeggio of plucked tones, 1.2 s, the
// same in both channels.
std::vector<std::vector<float>> ComposeVictory(long rate)
{
	const float notes[] = {523.25f, 659.25f, 783.99f, 1046.5f};
	const float noteSeconds = 0.15f;
	std::vector<float> samples(size_t(rate * 1.2f), 0.0f);
	for (size_t n = 0; n < 4; ++n)
	{
		const size_t start = size_t(n * noteSeconds * rate);
		for (size_t i = start; i < samples.size(); ++i)
		{
			const float t = float(i - start) / float(rate);
			samples[i] += 0.2f * std::exp(-3.0f * t) * std::sin(2 * 3.14159265f * notes[n] * t);
		}
	}
	return {samples, samples};
}

void AddClip(cXmlNode& object, const char* name, int first, int last, const std::string& seconds)
{
	AddXmlElement(object, "add_motion",
		{{"name", name}, {"first", std::to_string(first)}, {"last", std::to_string(last)}, {"length", seconds}});
}

bool WriteArt(cContentTree& tree)
{
	const std::vector<std::pair<const char*, cImage>> textures = {
		{"minigame_frame", DrawFrame()},
		{"minigame_close", DrawButtonAtlas(Cross)},
		{"minigame_skip", DrawButtonAtlas(Arrows)},
		{"minigame_bar", DrawSolid({230, 190, 60, 255})},
		{"minigame_board", DrawBoard()},
		{"minigame_star", DrawStar()},
	};
	if (!WriteMinigamePictures(tree, textures, kQuads))
		return false;
	const long rate = 44100;
	const std::string victory = cOggEncoder(2, rate, 0.3f).Encode(ComposeVictory(rate));
	return !victory.empty() && tree.WriteFile(std::string(kFolder) + "victory.ogg", victory) &&
		tree.WriteFile(std::string(kFolder) + "minigame_bar.motion", BarMotionBytes()) &&
		tree.WriteFile(std::string(kFolder) + "minigame_star.motion", StarMotionBytes());
}

bool WriteScenes(cContentTree& tree)
{
	cXmlNode list("resources");
	AddMinigameBorder(*AddXmlElement(list, "resource", {{"name", "border"}, {"type", "scene_resource"}}));

	cXmlNode* effect = AddXmlElement(list, "resource", {{"name", "minigame_effect"}, {"type", "scene_resource"}});
	cXmlNode* star =
		AddXmlElement(*effect, "geometry", {{"name", "star"}, {"model", "minigame_star"}, {"motion", "minigame_star"}});
	AddClip(*star, "appear", 0, 10, "0.8");
	AddClip(*star, "disappear", 10, 20, "0.4");

	cXmlNode* game = AddXmlElement(list, "resource", {{"name", "test_minigame"}, {"type", "scene_resource"}});
	AddXmlElement(*game, "geometry", {{"name", "board"}, {"model", "minigame_board"}});
	AddMinigameBorder(*game);
	return tree.WriteXml(std::string(kFolder) + "minigames.resource", list);
}
}

std::string MinigamePlace(float x, float y, float z)
{
	char text[80];
	std::snprintf(text, sizeof text, "1 0 0 0 1 0 0 0 1 %g %g %g", x, y, z);
	return text;
}

// The frame with its buttons, description and skip bar.
void AddMinigameBorder(cXmlNode& parent)
{
	cXmlNode* border = AddXmlElement(parent, "geometry", {{"name", "border"}, {"model", "minigame_frame"}});
	AddXmlElement(*border, "button", {{"name", "close"}, {"model", "minigame_close"}});
	AddXmlElement(*border, "button", {{"name", "skip"}, {"model", "minigame_skip"}});
	AddXmlElement(*border, "text",
		{{"name", "description"}, {"font_id", "0"}, {"local", At(kFrame.left + 40, kFrame.top - 16)}});
	cXmlNode* bar = AddXmlElement(*border, "geometry",
		{{"name", "skip_bar"}, {"model", "minigame_bar"}, {"motion", "minigame_bar"}, {"local", At(kBarLeft, kBarBottom)}});
	AddClip(*bar, "fill", 0, 10, kSkipBarSeconds);
}

bool WriteMinigamePictures(cContentTree& tree, const std::vector<std::pair<const char*, cImage>>& textures,
	const std::vector<sQuadArt>& quads)
{
	for (const auto& [name, image] : textures)
	{
		const std::string png = EncodePng(image);
		if (png.empty() || !tree.WriteFile(kFolder + std::string(name) + ".png", png))
			return false;
	}
	for (const sQuadArt& quad : quads)
		if (!tree.WriteFile(kFolder + std::string(quad.model) + ".model", QuadModelBytes(quad)))
			return false;
	return true;
}

bool WriteMinigameContent(cContentTree& tree)
{
	if (WriteArt(tree) && WriteScenes(tree))
		return true;
	std::fprintf(stderr, "cannot make the minigame content\n");
	return false;
}
