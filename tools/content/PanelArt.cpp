#include "PanelArt.h"

#include "engine/scene/cMotionWriter.h"
#include "engine/scene/cSceneManager.h"

#include <cmath>
#include <cstdint>
#include <tuple>

const char* const kPanelTexts[][2] = {
	{"panel_menu", "Menu"},
	{"panel_objectives", "Objectives"},
	{"panel_hint", "Hint"},
	{"panel_hint_charging", "The hint is recharging"},
	{"panel_room", "Diary and map"},
	{"panel_room_label", "Map"},
	{"aim_search_room", "Search the room for hidden things"},
};
const size_t kPanelTextCount = sizeof kPanelTexts / sizeof kPanelTexts[0];

namespace
{
const float kPi = 3.14159265f;

// The bar fills the bottom 128 pixels of the 1024 by 768 screen (y up).
const int kBarWidth = 1024;
const int kBarHeight = 128;
// The inventory slots: their row's top-left corner and their spacing.
const int kSlotsLeft = 184;
const int kSlotsTop = 96;
const int kSlotStep = 72;
const int kSlotSize = 64;
const int kSlotCount = 6;
const int kListLines = 6;
// Fonts by id: 0 the default, 6 the small one.
const char* const kLineFont = "6";
const char* const kAimFont = "0";

// The objective layouts and how many aims each shows.
const struct
{
	const char* name;
	int lines;
} kObjectiveLayouts[] = {{"objectives_00", 4}, {"objectives_01", 2}, {"objectives_02", 1}, {"objectives_03", 3},
	{"objectives_04", 5}};

const sRgba kWood{92, 58, 34, 255};
const sRgba kWoodLight{150, 104, 60, 255};
const sRgba kWell{40, 26, 16, 255};

cMatrix At(float x, float y, float z)
{
	cMatrix matrix;
	return matrix.MakeTranslation(cVector3d(x, y, z));
}

sObjectDesc Object(const char* type, const std::string& name, const cMatrix& local, const std::string& model = "")
{
	sObjectDesc desc;
	desc.type = Singletone<cSceneManager>::GetInstance()->GetObjectTypeId(type);
	desc.name = name;
	desc.local = local;
	desc.model = model;
	return desc;
}

sObjectDesc Text(const std::string& name, const cMatrix& local, const char* font, const sColor& colour)
{
	sObjectDesc desc = Object("text", name, local);
	desc.properties = {{"font_id", font}};
	desc.colour = colour;
	return desc;
}

// A disc of the colour with a darker rim, centred in the cell.
void DrawDisc(cImage& image, int left, int top, int size, const sRgba& colour)
{
	const float centre = size / 2.0f;
	auto disc = [=](float inset) {
		return [=](float x, float y) {
			const float dx = x - left - centre;
			const float dy = y - top - centre;
			return dx * dx + dy * dy < (centre - inset) * (centre - inset);
		};
	};
	const sRgba rim{uint8_t(colour.r / 2), uint8_t(colour.g / 2), uint8_t(colour.b / 2), 255};
	image.FillShape(left, top, left + size, top + size, disc(2), rim);
	image.FillShape(left, top, left + size, top + size, disc(6), colour);
}

sRgba Scaled(const sRgba& colour, float factor)
{
	auto channel = [factor](uint8_t value) { return uint8_t(std::fmin(255.0f, value * factor)); };
	return {channel(colour.r), channel(colour.g), channel(colour.b), colour.a};
}

// The four looks of a button in a 2 by 2 atlas: normal, hovered, pressed,
// disabled; each cell a disc with the symbol drawn over it.
cImage DrawButtonAtlas(const sRgba& face, const std::function<void(cImage&, int, int)>& symbol)
{
	cImage image(128, 128);
	const sRgba looks[4] = {face, Scaled(face, 1.3f), Scaled(face, 0.7f), {110, 110, 110, 255}};
	for (int cell = 0; cell < 4; ++cell)
	{
		const int left = (cell % 2) * 64;
		const int top = (cell / 2) * 64;
		DrawDisc(image, left, top, 64, looks[cell]);
		symbol(image, left, top);
	}
	return image;
}

const sRgba kSymbol{250, 245, 230, 255};

void ThreeLines(cImage& image, int left, int top)
{
	for (int line = 0; line < 3; ++line)
		image.FillRect(left + 20, top + 22 + line * 8, left + 44, top + 26 + line * 8, kSymbol);
}

void Tick(cImage& image, int left, int top)
{
	image.FillShape(left, top, left + 64, top + 64,
		[=](float x, float y) {
			const float u = x - left;
			const float v = y - top;
			return (std::fabs(v - (u + 14)) < 3 && u > 18 && u < 30) || (std::fabs(v - (74 - u)) < 3 && u > 28 && u < 46);
		},
		kSymbol);
}

void Door(cImage& image, int left, int top)
{
	image.FillRect(left + 24, top + 18, left + 40, top + 46, kSymbol);
	image.FillRect(left + 34, top + 31, left + 37, top + 34, kWell);
}

void Star(cImage& image, int left, int top)
{
	image.FillShape(left, top, left + 64, top + 64,
		[=](float x, float y) {
			const float dx = x - left - 32;
			const float dy = y - top - 32;
			const float radius = std::sqrt(dx * dx + dy * dy);
			const float angle = std::atan2(dy, dx);
			return radius < 10 + 8 * std::fabs(std::cos(2.5f * angle));
		},
		kSymbol);
}

cImage DrawBar()
{
	cImage image(kBarWidth, kBarHeight);
	image.FillRect(0, 0, kBarWidth, kBarHeight, kWood);
	image.FillRect(0, 0, kBarWidth, 6, kWoodLight);
	for (int slot = 0; slot < kSlotCount; ++slot)
	{
		const int left = kSlotsLeft + slot * kSlotStep;
		const int top = kBarHeight - kSlotsTop;
		image.FillRect(left - 2, top - 2, left + kSlotSize + 2, top + kSlotSize + 2, kWoodLight);
		image.FillRect(left, top, left + kSlotSize, top + kSlotSize, kWell);
	}
	return image;
}

cImage DrawSheet()
{
	cImage image(320, 256);
	image.FillRect(0, 0, 320, 256, {120, 90, 50, 255});
	image.FillRect(6, 6, 314, 250, {240, 226, 190, 255});
	return image;
}

cImage DrawSlot()
{
	cImage image(kSlotSize, kSlotSize);
	image.FillRect(0, 0, kSlotSize, kSlotSize, kWell);
	return image;
}

cImage DrawFlash()
{
	cImage image(64, 64);
	Star(image, 0, 0);
	return image;
}

}

const char* const kSparkleTexture = "sparkle";

cImage DrawSparkle()
{
	cImage image(32, 32);
	for (int y = 0; y < 32; ++y)
		for (int x = 0; x < 32; ++x)
		{
			const float dx = x + 0.5f - 16;
			const float dy = y + 0.5f - 16;
			const float fall = 1 - std::sqrt(dx * dx + dy * dy) / 16;
			if (fall > 0)
				image.Blend(x, y, {255, 240, 180, 255}, fall * fall);
		}
	return image;
}

namespace
{
sParticleSystemDesc Sparkles(const char* program, float duration, int count, float size)
{
	sParticleSystemDesc desc;
	desc.count = count;
	desc.interval = 0.05f;
	desc.windowLength = duration * 0.6f;
	desc.lifetime = 0.7f;
	desc.lifetimeVariation = 0.3f;
	desc.speed = 6;
	desc.speedVariation = 0.5f;
	desc.size = size;
	desc.sizeVariation = 0.3f;
	desc.polarSpread = kPi;
	desc.azimuthSpread = kPi;
	desc.fadeIn = 0.1f;
	desc.fadeOut = 0.3f;
	desc.textureName = kSparkleTexture;
	desc.colorKeys = {{0, 1, 0.95f, 0.6f, 1}, {1, 1, 0.6f, 0.2f, 0}};
	desc.programs = {{program, duration, false}};
	return desc;
}

// A tone of the frequencies in turn, each note decaying; the same samples
// on both channels.
std::vector<std::vector<float>> Notes(long rate, std::initializer_list<float> frequencies, float noteLength, float level)
{
	std::vector<float> samples;
	for (float frequency : frequencies)
		for (long i = 0; i < long(noteLength * rate); ++i)
		{
			const float t = float(i) / rate;
			const float envelope = std::fmin(1.0f, t * 200) * std::exp(-t * 6 / noteLength);
			samples.push_back(level * envelope *
				(std::sin(2 * kPi * frequency * t) + 0.3f * std::sin(4 * kPi * frequency * t)) / 1.3f);
		}
	return {samples, samples};
}

// A rising glide from low to high.
std::vector<std::vector<float>> Glide(long rate, float low, float high, float length)
{
	std::vector<float> samples;
	float phase = 0;
	for (long i = 0; i < long(length * rate); ++i)
	{
		const float t = float(i) / rate;
		phase += 2 * kPi * (low + (high - low) * t / length) / rate;
		const float envelope = std::fmin(1.0f, t * 100) * std::fmin(1.0f, (length - t) * 20);
		samples.push_back(0.5f * envelope * std::sin(phase));
	}
	return {samples, samples};
}

// A pen stroke: noise from a fixed seed, smoothed and shaped by a short swell.
std::vector<std::vector<float>> Scratch(long rate, float length)
{
	std::vector<float> samples;
	uint32_t seed = 12345;
	float smoothed = 0;
	for (long i = 0; i < long(length * rate); ++i)
	{
		seed = seed * 1664525u + 1013904223u;
		const float noise = float(seed >> 8) / float(1u << 24) * 2 - 1;
		smoothed += (noise - smoothed) * 0.3f;
		const float t = float(i) / rate;
		samples.push_back(0.6f * smoothed * std::sin(kPi * t / length));
	}
	return {samples, samples};
}
}

std::vector<sPanelPicture> DrawPanelPictures()
{
	std::vector<sPanelPicture> pictures;
	pictures.push_back({"panel_bar", DrawBar(), float(kBarWidth), float(kBarHeight), 1});
	pictures.push_back({"button_menu", DrawButtonAtlas({60, 110, 60, 255}, ThreeLines), 64, 64, 0.5f});
	pictures.push_back({"button_aims", DrawButtonAtlas({60, 80, 140, 255}, Tick), 64, 64, 0.5f});
	pictures.push_back({"button_room", DrawButtonAtlas({140, 70, 50, 255}, Door), 64, 64, 0.5f});
	pictures.push_back({"hint_orb", DrawButtonAtlas({200, 160, 40, 255}, Star), 80, 80, 0.5f});
	pictures.push_back({"slot", DrawSlot(), float(kSlotSize), float(kSlotSize), 1, true});
	pictures.push_back({"objectives_sheet", DrawSheet(), 320, 256, 1});
	pictures.push_back({"aim_flash", DrawFlash(), 64, 64, 1});
	return pictures;
}

void MakePanelModel(const sPanelPicture& picture, cModel& model)
{
	struct sVertex
	{
		float x, y, z, u, v;
	};
	const float w = picture.width;
	const float h = picture.height;
	const float c = picture.cell;
	// y grows upward on the screen: the picture hangs below its top-left corner.
	const float left = picture.centred ? -w / 2 : 0;
	const float top = picture.centred ? h / 2 : 0;
	const sVertex vertices[4] = {{left, top, 0, 0, 0}, {left + w, top, 0, c, 0}, {left + w, top - h, 0, c, c},
		{left, top - h, 0, 0, c}};
	model.name = picture.name;
	model.vertexFormat = D3DFVF_XYZ | D3DFVF_TEX1;
	const auto* bytes = reinterpret_cast<const uint8_t*>(vertices);
	model.vertexBytes.assign(bytes, bytes + sizeof vertices);
	model.indices = {0, 1, 2, 0, 2, 3};
	model.boundsMin = cVector3d(left, top - h, 0);
	model.boundsMax = cVector3d(left + w, top, 0);
	sModelMaterial material;
	material.triangleCount = 2;
	material.textureNames = {picture.name};
	model.materials = {material};
}

sObjectDesc MakePanelScene()
{
	const sColor white(1, 1, 1, 1);
	const sColor ink(0.25f, 0.15f, 0.05f, 1);
	sObjectDesc root;
	root.name = "gamepanel";
	root.children.push_back(Object("geometry", "bar", At(0, kBarHeight, 0), "panel_bar"));
	root.children.push_back(Object("button", "menu_button", At(16, 96, -1), "button_menu"));
	sObjectDesc aims = Object("object", "button_aims_back", At(96, 96, -1));
	aims.children.push_back(Object("button", "aims", At(0, 0, 0), "button_aims"));
	root.children.push_back(aims);
	root.children.push_back(Object("button", "hint_button", At(856, 104, -1), "hint_orb"));
	root.children.push_back(Object("button", "room_button", At(944, 96, -1), "button_room"));
	// Names under the menu and room buttons.
	for (const auto& [name, text, x] : {std::tuple<const char*, const char*, float>{"menu_label", "panel_menu", 28},
			 {"room_label", "panel_room_label", 962}})
	{
		sObjectDesc label = Text(name, At(x, 16, -1), kLineFont, white);
		label.properties.push_back({"text_id", text});
		root.children.push_back(label);
	}

	// Each slot's origin is its centre.
	const float halfSlot = kSlotSize / 2.0f;
	sObjectDesc slots = Object("object", "slots_parent", At(kSlotsLeft + halfSlot, kSlotsTop - halfSlot, -1));
	for (int slot = 0; slot < kSlotCount; ++slot)
	{
		sObjectDesc inventory = Object("inventory", "inventory_" + std::to_string(slot), At(float(slot * kSlotStep), 0, 0), "slot");
		inventory.children.push_back(Text("count", At(12, -12, -1), kLineFont, white));
		slots.children.push_back(inventory);
	}
	root.children.push_back(slots);

	sObjectDesc diary = Object("object", "diary", At(636, 104, -1));
	sObjectDesc lines = Object("object", "lines_parent", At(0, 0, 0));
	for (int line = 0; line < kListLines; ++line)
		lines.children.push_back(
			Text("text_items_" + std::to_string(line), At(float(line % 2 * 108), float(-(line / 2) * 28), 0), kLineFont, white));
	diary.children.push_back(lines);
	root.children.push_back(diary);

	sObjectDesc aimText = Text("text_aim", At(kSlotsLeft, 160, -2), kAimFont, white);
	aimText.motion = "panel_aim_text";
	aimText.motions = {{"task", 0, 30, 6, "", false}};
	root.children.push_back(aimText);
	for (const auto& [name, x] : {std::pair<const char*, float>{"pellith_get_aim", 96}, {"pellith_solve_aim", 136}})
	{
		sObjectDesc flash = Object("flash", name, At(x, 180, -2), "aim_flash");
		flash.properties = {{"manual", "true"}};
		root.children.push_back(flash);
	}

	sObjectDesc objectives = Object("object", "objectives", At(352, 600, -5));
	objectives.visible = false;
	objectives.children.push_back(Object("geometry", "sheet", At(0, 0, 0), "objectives_sheet"));
	for (const auto& layout : kObjectiveLayouts)
	{
		// The lines of a layout stand in the middle of the sheet.
		sObjectDesc lines = Object("object", layout.name, At(32, float(-128 + layout.lines * 18), -1));
		lines.visible = false;
		for (int line = 0; line < 5; ++line)
			lines.children.push_back(Text("text_aim_" + std::to_string(line), At(0, float(-line * 36), 0), kAimFont, ink));
		objectives.children.push_back(lines);
	}
	root.children.push_back(objectives);

	// Out of sight until a hint places them.
	root.children.push_back(Object("psystem", "hint_fx", At(-1000, -1000, -3), "hint_sparkle"));
	root.children.push_back(Object("psystem", "hint_fx_2", At(-1000, -1000, -3), "hint_sparkle"));
	return root;
}

std::string AimTextMotionBytes()
{
	cMotionWriter writer;
	for (const auto& [time, alpha] : {std::pair{0.0f, 0.0f}, {2.0f, 1.0f}, {26.0f, 1.0f}, {30.0f, 0.0f}})
		writer.AddKeyTime(time).AddColour(sColor(1, 1, 1, alpha));
	return writer.GetBytes();
}

std::vector<std::pair<std::string, sParticleSystemDesc>> MakePanelParticles()
{
	sParticleSystemDesc trail = Sparkles("play", 1, 2, 10);
	trail.interval = 0.02f;
	trail.speed = 1;
	trail.lifetime = 0.4f;
	return {{"hint_sparkle", Sparkles("hint", 1.5f, 6, 14)}, {"found_sparkle", Sparkles("play", 1, 8, 12)},
		{"fly_trail", trail}};
}

std::string PanelEffectsXml()
{
	return "<effects>\n"
		   "\t<effect name=\"ispy\" particles=\"found_sparkle\" length=\"1.5\"/>\n"
		   "\t<effect name=\"diary_enable\" particles=\"found_sparkle\" length=\"1\"/>\n"
		   "\t<effect name=\"fly_effect\" particles=\"fly_trail\" length=\"1\"/>\n"
		   "</effects>\n";
}

std::vector<std::pair<std::string, std::vector<std::vector<float>>>> ComposePanelSounds(long rate)
{
	return {{"hint", Glide(rate, 500, 1400, 0.35f)}, {"hint_full", Notes(rate, {880, 1320}, 0.3f, 0.5f)},
		{"crossout", Scratch(rate, 0.2f)}, {"button_click", Notes(rate, {2000}, 0.04f, 0.4f)}};
}
