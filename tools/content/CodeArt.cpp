#include "CodeArt.h"

#include "MinigameArt.h"
#include "PngFile.h"
#include "cContentTree.h"
#include "cImage.h"
#include "cLabelPainter.h"

#include "engine/foundation/cXmlNode.h"
#include "engine/scene/cMotionWriter.h"
#include "engine/sound/cOggEncoder.h"
#include "game/minigames/cMinigameBag.h"
#include "game/minigames/cMinigameCodeEnter1.h"
#include "game/minigames/cMinigameCodeEnter2.h"
#include "game/minigames/cMinigameL10Terminal.h"
#include "game/minigames/cMinigameL6Box.h"
#include "game/minigames/cMinigameTerminal.h"

#include <cmath>
#include <cstdio>
#include <vector>

const char* const kCodeTexts[][2] = {
	{"bag", "Click the six wheels until they show the numbers on the tag, and the bag opens."},
	{"code_enter1", "Click the three wheels until they show the numbers scratched on the plate."},
	{"code_enter2", "Click the three wheels until they show the numbers written on the plate."},
	{"l6_box", "Type the four digits of the note on the keys."},
	{"terminal", "Type the six digits of the note on the keys."},
	{"l10_terminal", "Hold the two buttons the note names pressed together."},
	{"computer", "Find the password among the words: four guesses, each tells how many letters it shares."},
	{"parol_word1", "ANCHOR"}, {"parol_word2", "BASKET"}, {"parol_word3", "CANDLE"}, {"parol_word4", "DRAGON"},
	{"parol_word5", "EMBERS"}, {"parol_word6", "FALCON"}, {"parol_word7", "GARDEN"}, {"parol_word8", "HAMMER"},
	{"parol_word9", "ISLAND"}, {"parol_word10", "JUNGLE"}, {"parol_word11", "KETTLE"}, {"parol_word12", "LANTERN"},
	{"parol_word13", "MARBLE"}, {"parol_word14", "NEEDLE"}, {"parol_word15", "ORCHID"}, {"parol_word16", "PARROT"},
	{"parol_word17", "QUARTZ"}, {"parol_word18", "RIBBON"}, {"parol_word19", "SADDLE"}, {"parol_word20", "TEMPLE"},
	{"parol_word21", "UNICORN"}, {"parol_word22", "VELVET"}, {"parol_word23", "WALNUT"}, {"parol_word24", "YELLOW"},
	{"parol_word25", "ZIPPER"}, {"parol_word26", "BOTTLE"}, {"parol_word27", "CASTLE"}, {"parol_word28", "DINNER"},
	{"parol_word29", "FOREST"}, {"parol_word30", "GOBLET"}, {"parol_word31", "HARBOR"}, {"parol_word32", "LADDER"},
	{"parol_word33", "MIRROR"}, {"parol_word34", "PEBBLE"}, {"parol_word35", "ROCKET"}, {"parol_word36", "SILVER"},
	{"parol_word37", "TICKET"}, {"parol_word38", "WINDOW"}, {"parol_word39", "BRIDGE"}, {"parol_word40", "CIRCLE"},
	{"parol_word41", "FLOWER"}, {"parol_word42", "GLOVES"}, {"parol_word43", "KNIGHT"}, {"parol_word44", "LEGEND"},
	{"parol_word45", "PLANET"}, {"parol_word46", "SECRET"}, {"parol_word47", "SHADOW"}, {"parol_word48", "SPIDER"},
	{"parol_word49", "THRONE"}, {"parol_word50", "VOYAGE"},
};
const size_t kCodeTextCount = sizeof kCodeTexts / sizeof kCodeTexts[0];

namespace
{
const char* const kFolder = "data/minigames/";
// The big serif font of the game's font table.
const char* const kDisplayFont = "22";
const char* const kWordFont = "0";

const sRgba kInk{30, 25, 20, 255};
const sRgba kPaper{245, 235, 210, 255};
const sRgba kLight{235, 235, 225, 255};
const sRgba kSteel{95, 100, 110, 255};

struct sPicture
{
	std::string name;
	cImage image;
};

cImage Panel(int width, int height, const sRgba& colour, const sRgba& rim)
{
	cImage image(width, height);
	image.FillRect(0, 0, width, height, rim);
	image.FillRect(4, 4, width - 4, height - 4, colour);
	return image;
}

// A panel with a text in the middle.
cImage Label(const cLabelPainter& labels, const std::string& text, int width, int height, const sRgba& colour,
	const sRgba& ink)
{
	cImage image = Panel(width, height, colour, ink);
	labels.Paint(image, text, width / 2, height / 2 + 8, ink);
	return image;
}

// A button's 2 x 2 atlas: normal, hovered, pressed, disabled.
cImage KeyAtlas(const cLabelPainter& labels, const std::string& text)
{
	const sRgba looks[] = {kLight, {255, 250, 200, 255}, {170, 170, 160, 255}, {120, 120, 120, 255}};
	cImage image(128, 128);
	for (int cell = 0; cell < 4; ++cell)
	{
		const int left = (cell % 2) * 64;
		const int top = (cell / 2) * 64;
		image.FillRect(left, top, left + 64, top + 64, kInk);
		image.FillRect(left + 4, top + 4, left + 60, top + 60, looks[cell]);
		labels.Paint(image, text, left + 32, top + 40, kInk);
	}
	return image;
}

std::string Spaced(const int* numbers, size_t count)
{
	std::string text;
	for (size_t i = 0; i < count; ++i)
		text += (i ? "  " : "") + std::to_string(numbers[i]);
	return text;
}

// The keys of the keypads: digits, then the two extra keys of each pad;
// their labels and the ends of their names.
const char* const kKeyLabels[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "P", "ON", "IN", "No"};
const char* const kKeyNames[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "p", "on", "in", "number"};
constexpr size_t kKeys = sizeof kKeyNames / sizeof kKeyNames[0];

std::vector<sPicture> DrawPictures(const cLabelPainter& labels)
{
	std::vector<sPicture> pictures = {
		{"code_leather", Panel(624, 430, {120, 70, 35, 255}, {80, 45, 20, 255})},
		{"code_steel", Panel(704, 540, kSteel, {60, 62, 70, 255})},
		{"code_brass", Panel(704, 540, {150, 120, 60, 255}, {100, 80, 40, 255})},
		{"code_slot", Panel(70, 90, {25, 25, 28, 255}, {160, 160, 170, 255})},
		{"code_lid", Label(labels, "BAG", 584, 90, {150, 90, 45, 255}, {60, 35, 15, 255})},
		{"code_lcd", Panel(300, 70, {40, 70, 40, 255}, {20, 20, 20, 255})},
		{"code_pressed", Panel(64, 64, {90, 90, 85, 255}, kInk)},
		{"code_glow", Panel(300, 70, {255, 255, 255, 255}, {255, 255, 255, 255})},
		{"code_screen", Panel(660, 440, {15, 35, 20, 255}, {60, 60, 60, 255})},
		{"code_row", Label(labels, "letters in common:", 220, 30, {15, 35, 20, 255}, {120, 220, 120, 255})},
		{"bag_clue", Label(labels, "tag: " + Spaced(cMinigameBag::kCombination, cMinigameBag::kWheels), 320, 40,
						 kPaper, kInk)},
		{"code_enter1_clue", Label(labels, "scratched: " + Spaced(cMinigameCodeEnter1::kCombination.data(), 3), 320,
								 40, kPaper, kInk)},
		{"code_enter2_clue", Label(labels, "written: " + Spaced(cMinigameCodeEnter2::kCombination.data(), 3), 320, 40,
								 kPaper, kInk)},
		{"l6_box_clue", Label(labels, std::string("note: ") + cMinigameL6Box::kCode, 320, 40, kPaper, kInk)},
		{"terminal_clue", Label(labels, std::string("note: ") + cMinigameTerminal::kCode, 320, 40, kPaper, kInk)},
		{"l10_terminal_clue", Label(labels,
								  std::string("hold ") + kKeyLabels[cMinigameL10Terminal::kPair[0]] + " and " +
									  kKeyLabels[cMinigameL10Terminal::kPair[1]] + " together",
								  320, 40, kPaper, kInk)},
		{"computer_attempts", Label(labels, "attempts left:", 210, 36, {15, 35, 20, 255}, {120, 220, 120, 255})},
	};
	for (int number = 1; number <= 10; ++number)
		pictures.push_back({"code_digit_" + std::to_string(number),
			Label(labels, std::to_string(number), 60, 70, {25, 25, 28, 255}, kLight)});
	for (size_t key = 0; key < kKeys; ++key)
		pictures.push_back({std::string("code_key_") + kKeyNames[key], KeyAtlas(labels, kKeyLabels[key])});
	return pictures;
}

// The quads: model, place, texture and the share of the texture shown.
std::vector<sQuadArt> Quads()
{
	return {
		{"code_leather", {200, 190, 824, 620}, "code_leather", 1, 1},
		{"code_steel", {160, 114, 864, 654}, "code_steel", 1, 1},
		{"code_brass", {160, 114, 864, 654}, "code_brass", 1, 1},
		{"code_slot", {0, 0, 70, 90}, "code_slot", 1, 1},
		{"code_lid", {220, 450, 804, 540}, "code_lid", 1, 1},
		{"code_lcd", {0, 0, 300, 70}, "code_lcd", 1, 1},
		{"code_glow", {0, 0, 300, 70}, "code_glow", 1, 1},
		{"code_screen", {190, 180, 850, 620}, "code_screen", 1, 1},
		{"code_row", {0, 0, 220, 30}, "code_row", 1, 1},
		{"code_attempts", {540, 540, 750, 576}, "computer_attempts", 1, 1},
		{"code_pressed", {0, 0, 64, 64}, "code_pressed", 1, 1},
	};
}

std::string Number(float value)
{
	char text[32];
	std::snprintf(text, sizeof text, "%g", value);
	return text;
}

std::string At(float x, float y, float z = 0)
{
	return "1 0 0 0 1 0 0 0 1 " + Number(x) + " " + Number(y) + " " + Number(z);
}

void AddClip(cXmlNode& piece, const std::string& name, int first, int last, float seconds)
{
	AddXmlElement(piece, "add_motion",
		{{"name", name}, {"first", std::to_string(first)}, {"last", std::to_string(last)}, {"length", Number(seconds)}});
}

cXmlNode* AddScene(cXmlNode& list, const char* name)
{
	return AddXmlElement(list, "resource", {{"name", name}, {"type", "scene_resource"}});
}

// The picture with its clue, under the frame's top edge.
void AddClue(cXmlNode& scene, const char* name, float x, float y)
{
	const std::string model = std::string(name) + "_clue";
	AddXmlElement(scene, "geometry", {{"name", "clue"}, {"model", model}, {"local", At(x, y)}});
}

// A wheel at (x, y): its slot ticks on every turn, and its digit children
// "digit_1" ... each show on the turn to their number. shown is the digit
// seen before the first turn (0: none).
void AddWheel(cXmlNode& scene, const std::string& name, float x, float y, int positions, int shown)
{
	cXmlNode* wheel = AddXmlElement(
		scene, "geometry", {{"name", name}, {"model", "code_slot"}, {"motion", "code_tick"}, {"local", At(x, y)}});
	for (int position = 1; position <= positions; ++position)
		AddClip(*wheel, "hit" + std::to_string(position), 0, 20, 0.25f);
	for (int digit = 1; digit <= positions; ++digit)
	{
		cXmlNode* piece = AddXmlElement(*wheel, "geometry",
			{{"name", "digit_" + std::to_string(digit)}, {"model", "code_digit_" + std::to_string(digit)},
				{"motion", "code_digit"}, {"local", At(0, 0, -1)}, {"color", digit == shown ? "1 1 1 1" : "0 1 1 1"}});
		for (int position = 1; position <= positions; ++position)
		{
			const bool own = position == digit;
			AddClip(*piece, "hit" + std::to_string(position), own ? 20 : 0, own ? 30 : 10, 0.2f);
		}
	}
}

// Six wheels (no fifth), the tag and the lid that lifts off.
void AddBag(cXmlNode& list)
{
	cXmlNode* scene = AddScene(list, "bag");
	AddXmlElement(*scene, "geometry", {{"name", "bag_body"}, {"model", "code_leather"}, {"local", At(0, 0, 1)}});
	const char* const wheels[] = {"code_1", "code_2", "code_3", "code_4", "code_6", "code_7"};
	for (int wheel = 0; wheel < 6; ++wheel)
		AddWheel(*scene, wheels[wheel], 262 + float(wheel) * 86, 300, 6, 6);
	cXmlNode* lid = AddXmlElement(*scene, "geometry", {{"name", "lid"}, {"model", "code_lid"}, {"motion", "code_open"}});
	AddClip(*lid, "open", 0, 10, 1.0f);
	AddClue(*scene, "bag", 352, 560);
	AddMinigameBorder(*scene);
}

// The plate (the window's frame), three wheels and the clue.
void AddCodeLock(cXmlNode& list, const char* name, const char* frame, const char* plate)
{
	cXmlNode* scene = AddScene(list, name);
	AddXmlElement(*scene, "geometry", {{"name", frame}, {"model", plate}, {"local", At(0, 0, 1)}});
	for (int wheel = 0; wheel < 3; ++wheel)
		AddWheel(*scene, "vall_" + std::to_string(wheel + 1), 392 + float(wheel) * 90, 330, 10, 0);
	AddClue(*scene, name, 352, 540);
	AddMinigameBorder(*scene);
}

// Key i of a pad three wide, from the top left.
float KeyX(int key)
{
	return 260 + float(key % 3) * 80;
}
float KeyY(int key)
{
	return 500 - float(key / 3) * 74;
}

// The keys "<stem><label>" over their pressed looks, in pad order: the
// digits 1 to 9, 0, then the extra keys; type is the keys' object type.
void AddKeys(cXmlNode& scene, const std::string& stem, const char* type, std::initializer_list<int> labels)
{
	int key = 0;
	for (int label : labels)
	{
		const float x = KeyX(key);
		const float y = KeyY(key++);
		AddXmlElement(scene, "geometry", {{"name", "pressed_" + std::to_string(key)}, {"model", "code_pressed"},
											 {"local", At(x, y, 0.5f)}});
		AddXmlElement(scene, type,
			{{"name", stem + kKeyNames[label]}, {"model", std::string("code_key_") + kKeyNames[label]},
				{"local", At(x, y)}});
	}
}

// The display's text objects "code<first>" ... on a screen.
void AddDisplay(cXmlNode& scene, int first, int count)
{
	AddXmlElement(scene, "geometry", {{"name", "display"}, {"model", "code_lcd"}, {"local", At(520, 470, 0.5f)}});
	for (int i = 0; i < count; ++i)
		AddXmlElement(scene, "text",
			{{"name", "code" + std::to_string(first + i)}, {"font_id", kDisplayFont}, {"color", "1 0.6 1 0.6"},
				{"local", At(540 + float(i) * 42, 530)}});
}

void AddKeypads(cXmlNode& list)
{
	cXmlNode* box = AddScene(list, "l6_box");
	AddXmlElement(*box, "geometry", {{"name", "case"}, {"model", "code_steel"}, {"local", At(0, 0, 1)}});
	AddKeys(*box, "button_", "geometry", {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 10, 11});
	AddDisplay(*box, 1, 4);
	AddClue(*box, "l6_box", 510, 380);
	AddMinigameBorder(*box);

	cXmlNode* terminal = AddScene(list, "terminal");
	AddXmlElement(*terminal, "geometry", {{"name", "case"}, {"model", "code_steel"}, {"local", At(0, 0, 1)}});
	AddKeys(*terminal, "button", "button", {1, 2, 3, 4, 5, 6, 7, 8, 9, 0});
	AddDisplay(*terminal, 0, 6);
	cXmlNode* glow = AddXmlElement(*terminal, "geometry",
		{{"name", "verdict"}, {"model", "code_glow"}, {"motion", "code_verdict"}, {"color", "0 1 1 1"},
			{"local", At(520, 470, 0.25f)}});
	AddClip(*glow, "correct", 0, 20, 1.2f);
	AddClip(*glow, "mistake", 20, 40, 1.0f);
	AddClue(*terminal, "terminal", 510, 380);
	AddMinigameBorder(*terminal);

	cXmlNode* panel = AddScene(list, "l10_terminal");
	AddXmlElement(*panel, "geometry", {{"name", "case"}, {"model", "code_brass"}, {"local", At(0, 0, 1)}});
	AddKeys(*panel, "button_", "geometry", {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 12, 13});
	AddClue(*panel, "l10_terminal", 520, 440);
	AddMinigameBorder(*panel);
}

// 21 words in three columns, the attempts, three answer rows, and a lamp
// for "success" and "failure".
void AddComputer(cXmlNode& list)
{
	cXmlNode* scene = AddScene(list, "computer");
	AddXmlElement(*scene, "geometry", {{"name", "screen"}, {"model", "code_screen"}, {"local", At(0, 0, 1)}});
	for (int word = 0; word < 21; ++word)
		AddXmlElement(*scene, "button_text",
			{{"name", "word" + std::to_string(word + 1)}, {"font_id", kWordFont}, {"color_n", "FF78DC78"},
				{"color_s", "FFFFFFFF"}, {"local", At(220 + float(word % 3) * 110, 580 - float(word / 3) * 52)}});
	AddXmlElement(*scene, "geometry", {{"name", "attempts_label"}, {"model", "code_attempts"}});
	AddXmlElement(*scene, "text",
		{{"name", "attempts_number"}, {"font_id", kDisplayFont}, {"color", "1 0.5 0.9 0.5"}, {"local", At(760, 580)}});
	for (int row = 1; row <= 3; ++row)
	{
		const float y = 520 - float(row) * 70;
		const std::string number = std::to_string(row);
		AddXmlElement(*scene, "text",
			{{"name", "word_select" + number}, {"font_id", kWordFont}, {"color", "1 0.5 0.9 0.5"}, {"local", At(560, y + 60)}});
		AddXmlElement(*scene, "geometry",
			{{"name", "symbols_text" + number}, {"model", "code_row"}, {"local", At(560, y)}});
		AddXmlElement(*scene, "text",
			{{"name", "symbols" + number}, {"font_id", kWordFont}, {"color", "1 1 1 1"}, {"local", At(790, y + 28)}});
	}
	cXmlNode* lamp = AddXmlElement(*scene, "geometry",
		{{"name", "verdict"}, {"model", "code_glow"}, {"motion", "code_verdict"}, {"color", "0 1 1 1"},
			{"local", At(540, 200, 0.5f)}});
	AddClip(*lamp, "success", 0, 20, 1.2f);
	AddClip(*lamp, "failure", 20, 40, 1.0f);
	AddMinigameBorder(*scene);
}

std::vector<std::pair<std::string, std::string>> MakeMotions()
{
	auto keys = [](std::initializer_list<sColor> colours, std::initializer_list<std::pair<float, float>> places) {
		cMotionWriter writer;
		float time = 0;
		auto place = places.begin();
		for (const sColor& colour : colours)
		{
			cMotionWriter& key = writer.AddKeyTime(time).AddColour(colour);
			if (place != places.end())
				key.AddPosition(place->first, place->second, 0), ++place;
			time += 10;
		}
		return writer.GetBytes();
	};
	const sColor white(1, 1, 1, 1);
	const sColor clear(1, 1, 1, 0);
	return {
		{"code_tick", keys({white, white, white}, {{0, 0}, {0, -6}, {0, 0}})},
		// Hidden (keys 0 to 10), then shown (keys 20 to 30).
		{"code_digit", keys({clear, clear, white, white}, {})},
		{"code_open", keys({white, clear}, {{0, 0}, {0, 80}})},
		// Green for the right answer (keys 0 to 20), red for a wrong one (20 to 40).
		{"code_verdict", keys({sColor(0.3f, 1, 0.3f, 0), sColor(0.3f, 1, 0.3f, 0.8f), sColor(1, 0.2f, 0.2f, 0),
							  sColor(1, 0.2f, 0.2f, 0.8f), sColor(1, 0.2f, 0.2f, 0)},
							 {})},
	};
}

// A short tone of the frequency falling off quickly, with some noise.
std::vector<float> Tick(long rate, float frequency, float seconds, float noise)
{
	std::vector<float> samples(size_t(float(rate) * seconds));
	uint32_t seed = 5;
	for (size_t i = 0; i < samples.size(); ++i)
	{
		const float t = float(i) / float(rate);
		seed = seed * 22695477u + 1u;
		const float hiss = float(seed >> 9) / float(1u << 23) - 1;
		samples[i] = 0.4f * std::exp(-t * 30) * ((1 - noise) * std::sin(6.2831853f * frequency * t) + noise * hiss);
	}
	return samples;
}

bool WriteArt(cContentTree& tree, const cLabelPainter& labels)
{
	for (const sPicture& picture : DrawPictures(labels))
	{
		const std::string png = EncodePng(picture.image);
		if (png.empty() || !tree.WriteFile(kFolder + picture.name + ".png", png))
			return false;
	}
	// The digits sit in their slots; the keys show the first cell of their atlas.
	std::vector<std::pair<std::string, sQuadArt>> models;
	for (int number = 1; number <= 10; ++number)
		models.push_back({"code_digit_" + std::to_string(number), {"", {5, 10, 65, 80}, "", 1, 1}});
	for (const char* key : kKeyNames)
		models.push_back({std::string("code_key_") + key, {"", {0, 0, 64, 64}, "", 0.5f, 0.5f}});
	for (const char* clue : {"bag", "code_enter1", "code_enter2", "l6_box", "terminal", "l10_terminal"})
		models.push_back({std::string(clue) + "_clue", {"", {0, 0, 320, 40}, "", 1, 1}});
	for (const sQuadArt& quad : Quads())
		models.push_back({quad.model, quad});
	for (auto& [name, quad] : models)
	{
		quad.model = name.c_str();
		if (!*quad.texture)
			quad.texture = name.c_str();
		if (!tree.WriteFile(kFolder + name + ".model", QuadModelBytes(quad)))
			return false;
	}
	for (const auto& [name, bytes] : MakeMotions())
		if (!tree.WriteFile(kFolder + name + ".motion", bytes))
			return false;
	const long rate = 44100;
	const std::pair<const char*, std::vector<float>> sounds[] = {
		{"roll", Tick(rate, 900, 0.15f, 0.6f)}, {"click", Tick(rate, 1800, 0.08f, 0.3f)}, {"bip", Tick(rate, 1200, 0.2f, 0)}};
	for (const auto& [name, samples] : sounds)
	{
		const std::string ogg = cOggEncoder(2, rate, 0.3f).Encode({samples, samples});
		if (ogg.empty() || !tree.WriteFile(kFolder + std::string(name) + ".ogg", ogg))
			return false;
	}
	return true;
}

bool WriteScenes(cContentTree& tree)
{
	cXmlNode list("resources");
	AddBag(list);
	AddCodeLock(list, "code_enter1", "square", "code_steel");
	AddCodeLock(list, "code_enter2", "okno", "code_brass");
	AddKeypads(list);
	AddComputer(list);
	return tree.WriteXml(std::string(kFolder) + "codes.resource", list);
}
}

bool WriteCodeContent(cContentTree& tree, const std::string& fontFolder)
{
	cLabelPainter labels;
	if (labels.Open(fontFolder, 22) && WriteArt(tree, labels) && WriteScenes(tree))
		return true;
	std::fprintf(stderr, "cannot make the code locks, keypads and the computer\n");
	return false;
}
