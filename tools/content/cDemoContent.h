#pragma once
// The demo's content: the working folder's "data", "localization" and
// "splash" folders and "startup.txt", everything the game reads at
// start-up, made by code.
//
//   data/game_config.xml       texts, fonts by id, cursor models and offsets
//   data/fonts/                the font descriptions (a resource list) and atlases
//   data/cursors/              the cursor models and their texture
//   data/items/                the inventory item models and their texture
//   data/music/track00menu.ogg the menu music
//   data/dialogs/              the speech clouds' scenes, model, texture and
//                              motion, and the skip button's scene
//   data/panel/                the game panel's scene "gamepanel", its
//                              pictures and models, "effects_desc" and the
//                              found-object and hint particles
//   data/sounds/               the panel's and the buttons' sounds
//   data/minigames/            the minigame frame "border", the victory
//                              overlay "minigame_effect", the scene
//                              "test_minigame" and the "victory" sound
//   data/screens/              the comic "comic_intro", the movie "credits",
//                              the help dialog "window_help", the diary
//                              "diary", the hover markers' particles
//   data/music/track07map.ogg  the map music
//   data/locations/            the first location "location1": its scene,
//                              pictures, models, scenario and sounds
//   localization/strings.xml   the texts, "game_title" among them, and the
//                              dialogue "location1"
//   splash/                    empty: the demo has no distributor's splash
//   startup.txt                "location1"

#include <string>
#include <vector>

class cContentTree;
struct sPanelPicture;
class cXmlNode;

class cDemoContent
{
public:
	// fontFolder holds the DejaVu typefaces.
	cDemoContent(cContentTree& tree, const std::string& fontFolder);

	// False, with a message on standard error, when any part failed.
	bool Write();

private:
	bool WriteTexts(cXmlNode& config);
	bool WriteFonts(cXmlNode& config);
	bool WriteCursors(cXmlNode& config);
	bool WriteItems();
	bool WriteMusic();
	bool WriteDialogScenes();
	bool WritePanel();
	bool WriteScreens();
	// Each picture's texture and quad model into the folder.
	bool WritePictures(const std::string& folder, const std::vector<sPanelPicture>& pictures);

	cContentTree& m_tree;
	std::string m_fontFolder;
};
