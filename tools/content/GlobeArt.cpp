#include "GlobeArt.h"

#include "MinigameArt.h"
#include "cContentTree.h"
#include "cImage.h"
#include "cLabelPainter.h"

#include "engine/foundation/cXmlNode.h"
#include "engine/scene/cMotionWriter.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

namespace
{
const char* const kFolder = "data/minigames/";
constexpr float kPi = 3.14159265f;

// The room behind the globe fills the frame, so that its box clips nothing
// of the frame.
const sRect kRoom{160, 114, 864, 654};
constexpr float kGlobeX = 430, kGlobeY = 390;
constexpr float kBaseRadius = 215, kTopRadius = 200;
// The ruler slides from its top place down by the travel over 2 s.
constexpr float kRulerY = 600, kRulerTravel = 420;
constexpr float kRulerHalfWidth = 240, kRulerHalfHeight = 13;
constexpr float kTagHalfWidth = 50, kTagHalfHeight = 15;
constexpr float kSignX = 752;
const float kSignY[4] = {540, 470, 400, 330};

const sRgba kInk{40, 25, 10, 255};
const sRgba kPaper{245, 235, 210, 255};
const sRgba kBrass{190, 150, 60, 255};

// The animals on the globe's top, in the minigame's order: the scene name,
// the label, the tag's colour, and the place as distance and angle.
const struct
{
	const char* name;
	const char* label;
	sRgba colour;
	float radius;
	float degrees;
} kAnimals[8] = {
	{"withe_house", "White House", {250, 250, 250, 255}, 120, 0},
	{"eagle", "Eagle", {200, 160, 110, 255}, 70, 60},
	{"octopus", "Octopus", {240, 140, 190, 255}, 140, 110},
	{"alifant", "Elephant", {180, 180, 200, 255}, 80, 170},
	{"bear", "Bear", {170, 120, 80, 255}, 145, 215},
	{"tiger", "Tiger", {250, 170, 50, 255}, 60, 265},
	{"camel", "Camel", {230, 200, 130, 255}, 135, 300},
	{"shark", "Shark", {140, 190, 230, 255}, 150, 330},
};
const struct
{
	const char* name;
	const char* picture;
	const char* text;
} kSigns[4] = {{"table_sprut", "globe_sign_octopus", "Next: Octopus"},
	{"table_alifant", "globe_sign_elephant", "Next: Elephant"}, {"table_tiger", "globe_sign_tiger", "Next: Tiger"},
	{"table_shark", "globe_sign_shark", "Next: Shark"}};

void Disc(cImage& image, float cx, float cy, float radius, const sRgba& colour)
{
	image.FillShape(int(cx - radius) - 1, int(cy - radius) - 1, int(cx + radius) + 2, int(cy + radius) + 2,
		[=](float x, float y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius; }, colour);
}

void Ring(cImage& image, float cx, float cy, float inner, float outer, const sRgba& colour)
{
	image.FillShape(int(cx - outer) - 1, int(cy - outer) - 1, int(cx + outer) + 2, int(cy + outer) + 2,
		[=](float x, float y) {
			const float d = std::hypot(x - cx, y - cy);
			return d >= inner && d <= outer;
		},
		colour);
}

// A plate with a dark rim and its lines of text, 20 pixels apart.
cImage Plate(const cLabelPainter& labels, std::initializer_list<const char*> lines, int width, int height,
	const sRgba& colour)
{
	cImage image(width, height);
	image.FillRect(0, 0, width, height, kInk);
	image.FillRect(2, 2, width - 2, height - 2, colour);
	int baseline = height / 2 + 5 - 10 * int(lines.size() - 1);
	for (const char* line : lines)
	{
		labels.Paint(image, line, width / 2, baseline, kInk);
		baseline += 20;
	}
	return image;
}

// The wooden wall, the stand's brass ring around the globe and its foot,
// and the hint where to begin.
cImage DrawRoom(const cLabelPainter& labels)
{
	const int width = int(kRoom.right - kRoom.left), height = int(kRoom.top - kRoom.bottom);
	cImage image(width, height);
	image.FillRect(0, 0, width, height, {70, 45, 30, 255});
	for (int plank = 0; plank < height; plank += 36)
		image.FillRect(0, plank, width, plank + 2, {55, 35, 22, 255});
	const float cx = kGlobeX - kRoom.left, cy = kRoom.top - kGlobeY;
	image.FillRect(int(cx) - 18, int(cy + kBaseRadius), int(cx) + 18, height, {120, 90, 40, 255});
	Ring(image, cx, cy, kBaseRadius + 2, kBaseRadius + 14, kBrass);
	// Below the signs, the animal to begin with.
	const cImage plate = Plate(labels, {"Pin first:", "White House"}, 170, 50, kPaper);
	const int left = int(kSignX - kRoom.left) - 85, top = int(kRoom.top - kSignY[3]) + 45;
	for (int y = 0; y < plate.GetHeight(); ++y)
		for (int x = 0; x < plate.GetWidth(); ++x)
		{
			const uint8_t* p = &plate.GetPixels()[size_t((y * plate.GetWidth() + x) * 4)];
			image.Blend(left + x, top + y, {p[0], p[1], p[2], p[3]});
		}
	return image;
}

// The globe's lower half: brass rim, dark inside and the golden key that
// shows when the top is lifted.
cImage DrawBase()
{
	const int size = int(2 * kBaseRadius);
	const float c = kBaseRadius;
	cImage image(size, size);
	Disc(image, c, c, c, {150, 115, 45, 255});
	Disc(image, c, c, c - 12, {35, 25, 20, 255});
	const sRgba gold{250, 210, 60, 255};
	Ring(image, c - 50, c, 18, 30, gold);
	image.FillRect(int(c - 22), int(c - 7), int(c + 70), int(c + 7), gold);
	image.FillRect(int(c + 40), int(c + 7), int(c + 50), int(c + 25), gold);
	image.FillRect(int(c + 58), int(c + 7), int(c + 68), int(c + 30), gold);
	return image;
}

// The northern half seen from above: sea, land, circles of latitude and
// meridians, and the drag hint along its edge.
cImage DrawTop(const cLabelPainter& labels)
{
	const int size = int(2 * kTopRadius);
	const float c = kTopRadius;
	cImage image(size, size);
	Disc(image, c, c, c, {40, 90, 160, 255});
	const sRgba land{90, 150, 80, 255};
	Disc(image, c + 60, c - 70, 55, land);
	Disc(image, c - 80, c + 40, 65, land);
	Disc(image, c + 30, c + 100, 45, land);
	Disc(image, c - 20, c - 130, 35, land);
	for (float radius : {60.0f, 120.0f, 175.0f})
		Ring(image, c, c, radius - 1, radius + 1, {200, 220, 240, 140});
	for (int meridian = 0; meridian < 12; ++meridian)
	{
		const float angle = float(meridian) * kPi / 6;
		image.FillShape(0, 0, size, size,
			[=](float x, float y) {
				const float along = (x - c) * std::cos(angle) + (y - c) * std::sin(angle);
				const float across = -(x - c) * std::sin(angle) + (y - c) * std::cos(angle);
				return along > 0 && along < c - 4 && std::fabs(across) < 1;
			},
			{200, 220, 240, 120});
	}
	Ring(image, c, c, c - 5, c, {20, 40, 80, 255});
	labels.Paint(image, "< drag to turn >", int(c), int(2 * c - 12), {255, 255, 255, 255});
	return image;
}

// A brass ruler with ticks and its hints either side of the nail.
cImage DrawRuler(const cLabelPainter& labels)
{
	const int width = int(2 * kRulerHalfWidth), height = int(2 * kRulerHalfHeight);
	cImage image(width, height);
	image.FillRect(0, 0, width, height, {120, 90, 30, 255});
	image.FillRect(2, 2, width - 2, height - 2, kBrass);
	for (int tick = 10; tick < width; tick += 20)
		image.FillRect(tick, 2, tick + 1, tick % 100 == 10 ? 12 : 7, kInk);
	labels.Paint(image, "drag up / down", width / 4, height / 2 + 8, kInk);
	labels.Paint(image, "click the nail", 3 * width / 4, height / 2 + 8, kInk);
	return image;
}

cImage DrawNail()
{
	cImage image(24, 24);
	Disc(image, 12, 12, 11, {60, 60, 70, 255});
	Disc(image, 12, 12, 9, {170, 170, 185, 255});
	Disc(image, 9, 9, 3, {245, 245, 255, 255});
	return image;
}

// The head, seen from above in front of the ruler, and the shank reaching
// back into the globe (edge on, so it is not seen).
std::string NailModel()
{
	const float h = 12, front = -30, back = 30;
	return MeshModelBytes("globe_nail",
		{{-h, h, front, 0, 0}, {h, h, front, 1, 0}, {h, -h, front, 1, 1}, {-h, -h, front, 0, 1}, {-1, 0, back, 0.5f, 0.5f},
			{1, 0, back, 0.5f, 0.5f}, {0, 0, front, 0.5f, 0.5f}},
		{0, 1, 2, 0, 2, 3, 4, 5, 6}, "globe_nail");
}

// Quarter turns counter-clockwise, ten key times apart.
std::string TurnMotion()
{
	cMotionWriter writer;
	for (int quarter = 0; quarter <= 4; ++quarter)
	{
		const float half = float(quarter) * kPi / 4;
		writer.AddKeyTime(float(quarter * 10)).AddRotation(cQuaternion(0, 0, std::sin(half), std::cos(half)));
	}
	return writer.GetBytes();
}

std::string RulerMotion()
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddPosition(0, 0, 0);
	writer.AddKeyTime(10).AddPosition(0, -kRulerTravel, 0);
	return writer.GetBytes();
}

// Transparent (key 0), shown (key 10), transparent again (key 20).
std::string FadeMotion()
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddColour(sColor(1, 1, 1, 0));
	writer.AddKeyTime(10).AddColour(sColor(1, 1, 1, 1));
	writer.AddKeyTime(20).AddColour(sColor(1, 1, 1, 0));
	return writer.GetBytes();
}

// The head as it is (key 0), driven in (key 10), out again (key 20).
std::string NailMotion()
{
	cMotionWriter writer;
	for (int key = 0; key <= 2; ++key)
	{
		const float in = key == 1 ? 1.0f : 0.0f;
		writer.AddKeyTime(float(key * 10)).AddPosition(0, 0, 0).AddScale(-0.35f * in, -0.35f * in, 0);
	}
	return writer.GetBytes();
}

bool WriteArt(cContentTree& tree, const cLabelPainter& labels, const cLabelPainter& tagLabels)
{
	std::vector<std::string> names;
	for (const auto& animal : kAnimals)
		names.push_back(std::string("globe_animal_") + animal.name);
	std::vector<std::pair<const char*, cImage>> textures = {{"globe_room", DrawRoom(labels)}, {"globe_base", DrawBase()},
		{"globe_top", DrawTop(labels)}, {"globe_ruler", DrawRuler(tagLabels)}, {"globe_nail", DrawNail()}};
	std::vector<sQuadArt> quads = {{"globe_room", kRoom, "globe_room", 1, 1},
		{"globe_base", {-kBaseRadius, -kBaseRadius, kBaseRadius, kBaseRadius}, "globe_base", 1, 1},
		{"globe_top", {-kTopRadius, -kTopRadius, kTopRadius, kTopRadius}, "globe_top", 1, 1},
		{"globe_ruler", {-kRulerHalfWidth, -kRulerHalfHeight, kRulerHalfWidth, kRulerHalfHeight}, "globe_ruler", 1, 1}};
	for (size_t animal = 0; animal < names.size(); ++animal)
	{
		textures.emplace_back(names[animal].c_str(), Plate(tagLabels, {kAnimals[animal].label}, int(2 * kTagHalfWidth),
														 int(2 * kTagHalfHeight), kAnimals[animal].colour));
		quads.push_back({names[animal].c_str(), {-kTagHalfWidth, -kTagHalfHeight, kTagHalfWidth, kTagHalfHeight},
			names[animal].c_str(), 1, 1});
	}
	for (const auto& sign : kSigns)
	{
		textures.emplace_back(sign.picture, Plate(labels, {sign.text}, 170, 50, kPaper));
		quads.push_back({sign.picture, {-85, -25, 85, 25}, sign.picture, 1, 1});
	}
	// Its sound "roll" is the code wheels'.
	return WriteMinigamePictures(tree, textures, quads) &&
		tree.WriteFile(std::string(kFolder) + "globe_nail.model", NailModel()) &&
		tree.WriteFile(std::string(kFolder) + "globe_turn.motion", TurnMotion()) &&
		tree.WriteFile(std::string(kFolder) + "globe_ruler.motion", RulerMotion()) &&
		tree.WriteFile(std::string(kFolder) + "globe_fade.motion", FadeMotion()) &&
		tree.WriteFile(std::string(kFolder) + "globe_nail.motion", NailMotion());
}

void AddClip(cXmlNode& piece, const char* name, int first, int last, const char* seconds)
{
	AddXmlElement(piece, "add_motion",
		{{"name", name}, {"first", std::to_string(first)}, {"last", std::to_string(last)}, {"length", seconds}});
}

cXmlNode* AddPiece(cXmlNode& parent, const std::string& name, const std::string& model, const char* motion, float x,
	float y, float z)
{
	return AddXmlElement(parent, "geometry", {{"name", name}, {"model", model}, {"motion", motion}, {"local", MinigamePlace(x, y, z)}});
}

bool WriteScene(cContentTree& tree)
{
	cXmlNode list("resources");
	cXmlNode* scene = AddXmlElement(list, "resource", {{"name", "globe"}, {"type", "scene_resource"}});
	AddXmlElement(*scene, "geometry", {{"name", "background"}, {"model", "globe_room"}, {"local", MinigamePlace(0, 0, 10)}});
	cXmlNode* stand = AddXmlElement(*scene, "object", {{"name", "glob_stoika"}});
	cXmlNode* globe = AddPiece(*stand, "south_bottom", "globe_base", "globe_turn", kGlobeX, kGlobeY, 0);
	AddClip(*globe, "globroot1", 0, 40, "2");
	cXmlNode* top = AddPiece(*globe, "sever_top", "globe_top", "globe_fade", 0, 0, -1);
	AddClip(*top, "start", 10, 10, "0");
	AddClip(*top, "globopen", 10, 20, "1");
	for (const auto& animal : kAnimals)
	{
		const float angle = animal.degrees * kPi / 180;
		AddXmlElement(*top, "geometry",
			{{"name", animal.name}, {"model", std::string("globe_animal_") + animal.name},
				{"local", MinigamePlace(animal.radius * std::cos(angle), animal.radius * std::sin(angle), -1)}});
	}
	cXmlNode* ruler = AddPiece(*stand, "ruller", "globe_ruler", "globe_ruler", kGlobeX, kRulerY, -20);
	ruler->AddAttribute("sort")->SetValue("2");
	AddClip(*ruler, "rule_on", 0, 10, "2");
	cXmlNode* nail = AddPiece(*ruler, "nail", "globe_nail", "globe_nail", 0, 0, 0);
	nail->AddAttribute("sort")->SetValue("2");
	AddClip(*nail, "start", 0, 0, "0");
	AddClip(*nail, "nail_miss", 0, 20, "0.4");
	AddClip(*nail, "nail_hit", 0, 10, "0.3");
	for (int sign = 0; sign < 4; ++sign)
	{
		cXmlNode* plate = AddPiece(*scene, kSigns[sign].name, kSigns[sign].picture, "globe_fade", kSignX, kSignY[sign], -2);
		AddClip(*plate, "start", 0, 0, "0");
		AddClip(*plate, "fade_on", 0, 10, "0.5");
		AddClip(*plate, "fade_off", 10, 20, "0.5");
	}
	AddMinigameBorder(*scene);
	return tree.WriteXml(std::string(kFolder) + "globe.resource", list);
}
}

bool WriteGlobeContent(cContentTree& tree, const std::string& fontFolder)
{
	cLabelPainter labels, tagLabels;
	if (labels.Open(fontFolder, 18) && tagLabels.Open(fontFolder, 14) && WriteArt(tree, labels, tagLabels) &&
		WriteScene(tree))
		return true;
	std::fprintf(stderr, "cannot make the globe minigame\n");
	return false;
}
