#include "Location2Art.h"

#include "MinigameArt.h"
#include "PngFile.h"
#include "cContentTree.h"
#include "cLabelPainter.h"

#include "engine/foundation/cXmlNode.h"
#include "engine/sound/cOggEncoder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace
{
const char* const kFolder = "data/locations/";
const char* const kRoom = "location2";
const char* const kCloseup = "location2_closeup";
const long kRate = 44100;
const float kPi = 3.14159265f;

// How the location form treats a direct child.
enum eRole
{
	kBackground,
	kIgnored,
	kClickable,
	kHidden,
};

// What a picture shows.
enum eLook
{
	kWall,
	kShelves,
	kDesk,
	kCabinet,
	kSign,
	kMagnifier,
	kCoin,
	kFeather,
	kGlasses,
	kCandle,
	kCabinetInside,
	kNote,
};

// One object: its quad covers rect on the 1024 by 768 screen (y up) at
// depth z (smaller is nearer).
struct sStudyObject
{
	const char* scene;
	const char* name;
	eRole role;
	eLook look;
	sRect rect;
	float z;
	// Painted on the picture; empty for none.
	const char* label;
	// What the player reads about it; empty for none.
	const char* text;
};

const sStudyObject kObjects[] = {
	{kRoom, "bg", kBackground, kWall, {0, 0, 1024, 768}, 60, "", ""},
	{kRoom, "shelves", kIgnored, kShelves, {60, 330, 360, 700}, 30, "", ""},
	{kRoom, "desk", kIgnored, kDesk, {420, 150, 800, 330}, 20, "", ""},
	{kRoom, "cabinet", kClickable, kCabinet, {830, 250, 1000, 600}, 20, "Cabinet", "Cabinet: look inside"},
	{kRoom, "exit_sign", kClickable, kSign, {420, 560, 660, 640}, 20, "To the first room", "Back to the first room"},
	{kRoom, "exit_hall", kClickable, kSign, {700, 640, 1000, 720}, 20, "To the puzzle hall", "On to the puzzle hall"},
	{kRoom, "magnifier", kClickable, kMagnifier, {560, 340, 660, 420}, 10, "Search", "Search the study"},
	{kRoom, "ho_coin", kHidden, kCoin, {120, 560, 150, 590}, 0, "", "Coin"},
	{kRoom, "ho_coin2", kHidden, kCoin, {720, 335, 750, 365}, 0, "", "Coin"},
	{kRoom, "ho_feather", kHidden, kFeather, {240, 440, 300, 468}, 0, "", "Feather"},
	{kRoom, "ho_glasses", kHidden, kGlasses, {460, 335, 520, 358}, 0, "", "Glasses"},
	{kRoom, "ho_candle", kHidden, kCandle, {320, 600, 340, 660}, 0, "", "Candle"},
	{kCloseup, "bg", kBackground, kCabinetInside, {262, 184, 762, 584}, -100, "Inside the cabinet", ""},
	{kCloseup, "note", kClickable, kNote, {412, 300, 612, 420}, -110, "Note", "An old note"},
};

sRgba Mix(const sRgba& a, const sRgba& b, float t)
{
	auto channel = [t](uint8_t from, uint8_t to) { return uint8_t(from + (to - from) * t); };
	return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b), channel(a.a, b.a)};
}

void Gradient(cImage& image, int left, int top, int right, int bottom, const sRgba& from, const sRgba& to)
{
	for (int y = top; y < bottom; ++y)
		image.FillRect(left, y, right, y + 1, Mix(from, to, float(y - top) / float(std::max(1, bottom - top - 1))));
}

void Disc(cImage& image, float cx, float cy, float rx, float ry, const sRgba& colour)
{
	image.FillShape(int(cx - rx), int(cy - ry), int(cx + rx + 1), int(cy + ry + 1),
		[=](float x, float y) { return (x - cx) * (x - cx) / (rx * rx) + (y - cy) * (y - cy) / (ry * ry) <= 1; }, colour);
}

void Ring(cImage& image, float cx, float cy, float outer, float inner, const sRgba& colour)
{
	image.FillShape(int(cx - outer), int(cy - outer), int(cx + outer + 1), int(cy + outer + 1),
		[=](float x, float y) {
			const float r = std::hypot(x - cx, y - cy);
			return r <= outer && r >= inner;
		},
		colour);
}

const sRgba kWood = {130, 85, 45, 255};
const sRgba kDarkWood = {80, 50, 25, 255};

// The picture of the look at the size of its quad (halved for the wall).
cImage Draw(eLook look, int w, int h)
{
	cImage image(w, h);
	switch (look)
	{
	case kWall:
		Gradient(image, 0, 0, w, h * 2 / 3, {90, 110, 90, 255}, {160, 170, 140, 255});
		Gradient(image, 0, h * 2 / 3, w, h, {110, 70, 40, 255}, {60, 40, 20, 255});
		for (int stripe = 0; stripe < w; stripe += 32)
			image.FillRect(stripe, 0, stripe + 2, h * 2 / 3, {80, 100, 80, 255});
		break;
	case kShelves:
		image.FillRect(0, 0, w, h, kDarkWood);
		for (int board = 0; board < 4; ++board)
		{
			const int y = 20 + board * (h - 40) / 3;
			image.FillRect(10, y, w - 10, y + 10, kWood);
			for (int book = 0; book < 8 && board < 3; ++book)
				image.FillRect(20 + book * 32, y + 10, 40 + book * 32, y + 10 + 60 - (book % 3) * 10,
					Mix({150, 40, 40, 255}, {40, 60, 140, 255}, float(book % 4) / 3));
		}
		break;
	case kDesk:
		Gradient(image, 0, 0, w, 30, {170, 120, 70, 255}, kWood);
		image.FillRect(20, 30, 60, h, kDarkWood);
		image.FillRect(w - 60, 30, w - 20, h, kDarkWood);
		image.FillRect(60, 30, w - 60, 90, kWood);
		break;
	case kCabinet:
		Gradient(image, 0, 0, w, h, kWood, kDarkWood);
		image.FillRect(12, 12, w / 2 - 4, h - 40, {110, 70, 35, 255});
		image.FillRect(w / 2 + 4, 12, w - 12, h - 40, {110, 70, 35, 255});
		Disc(image, w / 2 - 14.0f, h / 2.0f, 6, 6, {220, 190, 90, 255});
		Disc(image, w / 2 + 14.0f, h / 2.0f, 6, 6, {220, 190, 90, 255});
		break;
	case kSign:
		image.FillRect(0, 0, w, h, kDarkWood);
		image.FillRect(4, 4, w - 4, h - 4, {200, 170, 110, 255});
		break;
	case kMagnifier:
		Ring(image, 36, 36, 30, 24, {60, 60, 70, 255});
		Disc(image, 36, 36, 24, 24, {190, 220, 240, 160});
		image.FillShape(56, 52, 100, 80, [](float x, float y) { return std::fabs((y - 52) - (x - 56) * 0.6f) < 5; },
			{70, 40, 20, 255});
		break;
	case kCoin:
		Disc(image, w / 2.0f, h / 2.0f, w / 2.0f - 1, h / 2.0f - 1, {230, 190, 60, 255});
		Ring(image, w / 2.0f, h / 2.0f, w / 2.0f - 4, w / 2.0f - 6, {180, 140, 30, 255});
		break;
	case kFeather:
		image.FillShape(0, 0, w, h, [w, h](float x, float y) { return std::fabs(y - h / 2.0f) < std::sin(kPi * x / w) * h / 2; },
			{240, 240, 250, 255});
		image.FillRect(0, h / 2 - 1, w, h / 2 + 1, {150, 150, 160, 255});
		break;
	case kGlasses:
		Ring(image, 14, h / 2.0f, 11, 8, {40, 40, 40, 255});
		Ring(image, w - 14.0f, h / 2.0f, 11, 8, {40, 40, 40, 255});
		image.FillRect(24, h / 2 - 1, w - 24, h / 2 + 2, {40, 40, 40, 255});
		break;
	case kCandle:
		image.FillRect(4, h / 3, w - 4, h, {245, 235, 200, 255});
		Disc(image, w / 2.0f, h / 5.0f, 5, 9, {255, 190, 60, 255});
		break;
	case kCabinetInside:
		image.FillRect(0, 0, w, h, kDarkWood);
		Gradient(image, 16, 16, w - 16, h - 16, {70, 45, 25, 255}, {40, 25, 12, 255});
		image.FillRect(16, h / 2, w - 16, h / 2 + 8, kWood);
		break;
	case kNote:
		image.FillRect(0, 0, w, h, {235, 225, 190, 255});
		for (int line = 30; line < h - 30; line += 14)
			image.FillRect(16, line, w - 16 - (line % 3) * 20, line + 2, {90, 80, 110, 255});
		break;
	}
	return image;
}

// The label on a plate of its own along the picture's lower edge (signs:
// across their middle).
void Label(cImage& image, const cLabelPainter& painter, const char* text, bool centred)
{
	const int baseline = centred ? image.GetHeight() / 2 + 6 : image.GetHeight() - 8;
	if (!centred)
		image.FillRect(0, baseline - 18, image.GetWidth(), baseline + 6, {200, 170, 80, 255});
	painter.Paint(image, text, image.GetWidth() / 2, baseline, {40, 25, 10, 255});
}

bool WriteObjects(cContentTree& tree, const cLabelPainter& painter)
{
	cXmlNode list("resources");
	cXmlNode* scenes[] = {AddXmlElement(list, "resource", {{"name", kRoom}, {"type", "scene_resource"}}),
		AddXmlElement(list, "resource", {{"name", kCloseup}, {"type", "scene_resource"}})};
	for (const sStudyObject& object : kObjects)
	{
		const int width = int(object.rect.right - object.rect.left);
		const int height = int(object.rect.top - object.rect.bottom);
		const bool wall = object.look == kWall;
		cImage image = Draw(object.look, wall ? width / 2 : width, wall ? height / 2 : height);
		if (*object.label)
			Label(image, painter, object.label, object.look == kSign);
		const std::string id = std::string(object.scene) + "_" + object.name;
		const std::string png = EncodePng(image);
		if (png.empty() || !tree.WriteFile(kFolder + id + ".png", png) ||
			!tree.WriteFile(kFolder + id + ".model", QuadModelBytes({id.c_str(), object.rect, id.c_str(), 1, 1})))
			return false;
		cXmlNode* scene = scenes[std::string(object.scene) == kRoom ? 0 : 1];
		cXmlNode* element = AddXmlElement(*scene, "geometry",
			{{"name", object.name}, {"model", id}, {"local", MinigamePlace(0, 0, object.z)}});
		switch (object.role)
		{
		case kBackground:
			element->AddAttribute("background")->SetValue("true");
			element->AddAttribute("ignore")->SetValue("true");
			break;
		case kIgnored:
			element->AddAttribute("ignore")->SetValue("true");
			break;
		case kClickable:
			element->AddAttribute("tooltip")->SetValue("true");
			break;
		case kHidden:
			element->AddAttribute("ispy")->SetValue("true");
			break;
		}
	}
	return tree.WriteXml(std::string(kFolder) + kRoom + ".resource", list);
}

// A soft bell that rings out, and the rustle of a turned page.
std::vector<float> Bell()
{
	std::vector<float> samples(size_t(1.5f * kRate));
	for (size_t i = 0; i < samples.size(); ++i)
	{
		const float t = float(i) / kRate;
		samples[i] = 0.2f * std::exp(-3 * t) * (std::sin(2 * kPi * 660 * t) + 0.5f * std::sin(2 * kPi * 1320 * t));
	}
	return samples;
}

std::vector<float> Rustle()
{
	std::vector<float> samples(size_t(0.6f * kRate));
	uint32_t state = 777;
	for (size_t i = 0; i < samples.size(); ++i)
	{
		state = state * 1664525u + 1013904223u;
		const float noise = float(state >> 9) / float(1 << 23) * 2 - 1;
		samples[i] = 0.15f * noise * std::sin(kPi * float(i) / float(samples.size()));
	}
	return samples;
}

bool WriteSounds(cContentTree& tree)
{
	const std::pair<const char*, std::vector<float>> sounds[] = {{"ambient_bell", Bell()}, {"ambient_rustle", Rustle()}};
	for (const auto& [name, mono] : sounds)
	{
		const std::string ogg = cOggEncoder(2, kRate, 0.3f).Encode({mono, mono});
		if (ogg.empty() || !tree.WriteFile(kFolder + std::string(name) + ".ogg", ogg))
			return false;
	}
	return true;
}

// A command whose one item carries the attributes; chains nest each step
// into the one before.
cXmlNode* Step(cXmlNode& parent, const char* keyword, std::initializer_list<std::pair<const char*, std::string>> item,
	const char* result = nullptr)
{
	cXmlNode* command = AddXmlElement(parent, keyword, {});
	if (result)
		command->AddAttribute("result")->SetValue(result);
	AddXmlElement(*command, "item", item);
	return command;
}

void GoTo(cXmlNode& parent, const char* state)
{
	AddXmlElement(parent, "state", {{"name", state}});
}

// The way out: the map first, then the location, which the diary shows.
void Exit(cXmlNode& click, const char* sign, const char* mapPoint, const char* location)
{
	cXmlNode* map = Step(click, "command", {{"name", "map"}, {"a1", mapPoint}}, sign);
	Step(*map, "location", {{"name", location}});
}

// One item per hidden object of the room.
cXmlNode* HiddenItems(cXmlNode& parent, const char* keyword)
{
	cXmlNode* command = AddXmlElement(parent, keyword, {});
	for (const sStudyObject& object : kObjects)
		if (object.role == kHidden)
			AddXmlElement(*command, "item", {{"name", object.name}});
	return command;
}

bool WriteScenarios(cContentTree& tree)
{
	cXmlNode room("scenario");
	cXmlNode* startup = AddXmlElement(room, "state", {{"name", "startup"}});
	cXmlNode* shown = Step(*startup, "command", {{"name", "onshow"}});
	cXmlNode* panel = Step(*shown, "command", {{"name", "show_panel"}});
	cXmlNode* ambient = Step(*panel, "sound_effects", {{"name", "15"}});
	AddXmlElement(*ambient, "item", {{"name", "ambient_bell"}, {"arg", "1"}});
	AddXmlElement(*ambient, "item", {{"name", "ambient_rustle"}, {"arg", "2"}});
	GoTo(*ambient, "explore");

	cXmlNode* click = AddXmlElement(*AddXmlElement(room, "state", {{"name", "explore"}}), "click", {});
	Step(*click, "sublocation", {{"name", kCloseup}}, "cabinet");
	GoTo(*Step(*click, "hide", {{"name", "magnifier"}}, "magnifier"), "search");
	Exit(*click, "exit_sign", "1", "location1");
	Exit(*click, "exit_hall", "3", "puzzle_hall");

	cXmlNode* search = AddXmlElement(room, "state", {{"name", "search"}});
	cXmlNode* start = Step(*search, "command", {{"name", "ispy"}, {"a1", "start"}});
	cXmlNode* listed = HiddenItems(*HiddenItems(*start, "enable"), "additem");
	cXmlNode* collect = Step(*listed, "command", {{"name", "ispy"}, {"a1", "collect"}});
	GoTo(*Step(*collect, "command", {{"name", "ispy"}, {"a1", "stop"}}), "explore");

	cXmlNode closeup("scenario");
	GoTo(*AddXmlElement(closeup, "state", {{"name", "startup"}}), "look");
	cXmlNode* look = AddXmlElement(*AddXmlElement(closeup, "state", {{"name", "look"}}), "click", {});
	Step(*look, "hide", {{"name", "note"}}, "note");
	return tree.WriteXml(std::string(kFolder) + kRoom + ".xml", room) &&
		   tree.WriteXml(std::string(kFolder) + kCloseup + ".xml", closeup);
}
}

bool WriteLocation2Content(cContentTree& tree, const std::string& fontFolder)
{
	cLabelPainter painter;
	if (painter.Open(fontFolder, 16) && WriteObjects(tree, painter) && WriteSounds(tree) && WriteScenarios(tree))
		return true;
	std::fprintf(stderr, "cannot make the content of location2\n");
	return false;
}

void AddLocation2Texts(cXmlNode& chapter)
{
	cXmlNode* sections[] = {AddXmlElement(chapter, "group", {{"name", kRoom}}),
		AddXmlElement(chapter, "group", {{"name", kCloseup}})};
	for (const sStudyObject& object : kObjects)
		if (*object.text)
			AddXmlElement(*sections[std::string(object.scene) == kRoom ? 0 : 1], "phrase", {{"name", object.name}, {"text", object.text}});
}
