#include "MechanismArt.h"

#include "MinigameArt.h"
#include "cContentTree.h"
#include "cImage.h"
#include "cLabelPainter.h"

#include "engine/foundation/cQuaternion.h"
#include "engine/foundation/cXmlNode.h"
#include "engine/foundation/sColor.h"
#include "engine/scene/cMotionWriter.h"
#include "engine/sound/cOggEncoder.h"
#include "game/minigames/SafeCombination.h"
#include "game/minigames/PeriscopeRoute.h"
#include "game/minigames/SafeDial.h"
#include "game/minigames/cMinigameSafe.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

const char* const kMechanismTexts[][2] = {
	{"lock", "Hold the pin and circle the mouse about it, then click the lock"},
	{"safe", "Turn the handle and let go on each letter of the note in turn"},
	{"phone", "Press the keys; when the bar is full, Skip ends the call"},
	{"periscope", "Steer with the arrows through buoys 1, 2, 3... Red lamp: step back"},
};
const size_t kMechanismTextCount = sizeof kMechanismTexts / sizeof kMechanismTexts[0];

namespace
{
const char* const kFolder = "data/minigames/";
const float kPi = 3.14159265f;

// The playing field inside the frame, clear of its buttons.
const sRect kField{176, 184, 848, 572};
const int kFieldWidth = 672, kFieldHeight = 388;

// The lock: the pin on the left, the lock cylinder on the right.
const float kPinX = 360, kPinY = 400, kPinHalf = 100;
const float kLockX = 640, kLockY = 400, kLockHalf = 84;

// The safe: the dial on the left with the letters about the handle, the
// note on the right.
const float kDialX = 420, kDialY = 378, kLetterRadius = 140, kHandleHalf = 120, kSymbolHalf = 28;
const sRect kNote{610, 250, 840, 510};

// The phone: the screen on the left, seven rows of three keys on the right.
const float kKeyHalfWidth = 40, kKeyHalfHeight = 24;
const float kKeyColumns[] = {600, 690, 780};
const float kKeyTopRow = 540, kKeyRowStep = 54;
struct sPhoneKey
{
	const char* name;
	const char* label;
};
const sPhoneKey kPhoneKeys[7][3] = {
	{{"button_lt", "MENU"}, {"button_t", "UP"}, {"button_rt", "BACK"}},
	{{"button_talk", "CALL"}, {"button_b", "DOWN"}, {"button_end", "END"}},
	{{"button_1", "1"}, {"button_2", "2"}, {"button_3", "3"}},
	{{"button_4", "4"}, {"button_5", "5"}, {"button_6", "6"}},
	{{"button_7", "7"}, {"button_8", "8"}, {"button_9", "9"}},
	{{"button_lb", "*"}, {"button_0", "0"}, {"button_rb", "#"}},
};
const int kPhoneRows = 6;

// The periscope: the eyepiece on the left shows the cell under its cross;
// the chart moves a cell per step behind it. The buttons and the lamp are
// on the right.
const float kEyeX = 380, kEyeY = 378, kEyeRadius = 170, kCell = 64, kChartMargin = 230;
const sRect kChart{kEyeX - kChartMargin, kEyeY - kChartMargin,
	kEyeX + kPeriscopeMaxR * kCell + kChartMargin, kEyeY + kPeriscopeMaxU * kCell + kChartMargin};
const float kPadX = 712, kPadY = 300, kPadStep = 72, kButtonHalf = 32;
const float kLampX = 650, kLampY = 472, kLampHalf = 22;
struct sSteer
{
	const char* button;
	float dx, dy;
};
// The buttons with their places about the pad's middle; the arrow points
// the same way, the centre button shows a ring.
const sSteer kSteers[] = {{"button_left", -1, 0}, {"button_right", 1, 0}, {"button_up", 0, 1}, {"button_down", 0, -1},
	{"button_center", 0, 0}};

const sRgba kInk{30, 25, 20, 255};
const sRgba kPaper{245, 235, 210, 255};
const sRgba kBrass{200, 160, 70, 255};
const sRgba kSteel{110, 115, 125, 255};
const sRgba kDark{35, 35, 40, 255};

struct sPicture
{
	std::string name;
	cImage image;
};

sRgba Shade(const sRgba& colour, float factor)
{
	auto channel = [&](uint8_t value) { return uint8_t(std::fmin(255.0f, float(value) * factor)); };
	return {channel(colour.r), channel(colour.g), channel(colour.b), colour.a};
}

cImage Solid(int width, int height, const sRgba& colour)
{
	cImage image(width, height);
	image.FillRect(0, 0, width, height, colour);
	return image;
}

// A disc of the radius about (x, y), in image pixels.
void Disc(cImage& image, float x, float y, float radius, const sRgba& colour)
{
	image.FillShape(int(x - radius) - 1, int(y - radius) - 1, int(x + radius) + 2, int(y + radius) + 2,
		[=](float px, float py) { return (px - x) * (px - x) + (py - y) * (py - y) <= radius * radius; }, colour);
}

// A thick line from (x0, y0) to (x1, y1), in image pixels.
void Line(cImage& image, float x0, float y0, float x1, float y1, float width, const sRgba& colour)
{
	const float dx = x1 - x0, dy = y1 - y0;
	const float length = std::sqrt(dx * dx + dy * dy);
	image.FillShape(int(std::fmin(x0, x1) - width), int(std::fmin(y0, y1) - width), int(std::fmax(x0, x1) + width) + 1,
		int(std::fmax(y0, y1) + width) + 1,
		[=](float px, float py) {
			const float along = ((px - x0) * dx + (py - y0) * dy) / length;
			const float across = std::fabs((px - x0) * dy - (py - y0) * dx) / length;
			return along >= 0 && along <= length && across <= width / 2;
		},
		colour);
}

// The image pixel of a screen point in a picture that covers the rect.
float ImageX(const sRect& rect, float x) { return x - rect.left; }
float ImageY(const sRect& rect, float y) { return rect.top - y; }

// Where the safe's symbol lies on the dial, as a turn from the top
// clockwise: the middle of the handle positions that select it.
float SymbolTurn(int symbol)
{
	float x = 0, y = 0;
	for (int step = 0; step < 1000; ++step)
	{
		const float position = float(step) / 1000;
		if (SafeSymbolAt(position) == symbol)
		{
			x += std::sin(2 * kPi * position);
			y += std::cos(2 * kPi * position);
		}
	}
	const float turn = std::atan2(x, y) / (2 * kPi);
	return turn < 0 ? turn + 1 : turn;
}

// The screen point of the safe's symbol.
float SymbolX(int symbol) { return kDialX + kLetterRadius * std::sin(2 * kPi * SymbolTurn(symbol)); }
float SymbolY(int symbol) { return kDialY + kLetterRadius * std::cos(2 * kPi * SymbolTurn(symbol)); }

std::string Letter(int symbol) { return std::string(1, char('A' + symbol)); }

// Lines of text centred on x, one under the other from the baseline.
void Paragraph(cImage& image, const cLabelPainter& labels, std::initializer_list<const char*> lines, int x, int baseline,
	const sRgba& colour)
{
	for (const char* line : lines)
	{
		labels.Paint(image, line, x, baseline, colour);
		baseline += 28;
	}
}

cImage LockDoor(const cLabelPainter& labels)
{
	cImage image = Solid(kFieldWidth, kFieldHeight, {105, 70, 40, 255});
	for (int plank = 0; plank < kFieldWidth; plank += 96)
		image.FillRect(plank, 0, plank + 3, kFieldHeight, {80, 52, 30, 255});
	const float lockX = ImageX(kField, kLockX), lockY = ImageY(kField, kLockY);
	Disc(image, lockX, lockY, kLockHalf + 26, Shade(kBrass, 0.7f));
	Disc(image, lockX, lockY, kLockHalf + 4, kDark);
	Paragraph(image, labels, {"Hold the pin and", "circle the mouse"}, int(ImageX(kField, kPinX)), 318, kPaper);
	Paragraph(image, labels, {"Click the lock", "to try the pin"}, int(lockX), 318, kPaper);
	return image;
}

// The cylinder with its keyhole upright; a quarter turn opens it.
cImage LockCylinder()
{
	const int size = int(2 * kLockHalf);
	cImage image(size, size);
	Disc(image, kLockHalf, kLockHalf, kLockHalf, kBrass);
	Disc(image, kLockHalf, kLockHalf, kLockHalf - 10, Shade(kBrass, 1.15f));
	Disc(image, kLockHalf, kLockHalf - 22, 14, kDark);
	image.FillRect(int(kLockHalf) - 6, int(kLockHalf) - 22, int(kLockHalf) + 6, int(kLockHalf) + 40, kDark);
	return image;
}

// A hairpin across its round grip.
cImage LockPin()
{
	const int size = int(2 * kPinHalf);
	cImage image(size, size);
	Line(image, 12, kPinHalf, size - 24, kPinHalf, 8, {200, 200, 210, 255});
	Line(image, size - 24, kPinHalf, size - 8, kPinHalf - 14, 8, {200, 200, 210, 255});
	Disc(image, kPinHalf, kPinHalf, 30, {60, 60, 70, 255});
	Disc(image, kPinHalf, kPinHalf, 22, {170, 40, 40, 255});
	return image;
}

cImage SafeDoor(const cLabelPainter& labels)
{
	cImage image = Solid(kFieldWidth, kFieldHeight, kSteel);
	const float dialX = ImageX(kField, kDialX), dialY = ImageY(kField, kDialY);
	Disc(image, dialX, dialY, kLetterRadius + 44, Shade(kSteel, 0.6f));
	Disc(image, dialX, dialY, kLetterRadius + 36, {60, 62, 70, 255});
	for (int symbol = 0; symbol < cMinigameSafe::kSymbols; ++symbol)
	{
		const float x = ImageX(kField, SymbolX(symbol)), y = ImageY(kField, SymbolY(symbol));
		Disc(image, x, y, kSymbolHalf, {90, 92, 100, 255});
		labels.Paint(image, Letter(symbol), int(x), int(y) + 9, {170, 170, 180, 255});
	}
	// The note: the letters of the combination in order.
	image.FillRect(int(ImageX(kField, kNote.left)), int(ImageY(kField, kNote.top)), int(ImageX(kField, kNote.right)),
		int(ImageY(kField, kNote.bottom)), kPaper);
	std::string letters;
	for (int symbol : kSafeCombination)
		letters += (letters.empty() ? "" : "  ") + Letter(symbol);
	const int noteX = int(ImageX(kField, (kNote.left + kNote.right) / 2));
	const int noteTop = int(ImageY(kField, kNote.top));
	Paragraph(image, labels, {"Note:"}, noteX, noteTop + 40, kInk);
	labels.Paint(image, letters, noteX, noteTop + 100, {170, 30, 30, 255});
	Paragraph(image, labels, {"Turn the handle,", "let go on each", "letter in order"}, noteX, noteTop + 160, kInk);
	return image;
}

// The handle, pointing up from its knob.
cImage SafeHandle()
{
	const int size = int(2 * kHandleHalf);
	cImage image(size, size);
	Line(image, kHandleHalf, kHandleHalf, kHandleHalf, 30, 18, {210, 210, 220, 255});
	image.FillShape(0, 0, size, 40,
		[](float x, float y) { return y >= 6 && std::fabs(x - kHandleHalf) <= (y - 6) * 0.6f; }, {230, 60, 50, 255});
	Disc(image, kHandleHalf, kHandleHalf, 44, {70, 72, 80, 255});
	Disc(image, kHandleHalf, kHandleHalf, 34, {190, 190, 200, 255});
	return image;
}

// A lit symbol of the dial.
cImage SafeSymbol(const cLabelPainter& labels, int symbol)
{
	const int size = int(2 * kSymbolHalf);
	cImage image(size, size);
	Disc(image, kSymbolHalf, kSymbolHalf, kSymbolHalf, {250, 210, 70, 255});
	labels.Paint(image, Letter(symbol), size / 2, size / 2 + 9, kInk);
	return image;
}

cImage PhoneBody(const cLabelPainter& labels)
{
	cImage image = Solid(kFieldWidth, kFieldHeight, {45, 48, 55, 255});
	image.FillRect(20, 30, 330, 360, {20, 20, 24, 255});
	image.FillRect(30, 40, 320, 350, {120, 160, 110, 255});
	Paragraph(image, labels, {"PHONE", "", "Press the keys.", "When the bar", "is full, Skip", "ends the call."}, 175, 90,
		{25, 40, 25, 255});
	return image;
}

cImage PhoneKey(const cLabelPainter& labels, const char* label, const sRgba& face)
{
	const int width = int(2 * kKeyHalfWidth), height = int(2 * kKeyHalfHeight);
	cImage image = Solid(width, height, kDark);
	image.FillRect(3, 3, width - 3, height - 3, face);
	if (*label)
		labels.Paint(image, label, width / 2, height / 2 + 9, kInk);
	return image;
}

// The eyepiece's panel: opaque but for the round glass with its cross,
// and the labels of the lamp and the buttons.
cImage PeriscopeScope(const cLabelPainter& labels)
{
	cImage image(kFieldWidth, kFieldHeight);
	const float eyeX = ImageX(kField, kEyeX), eyeY = ImageY(kField, kEyeY);
	image.FillShape(0, 0, kFieldWidth, kFieldHeight,
		[=](float x, float y) { return (x - eyeX) * (x - eyeX) + (y - eyeY) * (y - eyeY) > kEyeRadius * kEyeRadius; },
		{70, 85, 75, 255});
	image.FillShape(0, 0, kFieldWidth, kFieldHeight,
		[=](float x, float y) {
			const float distance = std::sqrt((x - eyeX) * (x - eyeX) + (y - eyeY) * (y - eyeY));
			return distance > kEyeRadius && distance < kEyeRadius + 14;
		},
		kDark);
	const sRgba cross{230, 40, 40, 200};
	Line(image, eyeX - kEyeRadius, eyeY, eyeX - 12, eyeY, 2, cross);
	Line(image, eyeX + 12, eyeY, eyeX + kEyeRadius, eyeY, 2, cross);
	Line(image, eyeX, eyeY - kEyeRadius, eyeX, eyeY - 12, 2, cross);
	Line(image, eyeX, eyeY + 12, eyeX, eyeY + kEyeRadius, 2, cross);
	const int padX = int(ImageX(kField, kPadX));
	Paragraph(image, labels, {"Follow the buoys", "1, 2, 3 ... to 29"}, padX, 24, kPaper);
	labels.Paint(image, "course", padX + 30, int(ImageY(kField, kLampY)) + 8, kPaper);
	labels.Paint(image, "O: back to start", padX, int(ImageY(kField, kPadY + kPadStep + kButtonHalf)) - 10, kPaper);
	return image;
}

// A button's 2 x 2 atlas (normal, hovered, pressed, disabled) with an
// arrow the way it steers, or a ring for the centre.
cImage SteerAtlas(const sSteer& steer)
{
	const sRgba looks[] = {{215, 215, 200, 255}, {255, 245, 190, 255}, {160, 160, 150, 255}, {110, 110, 110, 255}};
	const int cell = int(2 * kButtonHalf);
	cImage image(2 * cell, 2 * cell);
	for (int look = 0; look < 4; ++look)
	{
		const float left = float((look % 2) * cell), top = float((look / 2) * cell);
		const float middleX = left + kButtonHalf, middleY = top + kButtonHalf;
		image.FillRect(int(left), int(top), int(left) + cell, int(top) + cell, kDark);
		image.FillRect(int(left) + 4, int(top) + 4, int(left) + cell - 4, int(top) + cell - 4, looks[look]);
		if (steer.dx == 0 && steer.dy == 0)
		{
			image.FillShape(int(left), int(top), int(left) + cell, int(top) + cell,
				[=](float x, float y) {
					const float distance = std::sqrt((x - middleX) * (x - middleX) + (y - middleY) * (y - middleY));
					return distance > 9 && distance < 17;
				},
				kInk);
			continue;
		}
		// The arrow in image rows, which run downwards.
		const float ax = steer.dx, ay = -steer.dy;
		image.FillShape(int(left), int(top), int(left) + cell, int(top) + cell,
			[=](float x, float y) {
				const float along = (x - middleX) * ax + (y - middleY) * ay;
				const float across = std::fabs((x - middleX) * ay - (y - middleY) * ax);
				return along >= -18 && along <= 18 && across <= (18 - along) * 0.6f;
			},
			kInk);
	}
	return image;
}

// The chart: sea with rocks beside the course, the course from buoy to
// buoy, and at each buoy the numbers of the steps that reach it.
cImage PeriscopeChart(const cLabelPainter& numbers)
{
	const int width = int(kChart.right - kChart.left), height = int(kChart.top - kChart.bottom);
	cImage image = Solid(width, height, {40, 95, 140, 255});
	const auto& route = kPeriscopeRoute;
	auto cellX = [](int r) { return ImageX(kChart, kEyeX + float(r) * kCell); };
	auto cellY = [](int u) { return ImageY(kChart, kEyeY + float(u) * kCell); };
	std::map<std::pair<int, int>, std::string> labels;
	for (size_t step = 0; step < std::size(route); ++step)
	{
		std::string& label = labels[{route[step].u, route[step].r}];
		label += (label.empty() ? "" : " ") + (step ? std::to_string(step) : std::string("S"));
	}
	for (int u = 0; u <= kPeriscopeMaxU; ++u)
		for (int r = 0; r <= kPeriscopeMaxR; ++r)
			if (!labels.count({u, r}))
				Disc(image, cellX(r) + float((u * 7 + r * 3) % 9) - 4, cellY(u), 22, {120, 95, 60, 255});
	for (size_t step = 1; step < std::size(route); ++step)
		Line(image, cellX(route[step - 1].r), cellY(route[step - 1].u), cellX(route[step].r), cellY(route[step].u), 5,
			{240, 210, 80, 200});
	for (const auto& [cell, label] : labels)
	{
		Disc(image, cellX(cell.second), cellY(cell.first), 9, {240, 240, 240, 255});
		Disc(image, cellX(cell.second), cellY(cell.first), 5, {210, 40, 40, 255});
		numbers.Paint(image, label, int(cellX(cell.second)), int(cellY(cell.first)) - 13, {255, 255, 255, 255});
	}
	return image;
}

cImage LampImage(const sRgba& colour)
{
	const int size = int(2 * kLampHalf);
	cImage image(size, size);
	Disc(image, kLampHalf, kLampHalf, kLampHalf, kDark);
	Disc(image, kLampHalf, kLampHalf, kLampHalf - 4, colour);
	return image;
}

std::string PhoneKeyModel(const char* name)
{
	return std::string("phone_") + name;
}

sRect Around(float halfWidth, float halfHeight)
{
	return {-halfWidth, -halfHeight, halfWidth, halfHeight};
}

std::vector<sPicture> DrawPictures(const cLabelPainter& labels, const cLabelPainter& numbers)
{
	std::vector<sPicture> pictures = {
		{"lock_door", LockDoor(labels)},
		{"lock_cylinder", LockCylinder()},
		{"lock_pin", LockPin()},
		{"safe_door", SafeDoor(labels)},
		{"safe_handle", SafeHandle()},
		{"phone_body", PhoneBody(labels)},
		{"phone_key_in", PhoneKey(labels, "", {90, 92, 100, 255})},
		{"periscope_scope", PeriscopeScope(labels)},
		{"periscope_chart", PeriscopeChart(numbers)},
		{"periscope_haze", Solid(8, 8, {190, 205, 220, 110})},
		{"periscope_lamp_green", LampImage({60, 220, 60, 255})},
		{"periscope_lamp_red", LampImage({240, 40, 40, 255})},
	};
	for (int symbol = 0; symbol < cMinigameSafe::kSymbols; ++symbol)
		pictures.push_back({"safe_symbol_" + std::to_string(symbol + 1), SafeSymbol(labels, symbol)});
	for (int row = 0; row < kPhoneRows; ++row)
		for (const sPhoneKey& key : kPhoneKeys[row])
			pictures.push_back({PhoneKeyModel(key.name), PhoneKey(labels, key.label, {220, 222, 215, 255})});
	for (const sSteer& steer : kSteers)
		pictures.push_back({std::string("periscope_") + steer.button, SteerAtlas(steer)});
	return pictures;
}

// The quads: each named like its picture, except where noted.
std::vector<std::pair<std::string, sQuadArt>> Quads()
{
	std::vector<std::pair<std::string, sQuadArt>> quads = {
		{"lock_door", {"", kField, "", 1, 1}},
		{"lock_cylinder", {"", Around(kLockHalf, kLockHalf), "", 1, 1}},
		{"lock_pin", {"", Around(kPinHalf, kPinHalf), "", 1, 1}},
		{"safe_door", {"", kField, "", 1, 1}},
		{"safe_handle", {"", Around(kHandleHalf, kHandleHalf), "", 1, 1}},
		{"phone_body", {"", kField, "", 1, 1}},
		{"phone_key_in", {"", Around(kKeyHalfWidth, kKeyHalfHeight), "", 1, 1}},
		{"periscope_scope", {"", kField, "", 1, 1}},
		{"periscope_chart", {"", kChart, "", 1, 1}},
		{"periscope_haze", {"", kChart, "", 1, 1}},
		{"periscope_lamp_green", {"", Around(kLampHalf, kLampHalf), "", 1, 1}},
		{"periscope_lamp_red", {"", Around(kLampHalf, kLampHalf), "", 1, 1}},
	};
	for (int symbol = 1; symbol <= cMinigameSafe::kSymbols; ++symbol)
		quads.push_back({"safe_symbol_" + std::to_string(symbol), {"", Around(kSymbolHalf, kSymbolHalf), "", 1, 1}});
	for (int row = 0; row < kPhoneRows; ++row)
		for (const sPhoneKey& key : kPhoneKeys[row])
			quads.push_back({PhoneKeyModel(key.name), {"", Around(kKeyHalfWidth, kKeyHalfHeight), "", 1, 1}});
	// The buttons show the first cell of their atlas.
	for (const sSteer& steer : kSteers)
		quads.push_back({std::string("periscope_") + steer.button, {"", Around(kButtonHalf, kButtonHalf), "", 0.5f, 0.5f}});
	return quads;
}

// Motions by name.
std::vector<std::pair<std::string, std::string>> MakeMotions()
{
	// A full turn about z, clockwise on the screen, in quarters (keys 0 to 40).
	cMotionWriter spin;
	for (int quarter = 0; quarter <= 4; ++quarter)
	{
		const float half = -float(quarter) * kPi / 4;
		spin.AddKeyTime(float(quarter) * 10).AddRotation(cQuaternion(0, 0, std::sin(half), std::cos(half)));
	}
	// A rattle sideways (keys 0 to 30).
	cMotionWriter shake;
	const float rattle[] = {0, 10, -10, 0};
	for (int key = 0; key < 4; ++key)
		shake.AddKeyTime(float(key) * 10).AddPosition(rattle[key], 0, 0);
	// Clear, shown, clear (keys 0 to 20).
	cMotionWriter fade;
	for (int key = 0; key < 3; ++key)
		fade.AddKeyTime(float(key) * 10).AddColour(sColor(1, 1, 1, key == 1 ? 1.0f : 0.0f));
	// The chart's steps: the cross goes a cell left, right, up or down, so
	// the chart goes the other way (keys 0 to 10, 11 to 21, 22 to 32, 33 to 43).
	cMotionWriter chart;
	const float steps[4][2] = {{kCell, 0}, {-kCell, 0}, {0, -kCell}, {0, kCell}};
	for (int step = 0; step < 4; ++step)
	{
		chart.AddKeyTime(float(step) * 11).AddPosition(0, 0, 0);
		chart.AddKeyTime(float(step) * 11 + 10).AddPosition(steps[step][0], steps[step][1], 0);
	}
	return {{"mechanism_spin", spin.GetBytes()}, {"mechanism_shake", shake.GetBytes()},
		{"mechanism_fade", fade.GetBytes()}, {"periscope_chart", chart.GetBytes()}};
}

// A sound of the length from a sample function of the time and a noise
// source, the same in both channels.
std::string Sound(float seconds, const std::function<float(float, float)>& sample)
{
	const long rate = 44100;
	std::vector<float> samples(size_t(seconds * float(rate)));
	uint32_t seed = 11;
	for (size_t i = 0; i < samples.size(); ++i)
	{
		seed = seed * 1103515245u + 12345u;
		samples[i] = sample(float(i) / float(rate), float(seed >> 9) / float(1u << 22) - 1);
	}
	return cOggEncoder(2, rate, 0.3f).Encode({samples, samples});
}

// A click at the time: a noise burst that dies in a few milliseconds.
float Click(float t, float at, float noise)
{
	return t >= at ? std::exp(-(t - at) * 400) * noise : 0;
}

// "victory" is the frame's and "bingo" the puzzles' own, written with them.
bool WriteSounds(cContentTree& tree)
{
	const std::pair<const char*, std::string> sounds[] = {
		// Wire scraping in the lock, looping.
		{"shpilka_loop", Sound(1.0f, [](float t, float noise) {
			 return (0.25f + 0.15f * std::sin(2 * kPi * 9 * t)) * noise * std::sin(2 * kPi * 2 * t + 1) +
				 0.05f * std::sin(2 * kPi * 2400 * t);
		 })},
		// The lock's bolt: two clicks.
		{"key_use", Sound(0.35f, [](float t, float noise) {
			 return 0.6f * (Click(t, 0, noise) + Click(t, 0.12f, noise)) + 0.2f * std::exp(-t * 20) * std::sin(2 * kPi * 700 * t);
		 })},
		// The dial's ratchet: three clicks.
		{"safe_rotate", Sound(0.3f, [](float t, float noise) {
			 return 0.5f * (Click(t, 0, noise) + Click(t, 0.09f, noise) + Click(t, 0.18f, noise));
		 })},
		// The periscope's motor: a low whirr that swells and fades.
		{"moving9loc", Sound(0.4f, [](float t, float noise) {
			 const float saw = 2 * (t * 110 - std::floor(t * 110)) - 1;
			 return std::sin(kPi * t / 0.4f) * (0.2f * saw + 0.05f * noise);
		 })},
	};
	for (const auto& [name, ogg] : sounds)
		if (ogg.empty() || !tree.WriteFile(kFolder + std::string(name) + ".ogg", ogg))
			return false;
	return true;
}

bool WriteArt(cContentTree& tree, const cLabelPainter& labels, const cLabelPainter& numbers)
{
	std::vector<std::pair<const char*, cImage>> textures;
	const std::vector<sPicture> pictures = DrawPictures(labels, numbers);
	for (const sPicture& picture : pictures)
		textures.emplace_back(picture.name.c_str(), picture.image);
	std::vector<std::pair<std::string, sQuadArt>> named = Quads();
	std::vector<sQuadArt> quads;
	for (auto& [name, quad] : named)
	{
		quad.model = name.c_str();
		quad.texture = name.c_str();
		quads.push_back(quad);
	}
	if (!WriteMinigamePictures(tree, textures, quads))
		return false;
	for (const auto& [name, bytes] : MakeMotions())
		if (!tree.WriteFile(kFolder + name + ".motion", bytes))
			return false;
	return WriteSounds(tree);
}

cXmlNode* Scene(cXmlNode& list, const char* name)
{
	return AddXmlElement(list, "resource", {{"name", name}, {"type", "scene_resource"}});
}

cXmlNode* Piece(cXmlNode& parent, const char* type, const std::string& name, const std::string& model,
	std::initializer_list<std::pair<const char*, std::string>> more = {})
{
	cXmlNode* piece = AddXmlElement(parent, type, {{"name", name}, {"model", model}});
	for (const auto& [attribute, value] : more)
		piece->AddAttribute(attribute)->SetValue(value);
	return piece;
}

void AddClip(cXmlNode& piece, const std::string& name, int first, int last, float seconds)
{
	char length[16];
	std::snprintf(length, sizeof length, "%g", seconds);
	AddXmlElement(piece, "add_motion",
		{{"name", name}, {"first", std::to_string(first)}, {"last", std::to_string(last)}, {"length", length}});
}

// The door, the pin that turns once per second of its clip, and the lock
// that rattles in its parent and turns a full circle in 2 s.
void AddLock(cXmlNode& list)
{
	cXmlNode* scene = Scene(list, "lock");
	Piece(*scene, "geometry", "door", "lock_door", {{"local", MinigamePlace(0, 0, 10)}});
	AddClip(*Piece(*scene, "geometry", "shpilka", "lock_pin",
				{{"motion", "mechanism_spin"}, {"local", MinigamePlace(kPinX, kPinY, -2)}}),
		"rotate", 0, 40, 1);
	cXmlNode* parent = AddXmlElement(*scene, "object",
		{{"name", "lock_parent"}, {"motion", "mechanism_shake"}, {"local", MinigamePlace(kLockX, kLockY, 0)}});
	AddClip(*parent, "shake", 0, 30, 0.3f);
	AddClip(*Piece(*parent, "geometry", "lock", "lock_cylinder", {{"motion", "mechanism_spin"}}), "rotate_lock", 0, 40, 2);
	AddMinigameBorder(*scene);
}

// The door with the dial and the note, the letters that light when set,
// and the handle in front.
void AddSafe(cXmlNode& list)
{
	cXmlNode* scene = Scene(list, "safe");
	Piece(*scene, "geometry", "door", "safe_door", {{"local", MinigamePlace(0, 0, 10)}});
	for (int symbol = 0; symbol < cMinigameSafe::kSymbols; ++symbol)
	{
		const std::string number = std::to_string(symbol + 1);
		AddClip(*Piece(*scene, "geometry", "symbol_" + number + "_active", "safe_symbol_" + number,
					{{"motion", "mechanism_fade"}, {"color", "0 1 1 1"},
						{"local", MinigamePlace(SymbolX(symbol), SymbolY(symbol), 2)}}),
			"light", 0, 10, 0.3f);
	}
	AddClip(*Piece(*scene, "geometry", "handle", "safe_handle",
				{{"motion", "mechanism_spin"}, {"local", MinigamePlace(kDialX, kDialY, -2)}}),
		"rotate", 0, 40, 1);
	AddMinigameBorder(*scene);
}

// The body, and each key in front of its pushed-in look.
void AddPhone(cXmlNode& list)
{
	cXmlNode* scene = Scene(list, "phone");
	Piece(*scene, "geometry", "body", "phone_body", {{"local", MinigamePlace(0, 0, 10)}});
	for (int row = 0; row < kPhoneRows; ++row)
		for (int column = 0; column < 3; ++column)
		{
			const sPhoneKey& key = kPhoneKeys[row][column];
			const float x = kKeyColumns[column], y = kKeyTopRow - float(row) * kKeyRowStep;
			Piece(*scene, "geometry", std::string(key.name) + "_in", "phone_key_in", {{"local", MinigamePlace(x, y, 5)}});
			Piece(*scene, "geometry", key.name, PhoneKeyModel(key.name), {{"local", MinigamePlace(x, y, 0)}});
		}
	AddMinigameBorder(*scene);
}

// The chart with its haze behind the eyepiece, the lamp and the buttons.
void AddPeriscope(cXmlNode& list)
{
	cXmlNode* scene = Scene(list, "periscope");
	cXmlNode* chart = Piece(*scene, "geometry", "esb", "periscope_chart",
		{{"motion", "periscope_chart"}, {"local", MinigamePlace(0, 0, 10)}});
	const char* const steps[] = {"left", "right", "up", "down"};
	for (int step = 0; step < 4; ++step)
		AddClip(*chart, steps[step], step * 11, step * 11 + 10, 0.35f);
	Piece(*chart, "geometry", "window", "periscope_haze", {{"local", MinigamePlace(0, 0, -1)}});
	Piece(*scene, "geometry", "scope", "periscope_scope", {{"local", MinigamePlace(0, 0, 0)}});
	Piece(*scene, "geometry", "lamp_green", "periscope_lamp_green", {{"local", MinigamePlace(kLampX, kLampY, -1)}});
	cXmlNode* lamp = Piece(*scene, "geometry", "lamp", "periscope_lamp_red",
		{{"motion", "mechanism_fade"}, {"color", "0 1 1 1"}, {"local", MinigamePlace(kLampX, kLampY, -2)}});
	AddClip(*lamp, "red", 0, 10, 0.3f);
	AddClip(*lamp, "green", 10, 20, 0.3f);
	for (const sSteer& steer : kSteers)
		Piece(*scene, "button", steer.button, std::string("periscope_") + steer.button,
			{{"local", MinigamePlace(kPadX + steer.dx * kPadStep, kPadY + steer.dy * kPadStep, -1)}});
	AddMinigameBorder(*scene);
}

bool WriteScenes(cContentTree& tree)
{
	cXmlNode list("resources");
	AddLock(list);
	AddSafe(list);
	AddPhone(list);
	AddPeriscope(list);
	return tree.WriteXml(std::string(kFolder) + "mechanisms.resource", list);
}
}

bool WriteMechanismContent(cContentTree& tree, const std::string& fontFolder)
{
	cLabelPainter labels;
	cLabelPainter numbers;
	if (labels.Open(fontFolder, 22) && numbers.Open(fontFolder, 13) && WriteArt(tree, labels, numbers) &&
		WriteScenes(tree))
		return true;
	std::fprintf(stderr, "cannot make the lock, safe, phone and periscope minigames\n");
	return false;
}
