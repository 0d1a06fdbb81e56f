#include "PuzzleArt.h"

#include "MinigameArt.h"
#include "PngFile.h"
#include "cContentTree.h"
#include "cImage.h"
#include "cLabelPainter.h"

#include "engine/foundation/cXmlNode.h"
#include "engine/scene/cMotionWriter.h"
#include "engine/sound/cOggEncoder.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

const char* const kPuzzleTexts[][2] = {
	{"platens", "Listen to the rollers, then click them in the same order. Five melodies light the five green lamps."},
	{"tube", "Press the flute's valves in the hidden order. A wrong valve lets them all spring back."},
	{"hammer", "Hold the left button to raise the hammer, let go while the needle is in the green. Seven good strikes."},
	{"wire", "Click three times to cut the wire."},
	{"statue", "Touch the five feathers, then the head, then both arms."},
};
const size_t kPuzzleTextCount = sizeof kPuzzleTexts / sizeof kPuzzleTexts[0];

namespace
{
const char* const kFolder = "data/minigames/";
constexpr float kPi = 3.14159265f;
// Inside the common frame, above its skip bar, on the 1024 by 768 screen
// with y up.
const sRect kBoard{188, 182, 836, 600};

const sRgba kInk{40, 25, 10, 255};
const sRgba kPaper{245, 235, 210, 255};

sRgba Shade(const sRgba& colour, float factor)
{
	auto channel = [factor](uint8_t value) { return uint8_t(std::fmin(255.0f, float(value) * factor)); };
	return {channel(colour.r), channel(colour.g), channel(colour.b), colour.a};
}

void Disc(cImage& image, float centreX, float centreY, float radius, const sRgba& colour)
{
	image.FillShape(int(centreX - radius) - 1, int(centreY - radius) - 1, int(centreX + radius) + 2,
		int(centreY + radius) + 2,
		[&](float x, float y) { return (x - centreX) * (x - centreX) + (y - centreY) * (y - centreY) <= radius * radius; },
		colour);
}

// A plate with a lighter rim.
cImage Plate(int width, int height, const sRgba& colour)
{
	cImage image(width, height);
	image.FillRect(0, 0, width, height, Shade(colour, 1.4f));
	image.FillRect(3, 3, width - 3, height - 3, colour);
	return image;
}

// A plate with a line of text in the middle.
cImage Caption(const cLabelPainter& labels, const std::string& text, int width, int height)
{
	cImage image = Plate(width, height, kPaper);
	labels.Paint(image, text, width / 2, height / 2 + 7, kInk);
	return image;
}

// A lamp: a coloured glass disc with a highlight.
cImage Lamp(const sRgba& glass)
{
	cImage image(48, 48);
	Disc(image, 24, 24, 23, {60, 60, 60, 255});
	Disc(image, 24, 24, 19, glass);
	Disc(image, 17, 17, 6, {255, 255, 255, 160});
	return image;
}

// A wooden roller with grooves, its note's colour band and number.
cImage Roller(const cLabelPainter& labels, int note)
{
	const sRgba bands[] = {{220, 60, 60, 255}, {230, 150, 40, 255}, {230, 220, 60, 255}, {70, 180, 80, 255},
		{60, 120, 220, 255}, {150, 80, 200, 255}};
	cImage image(80, 230);
	for (int x = 0; x < 80; ++x)
	{
		// Lit from the left like a cylinder.
		const float light = 0.55f + 0.6f * std::sin(kPi * (float(x) + 10) / 100);
		image.FillRect(x, 0, x + 1, 230, Shade({170, 110, 60, 255}, light));
	}
	for (int groove = 20; groove < 230; groove += 30)
		image.FillRect(0, groove, 80, groove + 3, {90, 55, 25, 255});
	image.FillRect(0, 95, 80, 140, bands[note]);
	labels.Paint(image, std::to_string(note + 1), 40, 130, kPaper);
	return image;
}

// A brass valve key with its number; pressed, it sits lower and darker.
cImage Valve(const cLabelPainter& labels, int number, bool pressed)
{
	cImage image(70, 70);
	const sRgba brass = pressed ? sRgba{150, 110, 40, 255} : sRgba{230, 190, 80, 255};
	Disc(image, 35, pressed ? 40 : 32, 30, Shade(brass, 0.7f));
	Disc(image, 35, pressed ? 40 : 30, 26, brass);
	labels.Paint(image, std::to_string(number), 35, pressed ? 49 : 39, kInk);
	return image;
}

cImage Flute()
{
	cImage image(610, 60);
	for (int y = 0; y < 60; ++y)
		image.FillRect(0, y, 610, y + 1, Shade({190, 190, 200, 255}, 0.6f + 0.6f * std::sin(kPi * float(y) / 60)));
	for (int hole = 0; hole < 5; ++hole)
		Disc(image, 95 + hole * 110.0f, 30, 9, {30, 30, 35, 255});
	return image;
}

// A golden key lying on its side.
cImage Key()
{
	cImage image(100, 110);
	const sRgba gold{240, 200, 60, 255};
	Disc(image, 30, 55, 26, gold);
	Disc(image, 30, 55, 12, {0, 0, 0, 0});
	image.FillRect(50, 49, 98, 61, gold);
	image.FillRect(78, 61, 86, 78, gold);
	image.FillRect(90, 61, 98, 74, gold);
	return image;
}

bool Ellipse(float x, float y, float width, float height)
{
	const float dx = (x - width / 2) / (width / 2);
	const float dy = (y - height / 2) / (height / 2);
	return dx * dx + dy * dy <= 1;
}

// A boulder of grey speckled stone.
cImage Stone()
{
	cImage image(320, 210);
	auto boulder = [](float x, float y) { return Ellipse(x, y, 320, 210); };
	image.FillShape(0, 0, 320, 210, boulder, {130, 125, 120, 255});
	uint32_t seed = 7;
	for (int speck = 0; speck < 400; ++speck)
	{
		seed = seed * 1664525u + 1013904223u;
		const int x = int(seed >> 8) % 320;
		const int y = int(seed >> 20) % 210;
		if (boulder(float(x), float(y)))
			image.FillRect(x, y, x + 3, y + 3, {90, 88, 85, 200});
	}
	return image;
}

// The stone's cracks after the n-th good strike: n jagged lines from the top.
cImage Cracks(int count)
{
	cImage image(320, 210);
	for (int line = 0; line < count; ++line)
	{
		float x = 160 + float((line * 37) % 120 - 60);
		for (int y = 15; y < 60 + line * 20; y += 4)
		{
			x += float(((y + line * 13) % 11) - 5) * 0.8f;
			image.FillRect(int(x), y, int(x) + 3, y + 4, {30, 25, 20, 255});
		}
	}
	return image;
}

// The hammer: an iron head on a wooden handle.
cImage Hammer()
{
	cImage image(200, 140);
	image.FillRect(80, 60, 190, 78, {150, 100, 50, 255});
	image.FillRect(10, 10, 90, 130, {90, 95, 105, 255});
	image.FillRect(14, 14, 86, 40, {130, 135, 145, 255});
	return image;
}

// A puff of stone dust.
cImage Puff()
{
	cImage image(150, 70);
	for (int blob = 0; blob < 6; ++blob)
		Disc(image, 20 + blob * 22.0f, 40 - float(blob % 2) * 10, 18, {200, 190, 170, 150});
	return image;
}

// A white and yellow flash.
cImage Flash()
{
	cImage image(80, 80);
	image.FillShape(0, 0, 80, 80,
		[](float x, float y) {
			const float dx = x - 40;
			const float dy = y - 40;
			return std::sqrt(dx * dx + dy * dy) < 38 * (0.35f + 0.65f * std::fabs(std::cos(3 * std::atan2(dy, dx))));
		},
		{255, 230, 90, 255});
	Disc(image, 40, 40, 12, {255, 255, 240, 255});
	return image;
}

// The swing's power from the bottom up: too weak, good, too hard.
cImage PowerScale(const cLabelPainter& labels)
{
	const int height = 320;
	cImage image(130, height);
	const struct
	{
		float from, to;
		sRgba colour;
		const char* label;
	} zones[] = {{0, 0.2f, {220, 200, 60, 255}, "weak"}, {0.2f, 0.55f, {70, 190, 80, 255}, "good"},
		{0.55f, 1, {210, 60, 50, 255}, "hard"}};
	for (const auto& zone : zones)
	{
		const int top = int(height * (1 - zone.to));
		const int bottom = int(height * (1 - zone.from));
		image.FillRect(0, top, 40, bottom, zone.colour);
		image.FillRect(0, bottom - 2, 40, bottom, kInk);
		labels.Paint(image, zone.label, 86, (top + bottom) / 2 + 7, zone.colour);
	}
	return image;
}

cImage Needle()
{
	cImage image(30, 20);
	image.FillShape(0, 0, 30, 20, [](float x, float y) { return x < 30 - 3 * std::fabs(y - 10); }, kPaper);
	return image;
}

cImage Solid(int width, int height, const sRgba& colour)
{
	cImage image(width, height);
	image.FillRect(0, 0, width, height, colour);
	return image;
}

// Pliers pointing up: two jaws over two handles.
cImage Pliers()
{
	cImage image(160, 140);
	const sRgba steel{120, 125, 135, 255};
	image.FillShape(0, 0, 160, 140, [](float x, float y) { return y < 60 && std::fabs(x - 80) < 6 + y / 5; }, steel);
	image.FillRect(50, 60, 70, 140, {200, 40, 40, 255});
	image.FillRect(90, 60, 110, 140, {200, 40, 40, 255});
	Disc(image, 80, 60, 9, Shade(steel, 0.7f));
	return image;
}

// A marble piece of the statue; its glow comes from the colour it is drawn with.
cImage Marble(int width, int height, const std::function<bool(float, float)>& shape)
{
	cImage image(width, height);
	image.FillShape(0, 0, width, height, shape, {235, 232, 225, 255});
	return image;
}

cImage Face()
{
	cImage image = Marble(120, 90, [](float x, float y) { return Ellipse(x, y, 120, 90); });
	Disc(image, 42, 38, 7, {90, 85, 80, 255});
	Disc(image, 78, 38, 7, {90, 85, 80, 255});
	image.FillRect(45, 62, 75, 67, {90, 85, 80, 255});
	return image;
}

cImage Door(bool left)
{
	cImage image = Plate(90, 270, {120, 80, 45, 255});
	Disc(image, left ? 75 : 15, 135, 6, {230, 190, 80, 255});
	return image;
}

// The niche behind the doors with a gem.
cImage Treasure()
{
	cImage image = Solid(180, 270, {35, 30, 40, 255});
	image.FillShape(0, 0, 180, 270,
		[](float x, float y) { return std::fabs(x - 90) + std::fabs(y - 135) < 40; }, {60, 200, 230, 255});
	return image;
}

struct sPicture
{
	std::string name;
	cImage image;
};

std::vector<sPicture> DrawPictures(const cLabelPainter& labels)
{
	std::vector<sPicture> pictures = {
		{"puzzle_board", Plate(648, 418, {70, 50, 35, 255})},
		{"puzzle_night", Plate(648, 418, {30, 40, 55, 255})},
		{"platens_done", Caption(labels, "done", 100, 36)},
		{"platens_wrong", Caption(labels, "wrong", 100, 36)},
		{"platens_green", Lamp({60, 230, 80, 255})},
		{"platens_red", Lamp({235, 50, 40, 255})},
		{"tube_flute", Flute()},
		{"tube_light", Lamp({255, 190, 60, 255})},
		{"tube_steps", Plate(380, 60, {50, 50, 60, 255})},
		{"tube_key", Key()},
		{"hammer_stone", Stone()},
		{"hammer_hammer", Hammer()},
		{"hammer_dust", Puff()},
		{"hammer_flash", Flash()},
		{"hammer_scale", PowerScale(labels)},
		{"hammer_needle", Needle()},
		{"hammer_sign", Caption(labels, "hold the button, let go in the green", 420, 36)},
		{"wire_post", Solid(40, 230, {110, 110, 120, 255})},
		{"wire_strand", Solid(8, 8, {200, 120, 60, 255})},
		{"wire_pliers", Pliers()},
		{"statue_feather", Marble(32, 90, [](float x, float y) { return Ellipse(x, y, 32, 90); })},
		{"statue_head", Face()},
		{"statue_arm", Marble(70, 110, [](float x, float y) { return Ellipse(x, y, 70, 110); })},
		{"statue_torso", Marble(140, 165, [](float x, float y) { return Ellipse(x, y, 140, 190) || y > 90; })},
		{"statue_plinth", Solid(200, 35, {150, 145, 135, 255})},
		{"statue_door_left", Door(true)},
		{"statue_door_right", Door(false)},
		{"statue_treasure", Treasure()},
		{"statue_order", Caption(labels, "feathers > head > arms", 330, 36)},
	};
	for (int note = 0; note < 6; ++note)
		pictures.push_back({"platens_roller_" + std::to_string(note + 1), Roller(labels, note)});
	for (int valve = 1; valve <= 5; ++valve)
	{
		pictures.push_back({"tube_valve_up_" + std::to_string(valve), Valve(labels, valve, false)});
		pictures.push_back({"tube_valve_down_" + std::to_string(valve), Valve(labels, valve, true)});
	}
	for (int count = 1; count <= 7; ++count)
		pictures.push_back({"hammer_cracks_" + std::to_string(count), Cracks(count)});
	return pictures;
}

// The quads: model name, place, texture.
struct sPlacedQuad
{
	std::string model;
	sRect rect;
	std::string texture;
};

sRect RollerRect(int roller)
{
	const float left = 214 + float(roller) * 102;
	return {left, 205, left + 80, 435};
}
sRect LampRect(int lamp, bool green)
{
	const float left = 350 + float(lamp) * 80;
	return green ? sRect{left, 525, left + 44, 569} : sRect{left, 465, left + 44, 509};
}
sRect ValveRect(int valve)
{
	const float left = 260 + float(valve) * 110;
	return {left, 350, left + 70, 420};
}
sRect StepRect(int step)
{
	const float left = 345 + float(step) * 72;
	return {left, 480, left + 48, 528};
}
sRect FeatherRect(int feather)
{
	const float left = 318 + float(feather) * 34;
	return {left, 470, left + 32, 560};
}

std::vector<sPlacedQuad> PlaceQuads()
{
	std::vector<sPlacedQuad> quads = {
		{"puzzle_board", kBoard, "puzzle_board"},
		{"puzzle_night", kBoard, "puzzle_night"},
		{"platens_done", {230, 529, 330, 565}, "platens_done"},
		{"platens_wrong", {230, 469, 330, 505}, "platens_wrong"},
		{"tube_flute", {210, 300, 820, 360}, "tube_flute"},
		{"tube_steps", {330, 474, 710, 534}, "tube_steps"},
		{"tube_key", {720, 430, 820, 540}, "tube_key"},
		{"hammer_stone", {330, 190, 650, 400}, "hammer_stone"},
		{"hammer_hammer", {560, 380, 760, 520}, "hammer_hammer"},
		{"hammer_dust", {430, 370, 580, 440}, "hammer_dust"},
		{"hammer_flash", {-40, -40, 40, 40}, "hammer_flash"},
		{"hammer_scale", {200, 200, 330, 520}, "hammer_scale"},
		{"hammer_needle", {240, 190, 270, 210}, "hammer_needle"},
		{"hammer_sign", {360, 540, 780, 576}, "hammer_sign"},
		{"wire_post_left", {220, 250, 260, 480}, "wire_post"},
		{"wire_post_right", {764, 250, 804, 480}, "wire_post"},
		{"wire_pliers", {440, 200, 600, 340}, "wire_pliers"},
		{"statue_head", {330, 380, 450, 470}, "statue_head"},
		{"statue_left_arm", {250, 260, 320, 370}, "statue_arm"},
		{"statue_right_arm", {460, 260, 530, 370}, "statue_arm"},
		{"statue_torso", {320, 220, 460, 385}, "statue_torso"},
		{"statue_plinth", {290, 190, 490, 225}, "statue_plinth"},
		{"statue_door_left", {600, 200, 690, 470}, "statue_door_left"},
		{"statue_door_right", {690, 200, 780, 470}, "statue_door_right"},
		{"statue_treasure", {600, 200, 780, 470}, "statue_treasure"},
		{"statue_order", {490, 530, 820, 566}, "statue_order"},
	};
	for (int note = 0; note < 6; ++note)
		quads.push_back({"platens_roller_" + std::to_string(note + 1), RollerRect(note), "platens_roller_" + std::to_string(note + 1)});
	for (int lamp = 0; lamp < 5; ++lamp)
	{
		quads.push_back({"platens_green_" + std::to_string(lamp + 1), LampRect(lamp, true), "platens_green"});
		quads.push_back({"platens_red_" + std::to_string(lamp + 1), LampRect(lamp, false), "platens_red"});
		quads.push_back({"tube_light_" + std::to_string(lamp + 1), StepRect(lamp), "tube_light"});
		quads.push_back({"statue_feather_" + std::to_string(lamp + 1), FeatherRect(lamp), "statue_feather"});
		for (const char* look : {"up", "down"})
		{
			const std::string name = std::string("tube_valve_") + look + "_" + std::to_string(lamp + 1);
			quads.push_back({name, ValveRect(lamp), name});
		}
	}
	for (int count = 1; count <= 7; ++count)
		quads.push_back({"hammer_cracks_" + std::to_string(count), {330, 190, 650, 400}, "hammer_cracks_" + std::to_string(count)});
	for (int strand = 0; strand < 3; ++strand)
	{
		const float bottom = 360 + float(strand) * 8;
		quads.push_back({"wire_strand_" + std::to_string(strand + 1), {260, bottom, 764, bottom + 5}, "wire_strand"});
	}
	return quads;
}

// Motions by name. Colour keys replace the colour the piece is drawn
// with; position keys move it from where it stands.
std::vector<std::pair<std::string, std::string>> MakeMotions()
{
	auto colours = [](std::initializer_list<sColor> keys) {
		cMotionWriter writer;
		float time = 0;
		for (const sColor& colour : keys)
		{
			writer.AddKeyTime(time).AddColour(colour);
			time += 10;
		}
		return writer.GetBytes();
	};
	auto positions = [](std::initializer_list<std::pair<float, float>> keys) {
		cMotionWriter writer;
		float time = 0;
		for (const auto& [x, y] : keys)
		{
			writer.AddKeyTime(time).AddPosition(x, y, 0);
			time += 10;
		}
		return writer.GetBytes();
	};
	const sColor white(1, 1, 1, 1);
	const sColor clear(1, 1, 1, 0);
	return {
		// A roller's turn: it flashes warm and back.
		{"platens_turn", colours({white, sColor(1, 0.85f, 0.4f, 1), white})},
		{"platens_lamp", colours({sColor(0.25f, 0.25f, 0.25f, 1), white})},
		// Clear, shown, clear: fading in is keys 0 to 10, fading out 10 to 20.
		{"puzzle_fade", colours({clear, white, clear})},
		{"hammer_swing", positions({{0, 170}, {0, 0}})},
		{"hammer_needle", positions({{0, 320}, {0, 0}})},
		{"hammer_shake", positions({{0, 0}, {7, 0}, {-7, 0}, {4, 0}, {0, 0}})},
		{"wire_jab", positions({{0, 0}, {0, 25}, {0, 0}})},
		{"statue_glow", colours({sColor(0.6f, 0.6f, 0.6f, 1), sColor(1, 0.85f, 0.4f, 1)})},
		{"statue_door_left", positions({{0, 0}, {-88, 0}})},
		{"statue_door_right", positions({{0, 0}, {88, 0}})},
	};
}

std::string Seconds(float seconds)
{
	char text[32];
	std::snprintf(text, sizeof text, "%g", seconds);
	return text;
}

std::string Placement(float z)
{
	return "1 0 0 0 1 0 0 0 1 0 0 " + Seconds(z);
}

// A textured piece of the scene; attributes beyond its name and model are
// given in order.
cXmlNode* Piece(cXmlNode& parent, const std::string& name, const std::string& model,
	std::initializer_list<std::pair<const char*, std::string>> more = {})
{
	cXmlNode* piece = AddXmlElement(parent, "geometry", {{"name", name}, {"model", model}});
	for (const auto& [attribute, value] : more)
		piece->AddAttribute(attribute)->SetValue(value);
	return piece;
}

// A clip over the motion's keys first to last (key times 10 apart).
void Clip(cXmlNode& piece, const std::string& name, int first, int last, float seconds)
{
	AddXmlElement(piece, "add_motion",
		{{"name", name}, {"first", std::to_string(first)}, {"last", std::to_string(last)}, {"length", Seconds(seconds)}});
}

cXmlNode* Scene(cXmlNode& list, const char* name, const char* board)
{
	cXmlNode* scene = AddXmlElement(list, "resource", {{"name", name}, {"type", "scene_resource"}});
	// Behind every piece.
	Piece(*scene, "board", board, {{"local", Placement(1)}});
	return scene;
}

// Six rollers, each with its note; the rows of green and red lamps, dim
// until lit.
void AddPlatens(cXmlNode& list)
{
	cXmlNode* scene = Scene(list, "platens", "puzzle_board");
	Piece(*scene, "label_done", "platens_done");
	Piece(*scene, "label_wrong", "platens_wrong");
	for (int roller = 1; roller <= 6; ++roller)
		Clip(*Piece(*scene, "walik_" + std::to_string(roller), "platens_roller_" + std::to_string(roller),
				 {{"motion", "platens_turn"}}),
			"wal1", 0, 20, 0.35f);
	for (int lamp = 1; lamp <= 5; ++lamp)
		for (const char* colour : {"green", "red"})
			Clip(*Piece(*scene, std::string("lamp_") + colour + "_" + std::to_string(lamp),
					 std::string("platens_") + colour + "_" + std::to_string(lamp),
					 {{"motion", "platens_lamp"}, {"color", "1 0.25 0.25 0.25"}}),
				"fadeon", 0, 10, 0.4f);
	AddMinigameBorder(*scene);
}

// The flute with five valves (a raised and a pressed look each), the
// indicator's five steps and the key that comes out at the end.
void AddTube(cXmlNode& list)
{
	cXmlNode* scene = Scene(list, "tube", "puzzle_night");
	Piece(*scene, "flute", "tube_flute");
	Piece(*scene, "steps", "tube_steps");
	const std::string hidden = "0 1 1 1";
	for (int valve = 1; valve <= 5; ++valve)
	{
		const std::string number = std::to_string(valve);
		for (const char* look : {"off", "on"})
		{
			const bool on = std::string(look) == "on";
			cXmlNode* piece = Piece(*scene, std::string("kapan_") + look + "_" + number,
				std::string("tube_valve_") + (on ? "down_" : "up_") + number,
				{{"motion", "puzzle_fade"}, {"local", Placement(on ? -1.0f : 0.0f)}, {"color", on ? hidden : "1 1 1 1"}});
			Clip(*piece, "klapan_" + number + "_" + look + "_fadein", 0, 10, 0.25f);
			Clip(*piece, "klapan_" + number + "_" + look + "_fadeout", 10, 20, 0.25f);
		}
		cXmlNode* step = Piece(*scene, "open_" + number, "tube_light_" + number,
			{{"motion", "puzzle_fade"}, {"local", Placement(-1)}, {"color", hidden}});
		Clip(*step, "open_" + number + "_on", 0, 10, 0.25f);
		Clip(*step, "open_" + number + "_off", 10, 20, 0.25f);
	}
	Clip(*Piece(*scene, "key_out", "tube_key", {{"motion", "puzzle_fade"}, {"color", hidden}}), "key", 0, 10, 0.8f);
	AddMinigameBorder(*scene);
}

// The stone with its cracks, the hammer with the place of its strike, the
// dust of the hits, the power scale with its needle and the sign. Pieces
// drawn over others lie nearer: the draw order of pieces at one depth is
// not defined.
void AddHammer(cXmlNode& list)
{
	cXmlNode* scene = Scene(list, "hammer", "puzzle_board");
	Clip(*Piece(*scene, "bg", "hammer_stone", {{"motion", "hammer_shake"}}), "shake", 0, 40, 0.3f);
	for (int count = 1; count <= 7; ++count)
		Clip(*Piece(*scene, "cracks_" + std::to_string(count), "hammer_cracks_" + std::to_string(count),
				 {{"motion", "puzzle_fade"}, {"local", Placement(-1)}, {"color", "0 1 1 1"}}),
			"break" + std::to_string(count), 0, 10, 0.3f);
	const float hitSeconds[] = {0.6f, 0.4f, 0.45f, 0.5f, 0.5f, 0.3f};
	cXmlNode* dust =
		Piece(*scene, "dust", "hammer_dust", {{"motion", "puzzle_fade"}, {"local", Placement(-2)}, {"color", "0 1 1 1"}});
	for (int hit = 1; hit <= 6; ++hit)
		Clip(*dust, "hit" + std::to_string(hit), 0, 20, hitSeconds[hit - 1]);
	cXmlNode* hammer = Piece(*scene, "molotok", "hammer_hammer", {{"motion", "hammer_swing"}, {"local", Placement(-3)}});
	Clip(*hammer, "down", 0, 10, 0.6f);
	AddXmlElement(*hammer, "object", {{"name", "emiter"}, {"local", "1 0 0 0 1 0 0 0 1 610 390 0"}});
	Piece(*scene, "scale", "hammer_scale");
	Clip(*Piece(*scene, "needle", "hammer_needle", {{"motion", "hammer_needle"}, {"local", Placement(-1)}}), "down", 0,
		10, 0.6f);
	Piece(*scene, "indicator_sign", "hammer_sign");
	Clip(*Piece(*scene, "strike", "hammer_flash", {{"motion", "puzzle_fade"}, {"color", "0 1 1 1"}}), "strike", 0, 20,
		0.3f);
	AddMinigameBorder(*scene);
}

// A wire of three strands between two posts, and the pliers below it.
void AddWire(cXmlNode& list)
{
	cXmlNode* scene = Scene(list, "wire", "puzzle_night");
	Piece(*scene, "post_left", "wire_post_left");
	Piece(*scene, "post_right", "wire_post_right");
	for (int strand = 1; strand <= 3; ++strand)
		Clip(*Piece(*scene, "strand_" + std::to_string(strand), "wire_strand_" + std::to_string(strand),
				 {{"motion", "puzzle_fade"}}),
			"break" + std::to_string(strand), 10, 20, 0.3f);
	cXmlNode* pliers = Piece(*scene, "pliers", "wire_pliers", {{"motion", "wire_jab"}});
	for (int hit = 1; hit <= 3; ++hit)
		Clip(*pliers, "hit" + std::to_string(hit), 0, 20, 0.5f);
	AddMinigameBorder(*scene);
}

// The statue: its touchable parts under "body", grey until they glow; the
// doors slide open over the treasure.
void AddStatue(cXmlNode& list)
{
	cXmlNode* scene = Scene(list, "statue", "puzzle_board");
	Piece(*scene, "treasure", "statue_treasure");
	for (const char* side : {"left", "right"})
		Clip(*Piece(*scene, std::string("door_") + side, std::string("statue_door_") + side,
				 {{"motion", std::string("statue_door_") + side}, {"local", Placement(-1)}}),
			"open_doors", 0, 10, 1.0f);
	// The stone the touchable parts stand out from.
	Piece(*scene, "plinth", "statue_plinth");
	Piece(*scene, "torso", "statue_torso", {{"color", "1 0.5 0.5 0.5"}});
	Piece(*scene, "order", "statue_order");
	cXmlNode* body = AddXmlElement(*scene, "object", {{"name", "body"}});
	auto part = [&](const std::string& name, const std::string& model) {
		Clip(*Piece(*body, name, model, {{"motion", "statue_glow"}, {"color", "1 0.6 0.6 0.6"}}), name + "_hit1", 0, 10,
			0.4f);
	};
	for (int feather = 1; feather <= 5; ++feather)
		part(std::to_string(feather) + "_pero", "statue_feather_" + std::to_string(feather));
	part("head", "statue_head");
	part("l_arm", "statue_left_arm");
	part("r_arm", "statue_right_arm");
	AddMinigameBorder(*scene);
}

// A sound of tones and noise, the same in both channels.
struct sTone
{
	float frequency;
	float start;
	float length;
	float level;
	// The share of noise in the tone.
	float noise;
};

std::vector<std::vector<float>> Compose(long rate, std::initializer_list<sTone> tones)
{
	float end = 0;
	for (const sTone& tone : tones)
		end = std::fmax(end, tone.start + tone.length);
	std::vector<float> samples(size_t(end * float(rate)) + 1, 0.0f);
	uint32_t seed = 99;
	for (const sTone& tone : tones)
		for (long i = 0; i < long(tone.length * float(rate)); ++i)
		{
			const float t = float(i) / float(rate);
			seed = seed * 1664525u + 1013904223u;
			const float noise = float(seed >> 8) / float(1u << 24) * 2 - 1;
			const float wave = std::sin(2 * kPi * tone.frequency * t) + 0.25f * std::sin(4 * kPi * tone.frequency * t);
			const float envelope = std::fmin(1.0f, t * 300) * std::exp(-5 * t / tone.length);
			samples[size_t(long(tone.start * float(rate)) + i)] +=
				tone.level * envelope * ((1 - tone.noise) * wave / 1.25f + tone.noise * noise);
		}
	return {samples, samples};
}

std::vector<std::pair<std::string, std::vector<std::vector<float>>>> ComposeSounds(long rate)
{
	std::vector<std::pair<std::string, std::vector<std::vector<float>>>> sounds = {
		{"error", Compose(rate, {{110, 0, 0.45f, 0.35f, 0.3f}, {116, 0, 0.45f, 0.3f, 0}})},
		{"bingo", Compose(rate, {{988, 0, 0.25f, 0.3f, 0}, {1319, 0.12f, 0.35f, 0.3f, 0}})},
		{"keys", Compose(rate, {{2637, 0, 0.2f, 0.2f, 0.3f}, {3136, 0.15f, 0.2f, 0.2f, 0.3f}, {2794, 0.3f, 0.3f, 0.2f, 0.3f}})},
		{"stone_stroke", Compose(rate, {{70, 0, 0.5f, 0.5f, 0.2f}, {400, 0, 0.15f, 0.3f, 0.9f}})},
		{"metal_cut", Compose(rate, {{3500, 0, 0.08f, 0.35f, 0.6f}, {1800, 0.02f, 0.2f, 0.2f, 0.7f}})},
		{"stone_take", Compose(rate, {{180, 0, 0.3f, 0.4f, 0.5f}})},
	};
	const float notes[] = {523.25f, 587.33f, 659.25f, 783.99f, 880.0f, 1046.5f};
	for (int note = 0; note < 6; ++note)
		sounds.push_back({"melody" + std::to_string(note + 1), Compose(rate, {{notes[note], 0, 0.5f, 0.4f, 0}})});
	const float flute[] = {392.0f, 440.0f, 493.88f, 587.33f, 659.25f};
	for (int valve = 0; valve < 5; ++valve)
		sounds.push_back({"flute" + std::to_string(valve + 1), Compose(rate, {{flute[valve], 0, 0.6f, 0.35f, 0.08f}})});
	return sounds;
}

bool WriteArt(cContentTree& tree, const cLabelPainter& labels)
{
	for (const sPicture& picture : DrawPictures(labels))
	{
		const std::string png = EncodePng(picture.image);
		if (png.empty() || !tree.WriteFile(kFolder + picture.name + ".png", png))
			return false;
	}
	for (const sPlacedQuad& quad : PlaceQuads())
		if (!tree.WriteFile(kFolder + quad.model + ".model",
				QuadModelBytes({quad.model.c_str(), quad.rect, quad.texture.c_str(), 1, 1})))
			return false;
	for (const auto& [name, bytes] : MakeMotions())
		if (!tree.WriteFile(kFolder + name + ".motion", bytes))
			return false;
	const long rate = 44100;
	for (const auto& [name, channels] : ComposeSounds(rate))
	{
		const std::string ogg = cOggEncoder(2, rate, 0.3f).Encode(channels);
		if (ogg.empty() || !tree.WriteFile(kFolder + name + ".ogg", ogg))
			return false;
	}
	return true;
}

bool WriteScenes(cContentTree& tree)
{
	cXmlNode list("resources");
	AddPlatens(list);
	AddTube(list);
	AddHammer(list);
	AddWire(list);
	AddStatue(list);
	return tree.WriteXml(std::string(kFolder) + "puzzles.resource", list);
}
}

bool WritePuzzleContent(cContentTree& tree, const std::string& fontFolder)
{
	cLabelPainter labels;
	if (labels.Open(fontFolder, 20) && WriteArt(tree, labels) && WriteScenes(tree))
		return true;
	std::fprintf(stderr, "cannot make the platens, tube, hammer, wire and statue minigames\n");
	return false;
}
