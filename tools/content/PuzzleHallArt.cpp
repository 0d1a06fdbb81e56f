#include "PuzzleHallArt.h"

#include "MinigameArt.h"
#include "PanelArt.h"
#include "PngFile.h"
#include "cContentTree.h"
#include "cImage.h"
#include "cLabelPainter.h"

#include "engine/foundation/cMemoryStream.h"
#include "engine/foundation/cXmlNode.h"
#include "engine/graphics/cModelWriter.h"

#include <cstdio>
#include <string>

namespace
{
const char* const kFolder = "data/locations/";
const char* const kHall = "puzzle_hall";

// Every minigame of the factory's table, in its order.
const char* const kMinigames[] = {
	"hammer", "statue", "bag", "connectors", "wire", "key", "periscope", "platens", "glass", "globe",
	"faces", "tower", "triangles", "picture", "skull", "device", "tube", "fingers", "terminal",
	"l6_box", "computer", "code_enter1", "code_enter2", "l10_terminal", "phone", "safe", "fan", "lock",
};

// The plinths stand in rows of seven below the title, on the 1024 by 768
// screen with y up; each picture hangs below and right of its corner.
const int kColumns = 7;
const float kLeft = 42;
const float kTop = 650;
const float kPitchX = 136;
const float kPitchY = 124;
const float kPlinthWidth = 124;
const float kPlinthHeight = 110;

const char* const kBackground = "hall_bg";
const char* const kExit = "hall_exit";

// One object of the hall and its picture.
struct sHallObject
{
	std::string name;
	float x, y, z;
	float width, height;
	cImage image;
};

std::string PlinthName(const char* minigame)
{
	return std::string("hall_") + minigame;
}

// The minigame's name as the player reads it: "code_enter1" is "code enter1".
std::string Title(const std::string& minigame)
{
	std::string title = minigame;
	for (char& c : title)
		if (c == '_')
			c = ' ';
	return title;
}

void Gradient(cImage& image, const sRgba& top, const sRgba& bottom)
{
	const int height = image.GetHeight();
	for (int y = 0; y < height; ++y)
	{
		const float t = float(y) / float(height - 1);
		auto channel = [t](uint8_t from, uint8_t to) { return uint8_t(from + (to - from) * t); };
		image.FillRect(0, y, image.GetWidth(), y + 1,
			{channel(top.r, bottom.r), channel(top.g, bottom.g), channel(top.b, bottom.b), 255});
	}
}

// A stone hall: the wall with its title, the floor below.
cImage DrawHall(const cLabelPainter& title)
{
	cImage image(512, 384);
	Gradient(image, {70, 60, 90, 255}, {120, 105, 130, 255});
	image.FillRect(0, 330, 512, 384, {90, 80, 70, 255});
	for (int column = 0; column < 512; column += 128)
		image.FillRect(column, 0, column + 6, 330, {55, 45, 70, 255});
	title.Paint(image, "Puzzle Hall", 256, 40, {250, 225, 150, 255});
	return image;
}

// A plinth with a framed panel that names its puzzle.
cImage DrawPlinth(const std::string& label, const cLabelPainter& painter, int index)
{
	cImage image(124, 110);
	const sRgba panel{uint8_t(60 + 37 * (index % 5)), uint8_t(90 + 23 * (index % 7)), uint8_t(150 - 11 * (index % 9)), 255};
	image.FillRect(0, 0, 124, 80, {200, 170, 90, 255});
	image.FillRect(5, 5, 119, 75, panel);
	image.FillRect(20, 80, 104, 110, {150, 140, 130, 255});
	image.FillRect(14, 100, 110, 110, {120, 110, 100, 255});
	painter.Paint(image, label, 62, 46, {255, 255, 255, 255});
	return image;
}

cImage DrawDoor(const cLabelPainter& painter)
{
	cImage image(200, 70);
	Gradient(image, {140, 90, 50, 255}, {95, 60, 30, 255});
	image.FillRect(0, 0, 200, 4, {230, 200, 90, 255});
	painter.Paint(image, "Back to the room", 100, 44, {255, 240, 200, 255});
	return image;
}

std::string ModelBytes(const sHallObject& object)
{
	cModel model;
	MakePanelModel({object.name, object.image, object.width, object.height, 1.0f}, model);
	cMemoryStream stream;
	cModelWriter(stream).Write(model);
	return std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

bool WriteObject(cContentTree& tree, cXmlNode& scene, const sHallObject& object, const char* role)
{
	const std::string png = EncodePng(object.image);
	if (png.empty() || !tree.WriteFile(kFolder + object.name + ".png", png) ||
		!tree.WriteFile(kFolder + object.name + ".model", ModelBytes(object)))
		return false;
	cXmlNode* element = AddXmlElement(scene, "geometry",
		{{"name", object.name}, {"model", object.name}, {"local", MinigamePlace(object.x, object.y, object.z)}});
	element->AddAttribute(role)->SetValue("true");
	if (std::string(role) == "background")
		element->AddAttribute("ignore")->SetValue("true");
	return true;
}

bool WriteHall(cContentTree& tree, const cLabelPainter& labels, const cLabelPainter& title)
{
	cXmlNode list("resources");
	cXmlNode* scene = AddXmlElement(list, "resource", {{"name", kHall}, {"type", "scene_resource"}});
	if (!WriteObject(tree, *scene, {kBackground, 0, 768, 60, 1024, 768, DrawHall(title)}, "background"))
		return false;
	int index = 0;
	for (const char* minigame : kMinigames)
	{
		const float x = kLeft + kPitchX * float(index % kColumns);
		const float y = kTop - kPitchY * float(index / kColumns);
		const sHallObject plinth{PlinthName(minigame), x, y, 10, kPlinthWidth, kPlinthHeight,
			DrawPlinth(Title(minigame), labels, index)};
		if (!WriteObject(tree, *scene, plinth, "tooltip"))
			return false;
		++index;
	}
	if (!WriteObject(tree, *scene, {kExit, 12, 758, 10, 200, 70, DrawDoor(labels)}, "tooltip"))
		return false;
	return tree.WriteXml(std::string(kFolder) + kHall + ".resource", list);
}

// The hall waits for clicks: a plinth opens its minigame, whatever its
// result, and the door leads back through the map.
bool WriteScenario(cContentTree& tree)
{
	cXmlNode scenario("scenario");
	cXmlNode* startup = AddXmlElement(scenario, "state", {{"name", "startup"}});
	cXmlNode* panel = AddXmlElement(*startup, "command", {});
	AddXmlElement(*panel, "item", {{"name", "show_panel"}});
	AddXmlElement(*panel, "state", {{"name", "hall"}});

	cXmlNode* hall = AddXmlElement(scenario, "state", {{"name", "hall"}});
	cXmlNode* click = AddXmlElement(*hall, "click", {});
	for (const char* minigame : kMinigames)
	{
		cXmlNode* game = AddXmlElement(*click, "game", {{"result", PlinthName(minigame)}});
		AddXmlElement(*game, "item", {{"name", minigame}});
	}
	cXmlNode* map = AddXmlElement(*click, "command", {{"result", kExit}});
	AddXmlElement(*map, "item", {{"name", "map"}});
	AddXmlElement(*AddXmlElement(*map, "location", {}), "item", {{"name", "location2"}});
	return tree.WriteXml(std::string(kFolder) + kHall + ".xml", scenario);
}
}

bool WritePuzzleHallContent(cContentTree& tree, const std::string& fontFolder)
{
	cLabelPainter labels;
	cLabelPainter title;
	if (labels.Open(fontFolder, 15) && title.Open(fontFolder, 30) && WriteHall(tree, labels, title) &&
		WriteScenario(tree))
		return true;
	std::fprintf(stderr, "cannot make the puzzle hall\n");
	return false;
}

void AddPuzzleHallTexts(cXmlNode& chapter)
{
	cXmlNode* section = AddXmlElement(chapter, "group", {{"name", kHall}});
	for (const char* minigame : kMinigames)
		AddXmlElement(*section, "phrase", {{"name", PlinthName(minigame)}, {"text", "Play the " + Title(minigame) + " puzzle"}});
	AddXmlElement(*section, "phrase", {{"name", kExit}, {"text", "Back to the second room"}});
}
