#include "LocationArt.h"

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

std::string At(float x, float y, float z)
{
	char text[80];
	std::snprintf(text, sizeof text, "1 0 0 0 1 0 0 0 1 %g %g %g", x, y, z);
	return text;
}

cXmlNode* AddElement(cXmlNode& parent, const char* name, std::initializer_list<std::pair<const char*, std::string>> attributes)
{
	auto* element = new cXmlNode(name);
	for (const auto& [attribute, value] : attributes)
		element->AddAttribute(attribute)->SetValue(value);
	parent.AppendChild(element);
	return element;
}

void AddObject(cXmlNode& scene, const sRoomObject& object)
{
	cXmlNode* element = AddElement(scene, object.type,
		{{"name", object.name}, {"model", object.name}, {"local", At(object.x, object.y, object.z)}});
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

bool WriteRoom(cContentTree& tree, const cLabeller& labeller)
{
	cXmlNode list("resources");
	cXmlNode* scene = AddElement(list, "resource", {{"name", "location1"}, {"type", "scene_resource"}});
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
	return tree.WriteXml(std::string(kFolder) + "location1.resource", list);
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

bool WriteSounds(cContentTree& tree)
{
	const std::pair<const char*, std::vector<float>> sounds[] = {
		{"i_spy", Tone(1318.5f, 0.4f, 8, 0.3f)},
		{"ambient_drip", Tone(900, 0.3f, 25, 0.3f)},
		{"ambient_creak", Tone(140, 0.8f, 4, 0.2f)},
		{"ambient_wind", Rush(2.0f, 0.3f)},
		{"clock_loop", Ticks()},
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
	AddElement(parent, "state", {{"name", state}});
}

// Nests each command into the one before: a chain of steps.
cXmlNode* Step(cXmlNode& parent, const char* keyword, std::initializer_list<std::pair<const char*, std::string>> item,
	const char* result = nullptr)
{
	cXmlNode* command = AddElement(parent, keyword, {});
	if (result)
		command->AddAttribute("result")->SetValue(result);
	AddElement(*command, "item", item);
	return command;
}

// One item per hidden object.
void AddHiddenItems(cXmlNode& command)
{
	for (const sRoomObject& object : kObjects)
		if (object.role == kHidden)
			AddElement(command, "item", {{"name", object.name}});
}

bool WriteScenario(cContentTree& tree)
{
	cXmlNode scenario("scenario");
	cXmlNode* startup = AddElement(scenario, "state", {{"name", "startup"}});
	cXmlNode* ambient = Step(*startup, "sound_effects", {{"name", "20"}});
	AddElement(*ambient, "item", {{"name", "ambient_drip"}, {"arg", "3"}});
	AddElement(*ambient, "item", {{"name", "ambient_creak"}, {"arg", "1"}});
	AddElement(*ambient, "item", {{"name", "ambient_wind"}, {"arg", "2"}});
	cXmlNode* shown = Step(*ambient, "command", {{"name", "onshow"}});
	cXmlNode* panel = Step(*shown, "command", {{"name", "show_panel"}});
	cXmlNode* clock = Step(*panel, "soundloop", {{"name", "clock_loop"}});
	cXmlNode* keeper = Step(*clock, "show", {{"name", "keeper"}});
	GoTo(*keeper, "explore");

	cXmlNode* explore = AddElement(scenario, "state", {{"name", "explore"}});
	cXmlNode* click = AddElement(*explore, "click", {});
	cXmlNode* opened = Step(*click, "hide", {{"name", "box"}}, "box");
	cXmlNode* chest = Step(*opened, "show", {{"name", "chest"}});
	cXmlNode* usable = Step(*chest, "enable", {{"name", "chest"}});
	GoTo(*usable, "search");

	cXmlNode* search = AddElement(scenario, "state", {{"name", "search"}});
	cXmlNode* start = Step(*search, "command", {{"name", "ispy"}, {"a1", "start"}});
	// The hidden objects become clickable, then go on the list.
	cXmlNode* enable = AddElement(*start, "enable", {});
	AddHiddenItems(*enable);
	cXmlNode* list = AddElement(*enable, "additem", {});
	AddHiddenItems(*list);
	cXmlNode* collect = Step(*list, "command", {{"name", "ispy"}, {"a1", "collect"}});
	cXmlNode* stop = Step(*collect, "command", {{"name", "ispy"}, {"a1", "stop"}});
	GoTo(*stop, "explore");
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

void AddLocationTexts(cXmlNode& chapter)
{
	cXmlNode* section = AddElement(chapter, "group", {{"name", "location1"}});
	for (const sRoomObject& object : kObjects)
		if (*object.text)
			AddElement(*section, "phrase", {{"name", object.name}, {"text", object.text}});
}
