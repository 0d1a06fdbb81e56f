#include "DexterityArt.h"

#include "MinigameArt.h"
#include "cContentTree.h"
#include "cImage.h"

#include "engine/foundation/cXmlNode.h"
#include "engine/sound/cOggEncoder.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

const char* const kDexterityTexts[][2] = {
	{"fan", "Drag the red magnet to the golden key without touching a pipe"},
	{"fingers", "Put every finger on its mark."},
	{"glass", "Break the pane ring by ring, from the outside in"},
	{"key", "Drag the cloth over the dirt until the key is clean"},
};
const size_t kDexterityTextCount = sizeof kDexterityTexts / sizeof kDexterityTexts[0];

namespace
{
const char* const kFolder = "data/minigames/";
const float kPi = 3.14159265f;

// The playing field inside the frame, clear of its buttons.
const sRect kField{176, 184, 848, 572};

// The fan's pipes: two under the object "pipes" ("col_1", "col_2"), one
// of the window's own ("col_4").
const sRect kPipes[] = {{330, 184, 372, 450}, {490, 300, 532, 572}, {650, 184, 692, 450}};
const float kMagnetX = 240, kMagnetY = 380, kMagnetHalf = 28;
const sRect kFanKey{728, 480, 828, 530};

// The hand's finger outlines (index, middle, ring, little): where they
// belong and how long they are; the loose fingers lie below in another
// order.
struct sFinger
{
	float markX, length, looseX;
};
const sFinger kFingers[] = {{270, 120, 720}, {340, 140, 600}, {410, 128, 780}, {480, 96, 660}};
const float kFingerWidth = 44, kMarkBottom = 410, kLooseBottom = 260;

// The pane: nine square rings of 20 around its middle, the outer one 190 wide each way.
const float kPaneX = 512, kPaneY = 378, kPaneHalf = 190, kRingWidth = 20;

// The key and the dirt over it, in a row of square pieces.
const sRect kKeyShape{290, 330, 730, 440};
const int kDirtPieces = 7;
const float kDirtSize = 62, kDirtLeft = 295, kDirtBottom = 354;
const float kClothX = 250, kClothY = 250, kClothHalf = 42;
const sRect kLamp{770, 480, 830, 540};

const sRgba kSteel{70, 78, 90, 255};
const sRgba kGold{240, 200, 60, 255};
const sRgba kSkin{230, 185, 150, 255};
const sRgba kMark{220, 40, 40, 255};

sRgba Darker(const sRgba& colour, float factor)
{
	return {uint8_t(float(colour.r) * factor), uint8_t(float(colour.g) * factor), uint8_t(float(colour.b) * factor),
		colour.a};
}

bool InEllipse(float x, float y, float width, float height)
{
	const float dx = (x - width / 2) / (width / 2);
	const float dy = (y - height / 2) / (height / 2);
	return dx * dx + dy * dy <= 1;
}

cImage Filled(int width, int height, const std::function<bool(float, float)>& shape, const sRgba& colour)
{
	cImage image(width, height);
	image.FillShape(0, 0, width, height, shape, colour);
	return image;
}

cImage Solid(int width, int height, const sRgba& colour)
{
	return Filled(width, height, [](float, float) { return true; }, colour);
}

// A ventilation plate with slots.
cImage VentPlate()
{
	cImage image = Solid(336, 194, kSteel);
	for (int row = 12; row < 194; row += 24)
		image.FillRect(10, row, 326, row + 6, Darker(kSteel, 0.55f));
	return image;
}

// A pipe lit from the left.
cImage Pipe()
{
	cImage image(42, 8);
	for (int x = 0; x < 42; ++x)
		image.FillRect(x, 0, x + 1, 8, Darker({200, 200, 210, 255}, 0.5f + 0.5f * std::sin(kPi * float(x) / 42)));
	return image;
}

// A red horseshoe magnet with silver tips, open at the top.
cImage Magnet()
{
	cImage image = Filled(56, 56,
		[](float x, float y) {
			const float dx = x - 28, dy = y - 30;
			const float radius = std::sqrt(dx * dx + dy * dy);
			const bool arc = y >= 30 && radius > 10 && radius < 26;
			const bool legs = y < 30 && (std::fabs(x - 10) < 8 || std::fabs(x - 46) < 8);
			return arc || legs;
		},
		{210, 40, 40, 255});
	image.FillRect(2, 0, 18, 10, {220, 220, 225, 255});
	image.FillRect(38, 0, 54, 10, {220, 220, 225, 255});
	return image;
}

// A golden key lying on its side, bow to the left.
cImage Key(int width, int height)
{
	const float bow = float(height) / 2;
	cImage image = Filled(width, height,
		[=](float x, float y) {
			const float dx = x - bow, dy = y - bow;
			const bool ring = dx * dx + dy * dy <= bow * bow && dx * dx + dy * dy >= bow * bow / 5;
			const bool shaft = x > bow && std::fabs(y - bow) < float(height) / 9;
			const bool bit = x > float(width) * 0.8f && y > bow && y < float(height) * 0.85f && int(x) % 12 < 8;
			return ring || shaft || bit;
		},
		kGold);
	return image;
}

cImage Palm()
{
	cImage image = Solid(672, 388, {60, 45, 40, 255});
	// The palm below the marks, on the left; the loose fingers lie on the right.
	image.FillShape(0, 0, 672, 388, [](float x, float y) { return InEllipse(x - 64, y - 152, 300, 190); }, kSkin);
	return image;
}

cImage Finger(float length)
{
	cImage image = Filled(44, int(length), [=](float x, float y) { return InEllipse(x, y, 44, length); }, kSkin);
	image.FillShape(0, 0, 44, 30, [](float x, float y) { return InEllipse(x - 10, y - 4, 24, 22); }, {250, 225, 215, 255});
	return image;
}

// A red outline of a finger.
cImage FingerMark(float length)
{
	return Filled(44, int(length),
		[=](float x, float y) { return InEllipse(x, y, 44, length) && !InEllipse(x - 5, y - 5, 34, length - 10); },
		kMark);
}

// Bluish glass with a highlight streak.
cImage Glass()
{
	cImage image = Solid(32, 32, {150, 200, 230, 200});
	for (int i = 0; i < 32; ++i)
		image.FillRect(i, 31 - i, i + 2, 32 - i, {235, 245, 255, 230});
	return image;
}

// A brown smudge.
cImage Dirt()
{
	cImage image = Solid(32, 32, {95, 70, 40, 255});
	for (int spot = 0; spot < 8; ++spot)
		image.FillShape(0, 0, 32, 32,
			[=](float x, float y) { return InEllipse(x - float(spot * 7 % 24), y - float(spot * 11 % 24), 9, 9); },
			{60, 45, 25, 255});
	return image;
}

// A folded cloth with stitched edges.
cImage Cloth()
{
	cImage image = Solid(84, 84, {235, 235, 245, 255});
	for (int edge = 4; edge < 80; edge += 6)
	{
		image.FillRect(edge, 4, edge + 3, 6, {120, 140, 200, 255});
		image.FillRect(edge, 78, edge + 3, 80, {120, 140, 200, 255});
	}
	return image;
}

cImage Lamp()
{
	return Filled(60, 60, [](float x, float y) { return InEllipse(x, y, 60, 60); }, {90, 240, 90, 255});
}

sQuadArt Quad(const char* model, const sRect& rect, const char* texture)
{
	return {model, rect, texture, 1, 1};
}

sRect Around(float half)
{
	return {-half, -half, half, half};
}

sRect MarkRect(const sFinger& finger)
{
	return {finger.markX, kMarkBottom, finger.markX + kFingerWidth, kMarkBottom + finger.length};
}

sRect LooseRect(const sFinger& finger)
{
	return {finger.looseX, kLooseBottom, finger.looseX + kFingerWidth, kLooseBottom + finger.length};
}

// The four strips of ring (0 outermost): top, bottom, left, right.
std::vector<sRect> RingStrips(int ring)
{
	const float outer = kPaneHalf - float(ring) * kRingWidth;
	const float inner = outer - kRingWidth;
	return {{kPaneX - outer, kPaneY + inner, kPaneX + outer, kPaneY + outer},
		{kPaneX - outer, kPaneY - outer, kPaneX + outer, kPaneY - inner},
		{kPaneX - outer, kPaneY - inner, kPaneX - inner, kPaneY + inner},
		{kPaneX + inner, kPaneY - inner, kPaneX + outer, kPaneY + inner}};
}

sRect DirtRect(int piece)
{
	const float left = kDirtLeft + float(piece) * kDirtSize;
	return {left, kDirtBottom, left + kDirtSize, kDirtBottom + kDirtSize};
}

std::string Numbered(const char* stem, int index)
{
	return stem + std::to_string(index);
}

bool WriteArt(cContentTree& tree)
{
	// The model names must outlive the quads that point at them.
	std::vector<std::string> names;
	for (int finger = 1; finger <= 4; ++finger)
		for (const char* stem : {"fingers_finger_", "fingers_mark_"})
			names.push_back(Numbered(stem, finger));
	for (int ring = 1; ring <= 9; ++ring)
		for (int strip = 1; strip <= 4; ++strip)
			names.push_back("glass_piece_" + std::to_string(ring) + "_" + std::to_string(strip));
	for (int piece = 1; piece <= kDirtPieces; ++piece)
		names.push_back(Numbered("key_dirt_", piece));
	for (int pipe = 1; pipe <= 3; ++pipe)
		names.push_back(Numbered("fan_pipe_", pipe));

	std::vector<std::pair<const char*, cImage>> textures = {
		{"fan_plate", VentPlate()}, {"fan_pipe", Pipe()}, {"fan_magnet", Magnet()}, {"dexterity_key", Key(140, 70)},
		{"key_long", Key(280, 70)},
		{"fingers_palm", Palm()}, {"glass_pane", Glass()}, {"glass_room", Solid(8, 8, {40, 35, 50, 255})},
		{"key_table", Solid(8, 8, {110, 80, 55, 255})}, {"key_dirt", Dirt()}, {"key_cloth", Cloth()},
		{"key_lamp", Lamp()},
	};
	std::vector<sQuadArt> quads = {
		Quad("fan_plate", kField, "fan_plate"), Quad("fan_magnet", Around(kMagnetHalf), "fan_magnet"),
		Quad("fan_key", kFanKey, "dexterity_key"), Quad("fingers_palm", kField, "fingers_palm"),
		Quad("glass_room", kField, "glass_room"),
		Quad("glass_key", {kPaneX - 70, kPaneY - 35, kPaneX + 70, kPaneY + 35}, "dexterity_key"),
		Quad("key_table", kField, "key_table"), Quad("key_clean", kKeyShape, "key_long"),
		Quad("key_cloth", Around(kClothHalf), "key_cloth"), Quad("key_lamp", kLamp, "key_lamp"),
	};
	size_t name = 0;
	for (int finger = 0; finger < 4; ++finger)
	{
		const std::string loose = "fingers_finger_" + std::to_string(finger + 1);
		const std::string mark = "fingers_mark_" + std::to_string(finger + 1);
		textures.emplace_back(names[name].c_str(), Finger(kFingers[finger].length));
		quads.push_back(Quad(names[name].c_str(), LooseRect(kFingers[finger]), names[name].c_str()));
		++name;
		textures.emplace_back(names[name].c_str(), FingerMark(kFingers[finger].length));
		quads.push_back(Quad(names[name].c_str(), MarkRect(kFingers[finger]), names[name].c_str()));
		++name;
	}
	for (int ring = 0; ring < 9; ++ring)
		for (const sRect& strip : RingStrips(ring))
			quads.push_back(Quad(names[name++].c_str(), strip, "glass_pane"));
	for (int piece = 0; piece < kDirtPieces; ++piece)
		quads.push_back(Quad(names[name++].c_str(), DirtRect(piece), "key_dirt"));
	for (const sRect& pipe : kPipes)
		quads.push_back(Quad(names[name++].c_str(), pipe, "fan_pipe"));
	return WriteMinigamePictures(tree, textures, quads);
}

// A sound from a sample function of the time, the same in both channels.
std::string Sound(float seconds, const std::function<float(float, uint32_t&)>& sample)
{
	const long rate = 44100;
	std::vector<float> samples(size_t(seconds * float(rate)));
	uint32_t seed = 5;
	for (size_t i = 0; i < samples.size(); ++i)
		samples[i] = sample(float(i) / float(rate), seed);
	return cOggEncoder(2, rate, 0.3f).Encode({samples, samples});
}

// Noise from -1 to 1.
float Noise(uint32_t& seed)
{
	seed = seed * 1664525u + 1013904223u;
	return float(seed >> 8) / float(1u << 23) - 1;
}

// "error" is the platens' and "bip" the keypads'; each is written with them.
bool WriteSounds(cContentTree& tree)
{
	float low = 0;
	const std::pair<const char*, std::string> sounds[] = {
		// A steady hum of air that loops without a seam.
		{"vents", Sound(2, [&](float t, uint32_t& seed) {
			 low += (Noise(seed) - low) * 0.05f;
			 return 0.5f * low + 0.1f * std::sin(2 * kPi * 100 * t);
		 })},
		{"glass_crash", Sound(0.8f, [](float t, uint32_t& seed) {
			 const float tinkle = std::sin(2 * kPi * 3100 * t) + std::sin(2 * kPi * 4700 * t);
			 return std::exp(-6 * t) * (0.45f * Noise(seed) + 0.12f * tinkle);
		 })},
		{"cloth_rub", Sound(0.6f, [&](float t, uint32_t& seed) {
			 low += (Noise(seed) - low) * 0.3f;
			 return 0.4f * low * (0.6f + 0.4f * std::sin(2 * kPi * 8 * t));
		 })},
	};
	for (const auto& [name, ogg] : sounds)
		if (ogg.empty() || !tree.WriteFile(kFolder + std::string(name) + ".ogg", ogg))
			return false;
	return true;
}

cXmlNode* Piece(cXmlNode& parent, const std::string& name, const std::string& model,
	std::initializer_list<std::pair<const char*, std::string>> more = {})
{
	cXmlNode* piece = AddXmlElement(parent, "geometry", {{"name", name}, {"model", model}});
	for (const auto& [attribute, value] : more)
		piece->AddAttribute(attribute)->SetValue(value);
	return piece;
}

// A clip of the platens' and tube's fade (clear, shown, clear: keys 0 to 20).
void FadeClip(cXmlNode& piece, const std::string& name, bool out, float seconds)
{
	char length[16];
	std::snprintf(length, sizeof length, "%g", seconds);
	AddXmlElement(piece, "add_motion",
		{{"name", name}, {"first", out ? "10" : "0"}, {"last", out ? "20" : "10"}, {"length", length}});
}

cXmlNode* Scene(cXmlNode& list, const char* name)
{
	return AddXmlElement(list, "resource", {{"name", name}, {"type", "scene_resource"}});
}

// The vent plate as the field, the pipes, the key, and the magnet in front.
void AddFan(cXmlNode& list)
{
	cXmlNode* scene = Scene(list, "fan");
	Piece(*scene, "back", "fan_plate", {{"local", MinigamePlace(0, 0, 10)}});
	cXmlNode* pipes = AddXmlElement(*scene, "object", {{"name", "pipes"}});
	Piece(*pipes, "col_1", "fan_pipe_1");
	Piece(*pipes, "col_2", "fan_pipe_2");
	Piece(*scene, "col_4", "fan_pipe_3");
	FadeClip(*Piece(*scene, "key_parent", "fan_key", {{"motion", "puzzle_fade"}}), "key", true, 1.0f);
	Piece(*scene, "magnit", "fan_magnet", {{"local", MinigamePlace(kMagnetX, kMagnetY, -2)}});
	AddMinigameBorder(*scene);
}

// The hand with its marks, dim until a finger is placed, and the loose fingers.
void AddFingers(cXmlNode& list)
{
	cXmlNode* scene = Scene(list, "fingers");
	Piece(*scene, "background", "fingers_palm", {{"local", MinigamePlace(0, 0, 10)}});
	for (int finger = 1; finger <= 4; ++finger)
	{
		cXmlNode* mark = Piece(*scene, Numbered("red_", finger), Numbered("fingers_mark_", finger),
			{{"motion", "platens_lamp"}, {"color", "1 0.6 0.6 0.6"}});
		AddXmlElement(*mark, "add_motion", {{"name", "fadeon"}, {"first", "0"}, {"last", "10"}, {"length", "0.4"}});
	}
	for (int finger = 1; finger <= 4; ++finger)
		Piece(*scene, Numbered("finger_d", finger), Numbered("fingers_finger_", finger),
			{{"local", MinigamePlace(0, 0, -2)}});
	AddMinigameBorder(*scene);
}

// The key behind the pane; each ring's strips fade out when it breaks.
void AddGlass(cXmlNode& list)
{
	cXmlNode* scene = Scene(list, "glass");
	Piece(*scene, "room", "glass_room", {{"local", MinigamePlace(0, 0, 10)}});
	Piece(*scene, "prize", "glass_key", {{"local", MinigamePlace(0, 0, 5)}});
	for (int ring = 1; ring <= 9; ++ring)
		for (int strip = 1; strip <= 4; ++strip)
		{
			const std::string suffix = std::to_string(ring) + "_" + std::to_string(strip);
			FadeClip(*Piece(*scene, "glass_" + suffix, "glass_piece_" + suffix,
						 {{"motion", "puzzle_fade"}, {"ring", std::to_string(ring)}}),
				"brake" + std::to_string(ring), true, 0.35f);
		}
	AddMinigameBorder(*scene);
}

// The clean key under its dirt, the lamp that lights with the cleanness,
// and the cloth in front.
void AddKey(cXmlNode& list)
{
	cXmlNode* scene = Scene(list, "key");
	Piece(*scene, "background", "key_table", {{"local", MinigamePlace(0, 0, 10)}});
	Piece(*scene, "clean_key", "key_clean", {{"local", MinigamePlace(0, 0, 5)}});
	FadeClip(*Piece(*scene, "indicator", "key_lamp", {{"motion", "puzzle_fade"}, {"color", "0 1 1 1"}}), "fill_ind",
		false, 1.0f);
	for (int piece = 1; piece <= kDirtPieces; ++piece)
		Piece(*scene, Numbered("dirt_part_", piece), Numbered("key_dirt_", piece), {{"key", "true"}});
	Piece(*scene, "platok", "key_cloth", {{"local", MinigamePlace(kClothX, kClothY, -2)}});
	AddMinigameBorder(*scene);
}

bool WriteScenes(cContentTree& tree)
{
	cXmlNode list("resources");
	AddFan(list);
	AddFingers(list);
	AddGlass(list);
	AddKey(list);
	return tree.WriteXml(std::string(kFolder) + "dexterity.resource", list);
}
}

bool WriteDexterityContent(cContentTree& tree)
{
	if (WriteArt(tree) && WriteSounds(tree) && WriteScenes(tree))
		return true;
	std::fprintf(stderr, "cannot make the fan, fingers, glass and key minigames\n");
	return false;
}
