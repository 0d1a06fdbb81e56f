#pragma once
// A small content folder for the game's start-up: a "game_config" naming a
// text file with the title, two fonts on one atlas and two model cursors,
// and the menu music.

#include "../../engine/foundation/TempFolder.h"
#include "../../engine/graphics/ModelTestSupport.h"
#include "../../engine/sound/WaveBuilder.h"

#include <string>

// The title as the window system reports it (UTF-8).
inline const char* kGameTitle = "Zv2 \xC3\x89preuve";

inline std::string Text(const tBytes& bytes)
{
	return std::string(bytes.begin(), bytes.end());
}

// A 16 by 16 quad below and right of the cursor's point, in one colour.
inline std::string CursorModel(const std::string& texture)
{
	cModel model;
	AddQuad(model, 0, -16, 16, 0);
	model.materials.push_back(Material(0, 2, { texture + ".dds" }));
	return Text(ModelBytes(model));
}

// The cursor "cursor" is red and drawn 20 right of and 10 below the mouse.
inline void WriteGameContent(const std::string& folder)
{
	cTempFolder::WriteFile(folder + "/game_config.xml",
		"<game_config>"
		"<texts><text name=\"strings\"/></texts>"
		"<notes><text name=\"not_a_config_part\"/></notes>"
		"<fonts><font name=\"arial\" id=\"3\"/><font name=\"arial_small\"/></fonts>"
		"<cursors><cursor name=\"cursor\" model=\"cursor_model\" offset=\"20 -10 0\"/>"
		"<cursor name=\"dialog\" model=\"dialog_model\"/></cursors>"
		"</game_config>");
	cTempFolder::WriteFile(folder + "/strings.xml",
		std::string("<strings><group><group name=\"texts\"><group name=\"default\"><group name=\"default\">"
					"<phrase name=\"game_title\" text=\"")
			+ kGameTitle + "\"/></group></group></group></group></strings>");
	cTempFolder::WriteFile(folder + "/fonts.resource",
		"<resources>"
		"<resource name=\"arial\" type=\"font\"><texture name=\"atlas\"/><symbol char=\"65\" rect=\"0 0 1 1\"/></resource>"
		"<resource name=\"arial_small\" type=\"font\"><texture name=\"atlas\"/></resource>"
		"</resources>");
	cTempFolder::WriteFile(folder + "/atlas.dds", Text(DdsFile(1, 1, { 0xFFFFFFFF })));
	cTempFolder::WriteFile(folder + "/cursor_texture.dds", Text(DdsFile(1, 1, { 0xFFFF0000 })));
	cTempFolder::WriteFile(folder + "/dialog_texture.dds", Text(DdsFile(1, 1, { 0xFF00FF00 })));
	cTempFolder::WriteFile(folder + "/cursor_model.model", CursorModel("cursor_texture"));
	cTempFolder::WriteFile(folder + "/dialog_model.model", CursorModel("dialog_texture"));
	cTempFolder::WriteFile(folder + "/track00menu.wav", PcmWave(4410, 2, 16, 44100));
}
