#include "LocationArt.h"

#include "MinigameArt.h"
#include "PanelArt.h"
#include "PngFile.h"
#include "cContentTree.h"
#include "cGlyphRasterizer.h"
#include "cImage.h"

#include "engine/foundation/cMemoryStream.h"
#include "engine/foundation/cXmlNode.h"
#include "engine/graphics/cModelWriter.h"
#include "engine/sound/cOggEncoder.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace
{
const char* const kFolder = "data/locations/";
const long kRate = 44100;
const float kPi = 3.14159265f;
// The inventory item the box gives and the door takes.
const char* const kKeyItem = "brass_key";

// How the location form treats a direct child.
enum eRole
{
	kIgnored,
	kBackground,
	kClickable,
	kRevealed,
	kHidden,
	kPose,
};

// One object of the room: its picture hangs below and right of (x, y) on
// the 1024 by 768 screen, y up; smaller z is nearer.
struct sRoomObject
{
	const char* type;
	const char* name;
	eRole role;
	float x, y, z;
	float width, height;
	// The label drawn on the picture; empty for none.
	const char* label;
	// What the player reads about it; empty for none.
	const char* text;
};

const sRoomObject kObjects[] = {
	{"geometry", "bg", kBackground, 0, 768, 60, 1024, 768, "", ""},
	{"geometry", "window", kIgnored, 80, 660, 20, 220, 200, "", ""},
	{"geometry", "painting", kClickable, 400, 680, 20, 200, 150, "Painting", "A painting of the hills"},
	{"geometry", "door", kClickable, 800, 600, 20, 170, 380, "Door", "Door"},
	{"geometry", "shelf", kIgnored, 60, 440, 20, 240, 24, "", ""},
	{"geometry", "table", kIgnored, 330, 330, 15, 380, 140, "", ""},
	{"geometry", "lamp", kIgnored, 620, 470, 10, 60, 140, "", ""},
	{"geometry", "box", kClickable, 110, 300, 5, 160, 110, "Box", "Old box"},
	{"geometry", "chest", kRevealed, 330, 250, 5, 180, 110, "Chest", "Chest"},
	{"geometry", "box_open", kRevealed, 110, 300, 5, 160, 110, "Open box", "The box is empty now"},
	{"geometry", "door_open", kRevealed, 800, 600, 20, 170, 380, "Open door", "The door stands open"},
	{"geometry", "passage", kRevealed, 835, 470, 15, 100, 70, "Way on", "The way on"},
	{"geometry", "ho_cup", kHidden, 380, 372, 0, 40, 40, "", "Cup"},
	{"geometry", "ho_mug", kHidden, 220, 490, 0, 40, 40, "", "Cup"},
	{"geometry", "ho_pen", kHidden, 470, 344, 0, 70, 14, "", "Pen"},
	{"geometry", "ho_clock", kHidden, 660, 720, 0, 56, 56, "", "Clock"},
	{"geometry", "ho_book", kHidden, 90, 500, 0, 36, 56, "", "Book"},
	{"character", "keeper_sit", kPose, 540, 420, 8, 100, 200, "", ""},
	{"character", "keeper_stand", kPose, 540, 420, 8, 100, 200, "", ""},
};

sRgba Mix(const sRgba& a, const sRgba& b, float t)
{
	auto channel = [t](uint8_t from, uint8_t to) { return uint8_t(from + (to - from) * t); };
	return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b), channel(a.a, b.a)};
}

// Rows from top to bottom, blending from one colour to the other.
void VerticalGradient(cImage& image, int left, int top, int right, int bottom, const sRgba& from, const sRgba& to)
{
	for (int y = top; y < bottom; ++y)
		image.FillRect(left, y, right, y + 1, Mix(from, to, float(y - top) / float(std::max(1, bottom - top - 1))));
}

void Ellipse(cImage& image, float cx, float cy, float rx, float ry, const sRgba& colour)
{
	image.FillShape(int(cx - rx), int(cy - ry), int(cx + rx + 1), int(cy + ry + 1),
		[=](float x, float y) { return (x - cx) * (x - cx) / (rx * rx) + (y - cy) * (y - cy) / (ry * ry) <= 1; }, colour);
}

// The text centred on a brass plate whose centre is at (cx, cy).
class cLabeller
{
public:
	bool Open(const std::string& fontFolder) { return m_glyphs.Open(fontFolder + "/DejaVuSans.ttf", 13); }

	void Label(cImage& image, const std::string& text, int cx, int cy) const
	{
		std::vector<sRasterGlyph> glyphs(text.size());
		int width = 0;
		for (size_t i = 0; i < text.size(); ++i)
			if (m_glyphs.Render(uint8_t(text[i]), glyphs[i]))
				width += glyphs[i].advance;
		const int height = m_glyphs.GetAscender() + m_glyphs.GetDescender();
		image.FillRect(cx - width / 2 - 5, cy - height / 2 - 3, cx + width / 2 + 5, cy + height / 2 + 3, {200, 170, 80, 255});
		int pen = cx - width / 2;
		const int baseline = cy - height / 2 + m_glyphs.GetAscender();
		for (const sRasterGlyph& glyph : glyphs)
		{
			if (!glyph.coverage.empty())
				image.DrawMask(pen + glyph.bearingX, baseline - glyph.bearingY, glyph.width, glyph.height,
					glyph.coverage.data(), glyph.width, {40, 25, 10, 255});
			pen += glyph.advance;
		}
	}

private:
	cGlyphRasterizer m_glyphs;
};

cImage DrawBackground()
{
	cImage image(512, 384);
	VerticalGradient(image, 0, 0, 512, 250, {70, 80, 110, 255}, {150, 140, 130, 255});
	VerticalGradient(image, 0, 250, 512, 384, {120, 80, 45, 255}, {70, 45, 25, 255});
	image.FillRect(0, 246, 512, 252, {60, 40, 25, 255});
	for (int board = 0; board < 512; board += 64)
		image.FillRect(board, 252, board + 1, 384, {60, 40, 25, 255});
	return image;
}

cImage DrawWindow()
{
	cImage image(110, 100);
	image.FillRect(0, 0, 110, 100, {235, 230, 215, 255});
	VerticalGradient(image, 6, 6, 104, 94, {90, 150, 230, 255}, {200, 225, 250, 255});
	image.FillRect(52, 6, 58, 94, {235, 230, 215, 255});
	image.FillRect(6, 47, 104, 53, {235, 230, 215, 255});
	return image;
}

cImage DrawPainting()
{
	cImage image(200, 150);
	image.FillRect(0, 0, 200, 150, {150, 110, 40, 255});
	VerticalGradient(image, 10, 10, 190, 140, {250, 190, 120, 255}, {120, 170, 220, 255});
	image.FillShape(10, 40, 190, 140, [](float x, float y) { return y > 140 - 60 * std::fabs(std::sin(x / 40)) - 20; },
		{60, 110, 60, 255});
	return image;
}

cImage DrawDoor()
{
	cImage image(170, 380);
	VerticalGradient(image, 0, 0, 170, 380, {140, 90, 50, 255}, {95, 60, 30, 255});
	image.FillRect(20, 30, 150, 170, {115, 75, 40, 255});
	image.FillRect(20, 200, 150, 350, {115, 75, 40, 255});
	Ellipse(image, 145, 190, 9, 9, {230, 200, 90, 255});
	return image;
}

cImage DrawPlank(int width, int height)
{
	cImage image(width, height);
	VerticalGradient(image, 0, 0, width, height, {160, 115, 70, 255}, {100, 70, 40, 255});
	return image;
}

cImage DrawTable()
{
	cImage image(380, 140);
	VerticalGradient(image, 0, 0, 380, 24, {170, 120, 70, 255}, {110, 75, 40, 255});
	image.FillRect(20, 24, 40, 140, {100, 65, 35, 255});
	image.FillRect(340, 24, 360, 140, {100, 65, 35, 255});
	return image;
}

cImage DrawLamp()
{
	cImage image(60, 140);
	Ellipse(image, 30, 40, 30, 40, {255, 240, 170, 90});
	image.FillShape(5, 0, 55, 50, [](float x, float y) { return std::fabs(x - 30) < 12 + y * 0.35f; }, {240, 200, 90, 255});
	image.FillRect(27, 50, 33, 130, {80, 70, 60, 255});
	image.FillRect(12, 130, 48, 140, {80, 70, 60, 255});
	return image;
}

cImage DrawBox(const sRgba& wood)
{
	cImage image(160, 110);
	VerticalGradient(image, 0, 0, 160, 110, wood, Mix(wood, {0, 0, 0, 255}, 0.4f));
	for (int plank = 0; plank < 110; plank += 27)
		image.FillRect(0, plank, 160, plank + 2, Mix(wood, {0, 0, 0, 255}, 0.6f));
	return image;
}

// The box with its lid off: its dark inside shows above the front planks.
cImage DrawOpenBox()
{
	cImage image = DrawBox({170, 120, 60, 255});
	image.FillRect(8, 6, 152, 40, {40, 25, 15, 255});
	image.FillRect(0, 0, 160, 6, {120, 80, 40, 255});
	return image;
}

// The door frame with the room beyond lit and the door swung against the frame.
cImage DrawOpenDoor()
{
	cImage image(170, 380);
	VerticalGradient(image, 0, 0, 170, 380, {250, 235, 190, 255}, {200, 170, 120, 255});
	image.FillRect(0, 0, 10, 380, {95, 60, 30, 255});
	image.FillRect(160, 0, 170, 380, {95, 60, 30, 255});
	image.FillShape(0, 0, 50, 380, [](float x, float y) { return x < 45 - std::fabs(y - 190) * 0.05f; }, {130, 85, 45, 255});
	return image;
}

// A green arrow pointing through the door.
cImage DrawPassage()
{
	cImage image(100, 70);
	image.FillRect(0, 0, 100, 70, {30, 90, 40, 255});
	image.FillShape(10, 4, 90, 42,
		[](float x, float y) { return (x < 60 && std::fabs(y - 22) < 7) || (x >= 60 && std::fabs(y - 22) < (90 - x) * 0.6f); },
		{150, 240, 150, 255});
	return image;
}

cImage DrawCup(const sRgba& colour)
{
	cImage image(40, 40);
	image.FillShape(4, 6, 30, 38, [](float x, float) { return x > 4 && x < 30; }, colour);
	image.FillShape(26, 12, 40, 32,
		[](float x, float y) {
			const float r = std::hypot(x - 30, y - 22);
			return r > 5 && r < 9 && x > 28;
		},
		colour);
	return image;
}

cImage DrawPen()
{
	cImage image(70, 14);
	image.FillRect(0, 4, 58, 10, {30, 60, 160, 255});
	image.FillShape(58, 3, 70, 11, [](float x, float y) { return std::fabs(y - 7) < (70 - x) * 0.33f; }, {220, 200, 120, 255});
	return image;
}

cImage DrawClock()
{
	cImage image(56, 56);
	Ellipse(image, 28, 28, 27, 27, {90, 60, 30, 255});
	Ellipse(image, 28, 28, 22, 22, {245, 240, 225, 255});
	image.FillRect(27, 12, 30, 30, {20, 20, 20, 255});
	image.FillRect(27, 27, 40, 30, {20, 20, 20, 255});
	return image;
}

cImage DrawBook()
{
	cImage image(36, 56);
	VerticalGradient(image, 0, 0, 36, 56, {150, 30, 40, 255}, {90, 20, 25, 255});
	image.FillRect(4, 10, 32, 14, {220, 190, 90, 255});
	return image;
}

// A 2 by 2 atlas of the keeper: open eyes, then closed, in the top row.
cImage DrawKeeper(bool standing)
{
	cImage image(200, 400);
	for (int frame = 0; frame < 2; ++frame)
	{
		const float left = frame * 100.0f;
		const float headY = standing ? 30.0f : 70.0f;
		Ellipse(image, left + 50, headY, 22, 24, {240, 200, 170, 255});
		const float eyeHeight = frame ? 1.0f : 4.0f;
		Ellipse(image, left + 42, headY - 4, 3, eyeHeight, {30, 30, 30, 255});
		Ellipse(image, left + 58, headY - 4, 3, eyeHeight, {30, 30, 30, 255});
		const int bodyTop = int(headY) + 24;
		const int bodyBottom = standing ? 200 : 160;
		VerticalGradient(image, int(left) + 25, bodyTop, int(left) + 75, bodyBottom, {60, 100, 60, 255}, {30, 60, 35, 255});
		if (!standing)
			image.FillRect(int(left) + 15, 160, int(left) + 85, 200, {100, 70, 40, 255});
	}
	return image;
}

cImage DrawPicture(const sRoomObject& object)
{
	const std::string name = object.name;
	if (name == "bg")
		return DrawBackground();
	if (name == "window")
		return DrawWindow();
	if (name == "painting")
		return DrawPainting();
	if (name == "door")
		return DrawDoor();
	if (name == "shelf")
		return DrawPlank(240, 24);
	if (name == "table")
		return DrawTable();
	if (name == "lamp")
		return DrawLamp();
	if (name == "box")
		return DrawBox({170, 120, 60, 255});
	if (name == "chest")
		return DrawBox({120, 60, 30, 255});
	if (name == "box_open")
		return DrawOpenBox();
	if (name == "door_open")
		return DrawOpenDoor();
	if (name == "passage")
		return DrawPassage();
	if (name == "ho_cup")
		return DrawCup({230, 230, 240, 255});
	if (name == "ho_mug")
		return DrawCup({200, 60, 50, 255});
	if (name == "ho_pen")
		return DrawPen();
	if (name == "ho_clock")
		return DrawClock();
	if (name == "ho_book")
		return DrawBook();
	return DrawKeeper(name == "keeper_stand");
}

// The inventory item found in the box: a brass key, bow on the left.
cImage DrawKey()
{
	cImage image(64, 64);
	const sRgba brass{220, 180, 70, 255};
	Ellipse(image, 16, 32, 13, 13, brass);
	Ellipse(image, 16, 32, 6, 6, {0, 0, 0, 0});
	image.FillRect(28, 29, 60, 36, brass);
	image.FillRect(46, 36, 51, 46, brass);
	image.FillRect(55, 36, 60, 44, brass);
	return image;
}

std::string ModelBytes(const sPanelPicture& picture, bool blinking)
{
	cModel model;
	MakePanelModel(picture, model);
	if (blinking)
	{
		// Frame 0 for most of "idle", the closed eyes of frame 1 at its end.
		model.textureAnimation.uStep = 0.5f;
		model.textureAnimation.vStep = 0.5f;
		model.textureAnimation.frameCount = 2;
		model.textureAnimation.framesPerRow = 2;
		model.textureAnimation.animations["idle"] = {0, 1.15f, 3.0f, false};
	}
	cMemoryStream stream;
	cModelWriter(stream).Write(model);
	return std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

void AddObject(cXmlNode& scene, const sRoomObject& object)
{
	cXmlNode* element = AddXmlElement(scene, object.type,
		{{"name", object.name}, {"model", object.name}, {"local", MinigamePlace(object.x, object.y, object.z)}});
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
	case kPose:
		element->AddAttribute("set")->SetValue("keeper");
		element->AddAttribute("prob")->SetValue("1");
		break;
	case kRevealed:
		break;
	}
}

bool WriteKeyItem(cContentTree& tree)
{
	const sPanelPicture picture{kKeyItem, DrawKey(), 48, 48, 1.0f};
	const std::string png = EncodePng(picture.image);
	return !png.empty() && tree.WriteFile(kFolder + std::string(kKeyItem) + ".png", png) &&
		   tree.WriteFile(kFolder + std::string(kKeyItem) + ".model", ModelBytes(picture, false));
}

bool WriteRoom(cContentTree& tree, const cLabeller& labeller)
{
	cXmlNode list("resources");
	cXmlNode* scene = AddXmlElement(list, "resource", {{"name", "location1"}, {"type", "scene_resource"}});
	for (const sRoomObject& object : kObjects)
	{
		cImage image = DrawPicture(object);
		if (*object.label)
			labeller.Label(image, object.label, image.GetWidth() / 2, image.GetHeight() - 14);
		const bool pose = object.role == kPose;
		const sPanelPicture picture{object.name, image, object.width, object.height, pose ? 0.5f : 1.0f};
		const std::string png = EncodePng(image);
		if (png.empty() || !tree.WriteFile(kFolder + std::string(object.name) + ".png", png) ||
			!tree.WriteFile(kFolder + std::string(object.name) + ".model", ModelBytes(picture, pose)))
			return false;
		AddObject(*scene, object);
	}
	return WriteKeyItem(tree) && tree.WriteXml(std::string(kFolder) + "location1.resource", list);
}

// A tone of the frequency that fades out over its length.
std::vector<float> Tone(float frequency, float seconds, float decay, float loudness)
{
	std::vector<float> samples(size_t(seconds * kRate));
	for (size_t i = 0; i < samples.size(); ++i)
	{
		const float t = float(i) / kRate;
		samples[i] = loudness * std::exp(-decay * t) * std::sin(2 * kPi * frequency * t);
	}
	return samples;
}

// Noise, shaped by the envelope, smoothed so that it rushes rather than hisses.
std::vector<float> Rush(float seconds, float loudness)
{
	std::vector<float> samples(size_t(seconds * kRate));
	uint32_t state = 12345;
	float smooth = 0;
	for (size_t i = 0; i < samples.size(); ++i)
	{
		state = state * 1664525u + 1013904223u;
		const float noise = float(state >> 9) / float(1 << 23) * 2 - 1;
		smooth += 0.02f * (noise - smooth);
		const float t = float(i) / float(samples.size());
		samples[i] = loudness * 8 * smooth * std::sin(kPi * t);
	}
	return samples;
}

// Two ticks a second, the second lower, for one second that loops.
std::vector<float> Ticks()
{
	std::vector<float> samples(size_t(kRate), 0.0f);
	for (const auto& [start, pitch] : {std::pair<float, float>{0.0f, 2400.0f}, {0.5f, 1800.0f}})
	{
		const std::vector<float> tick = Tone(pitch, 0.05f, 80, 0.25f);
		std::copy(tick.begin(), tick.end(), samples.begin() + long(start * kRate));
	}
	return samples;
}

// A hinge: a low tone whose pitch rises and falls, for a second.
std::vector<float> Creak()
{
	std::vector<float> samples(static_cast<size_t>(kRate));
	float phase = 0;
	for (size_t i = 0; i < samples.size(); ++i)
	{
		const float t = float(i) / kRate;
		phase += 2 * kPi * (180 + 120 * std::sin(kPi * t * 3)) / kRate;
		samples[i] = 0.12f * std::sin(kPi * t) * (std::sin(phase) > 0 ? 1.0f : -1.0f);
	}
	return samples;
}

// A calm tune of eight notes, half a second each, that loops.
std::vector<float> Tune()
{
	const float notes[] = {261.6f, 329.6f, 392.0f, 523.3f, 392.0f, 329.6f, 293.7f, 349.2f};
	std::vector<float> samples;
	for (float note : notes)
	{
		const std::vector<float> tone = Tone(note, 0.5f, 3, 0.2f);
		samples.insert(samples.end(), tone.begin(), tone.end());
	}
	return samples;
}

bool WriteSounds(cContentTree& tree)
{
	const std::pair<const char*, std::vector<float>> sounds[] = {
		{"i_spy", Tone(1318.5f, 0.4f, 8, 0.3f)},
		{"ambient_drip", Tone(900, 0.3f, 25, 0.3f)},
		{"ambient_creak", Tone(140, 0.8f, 4, 0.2f)},
		{"ambient_wind", Rush(2.0f, 0.3f)},
		{"clock_loop", Ticks()},
		{"door_creak", Creak()},
		{"location1_music", Tune()},
	};
	for (const auto& [name, mono] : sounds)
	{
		const std::string ogg = cOggEncoder(2, kRate, 0.3f).Encode({mono, mono});
		if (ogg.empty() || !tree.WriteFile(kFolder + std::string(name) + ".ogg", ogg))
			return false;
	}
	return true;
}

// Switches to the named state: "state" carries its own "name".
void GoTo(cXmlNode& parent, const char* state)
{
	AddXmlElement(parent, "state", {{"name", state}});
}

// Nests each command into the one before: a chain of steps.
cXmlNode* Step(cXmlNode& parent, const char* keyword, std::initializer_list<std::pair<const char*, std::string>> item,
	const char* result = nullptr)
{
	cXmlNode* command = AddXmlElement(parent, keyword, {});
	if (result)
		command->AddAttribute("result")->SetValue(result);
	AddXmlElement(*command, "item", item);
	return command;
}

// One item per hidden object.
void AddHiddenItems(cXmlNode& command)
{
	for (const sRoomObject& object : kObjects)
		if (object.role == kHidden)
			AddXmlElement(command, "item", {{"name", object.name}});
}

// A command with one item per name.
cXmlNode* Names(cXmlNode& parent, const char* keyword, std::initializer_list<const char*> names, const char* result = nullptr)
{
	cXmlNode* command = AddXmlElement(parent, keyword, {});
	if (result)
		command->AddAttribute("result")->SetValue(result);
	for (const char* name : names)
		AddXmlElement(*command, "item", {{"name", name}});
	return command;
}

// The pickable objects that stay as they are when the way on opens.
const std::initializer_list<const char*> kRoomFurniture = {"painting", "door", "box", "chest", "box_open", "door_open", "keeper"};

// Starts with the room as it is first seen: the painting, the locked door
// and the box; the keeper greets the player and names the first aim.
void WriteStartup(cXmlNode& scenario)
{
	cXmlNode* startup = AddXmlElement(scenario, "state", {{"name", "startup"}});
	cXmlNode* ambient = Step(*startup, "sound_effects", {{"name", "20"}});
	AddXmlElement(*ambient, "item", {{"name", "ambient_drip"}, {"arg", "3"}});
	AddXmlElement(*ambient, "item", {{"name", "ambient_creak"}, {"arg", "1"}});
	AddXmlElement(*ambient, "item", {{"name", "ambient_wind"}, {"arg", "2"}});
	cXmlNode* shown = Step(*ambient, "command", {{"name", "onshow"}});
	cXmlNode* panel = Step(*shown, "command", {{"name", "show_panel"}});
	cXmlNode* clock = Step(*panel, "soundloop", {{"name", "clock_loop"}});
	cXmlNode* room = Names(*clock, "hide_but", {"painting", "door", "box"});
	cXmlNode* shownRoom = Names(*room, "show_but", {"chest", "box_open", "door_open", "passage", "keeper"});
	cXmlNode* keeper = Step(*shownRoom, "show", {{"name", "keeper"}});
	cXmlNode* aim = Step(*keeper, "addaim", {{"name", "open_door"}});
	cXmlNode* welcome = Step(*aim, "hint", {{"name", "welcome"}});
	GoTo(*welcome, "explore");
}

// The box opened by a click gives the key, the key opens the door with a
// creak, and the painting hints at what to do next.
void WriteExplore(cXmlNode& scenario)
{
	cXmlNode* explore = AddXmlElement(scenario, "state", {{"name", "explore"}});
	cXmlNode* click = AddXmlElement(*explore, "click", {});
	cXmlNode* opened = Step(*click, "hidefade", {{"name", "box"}}, "box");
	cXmlNode* open = Step(*opened, "showfade", {{"name", "box_open"}});
	cXmlNode* key = Step(*open, "addinventory", {{"name", kKeyItem}});
	cXmlNode* emptied = Step(*key, "disable", {{"name", "box_open"}});
	Names(*emptied, "changedialog", {"door_locked", "door_key"});
	Step(*click, "hint", {{"name", "door_locked"}}, "door");
	cXmlNode* holding = Names(*click, "isininventory", {kKeyItem}, "painting");
	Step(*holding, "hint", {{"name", "door_key"}}, "true");
	cXmlNode* boxThere = Names(*holding, "isvisible", {"box"}, "false");
	Step(*boxThere, "hint", {{"name", "painting_box"}}, "true");
	Step(*boxThere, "hint", {{"name", "painting"}}, "false");

	cXmlNode* useKey = AddXmlElement(*explore, "click", {{"name", kKeyItem}});
	cXmlNode* dropped = Step(*useKey, "dropinventory", {{"name", kKeyItem}}, "door");
	cXmlNode* closed = Step(*dropped, "hide", {{"name", "door"}});
	cXmlNode* ajar = Step(*closed, "show", {{"name", "door_open"}});
	cXmlNode* swing = Step(*ajar, "animation", {{"name", "door_open"}});
	cXmlNode* creak = Step(*swing, "sound", {{"name", "door_creak"}});
	cXmlNode* wait = Step(*creak, "delay", {{"name", "0"}});
	cXmlNode* done = Step(*wait, "removeaim", {{"name", "open_door"}});
	cXmlNode* next = Step(*done, "addaim", {{"name", "find_items"}});
	GoTo(*next, "search");
}

// The hidden objects are searched for while the rest of the room waits.
void WriteSearch(cXmlNode& scenario)
{
	cXmlNode* search = AddXmlElement(scenario, "state", {{"name", "search"}});
	cXmlNode* start = Step(*search, "command", {{"name", "ispy"}, {"a1", "start"}});
	cXmlNode* still = AddXmlElement(*start, "disable_but", {});
	// The hidden objects become clickable, then go on the list.
	cXmlNode* enable = AddXmlElement(*still, "enable", {});
	AddHiddenItems(*enable);
	cXmlNode* list = AddXmlElement(*enable, "additem", {});
	AddHiddenItems(*list);
	cXmlNode* collect = Step(*list, "command", {{"name", "ispy"}, {"a1", "collect"}});
	cXmlNode* stop = Step(*collect, "command", {{"name", "ispy"}, {"a1", "stop"}});
	cXmlNode* awake = Names(*stop, "enable_but", {"box", "door"});
	cXmlNode* found = Step(*awake, "removeaim", {{"name", "find_items"}});
	cXmlNode* next = Step(*found, "addaim", {{"name", "match_fingers"}});
	GoTo(*next, "fingers");
}

// The open door leads to the fingers puzzle; solving it opens the way on
// with new music.
void WriteFingers(cXmlNode& scenario)
{
	cXmlNode* fingers = AddXmlElement(scenario, "state", {{"name", "fingers"}});
	cXmlNode* click = AddXmlElement(*fingers, "click", {});
	cXmlNode* ready = Names(*click, "isenabled", {"door_open"}, "door_open");
	cXmlNode* game = Step(*ready, "game", {{"name", "fingers"}}, "true");
	cXmlNode* solved = Step(*game, "removeaim", {{"name", "match_fingers"}}, "win");
	cXmlNode* music = Step(*solved, "music", {{"name", "location1_music"}});
	cXmlNode* way = Names(*music, "showfade_but", kRoomFurniture);
	GoTo(*way, "leave");
}

// The way on leads through the map to the second room; the keeper says
// goodbye when clicked.
void WriteLeave(cXmlNode& scenario)
{
	cXmlNode* leave = AddXmlElement(scenario, "state", {{"name", "leave"}});
	cXmlNode* click = AddXmlElement(*leave, "click", {});
	cXmlNode* fade = Step(*click, "hidefade_but", {{"name", "passage"}}, "passage");
	cXmlNode* map = Step(*fade, "command", {{"name", "map"}, {"a1", "2"}});
	Step(*map, "location", {{"name", "location2"}});
	cXmlNode* keeper = Names(*leave, "click_but", {"keeper"});
	Step(*keeper, "hint", {{"name", "goodbye"}});
}

bool WriteScenario(cContentTree& tree)
{
	cXmlNode scenario("scenario");
	WriteStartup(scenario);
	WriteExplore(scenario);
	WriteSearch(scenario);
	WriteFingers(scenario);
	WriteLeave(scenario);
	return tree.WriteXml(std::string(kFolder) + "location1.xml", scenario);
}
}

bool WriteLocationContent(cContentTree& tree, const std::string& fontFolder)
{
	cLabeller labeller;
	if (labeller.Open(fontFolder) && WriteRoom(tree, labeller) && WriteSounds(tree) && WriteScenario(tree))
		return true;
	std::fprintf(stderr, "cannot make the location content\n");
	return false;
}

namespace
{
// The aims of the story, in the chapter "aims".
const char* const kAims[][2] = {
	{"open_door", "Open the locked door"},
	{"find_items", "Find the hidden things"},
	{"match_fingers", "Match the fingers beyond the door"},
};

// The dialogue parts the scenario plays as hints: part, speaker, line.
const char* const kHintLines[][3] = {
	{"welcome", "detective", "The door is locked. The key must be somewhere in this room."},
	{"door_locked", "detective", "Locked. I need a key."},
	{"door_key", "assistant", "The key from the box should fit the door."},
	{"painting", "assistant", "Just the hills. The answer is not in the painting."},
	{"painting_box", "assistant", "That old box by the wall might hold something."},
	{"goodbye", "detective", "Thank you. The way on is open now."},
};
}

void AddLocationStory(cXmlNode& texts, cXmlNode& inventory, cXmlNode& dialog)
{
	cXmlNode* aims = AddXmlElement(*AddXmlElement(texts, "group", {{"name", "aims"}}), "group", {{"name", "location1"}});
	for (const auto& [name, text] : kAims)
		AddXmlElement(*aims, "phrase", {{"name", name}, {"text", text}});
	AddXmlElement(inventory, "phrase", {{"name", kKeyItem}, {"text", "Brass key"}});
	for (const auto& [part, speaker, text] : kHintLines)
		AddXmlElement(*AddXmlElement(dialog, "part", {{"name", part}}), "line", {{"name", speaker}, {"text", text}});
}

void AddLocationTexts(cXmlNode& chapter)
{
	cXmlNode* section = AddXmlElement(chapter, "group", {{"name", "location1"}});
	for (const sRoomObject& object : kObjects)
		if (*object.text)
			AddXmlElement(*section, "phrase", {{"name", object.name}, {"text", object.text}});
}
