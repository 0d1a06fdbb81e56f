#include "cDemoContent.h"

#include "ConnectorsArt.h"
#include "CursorArt.h"
#include "DexterityArt.h"
#include "FrontEndArt.h"
#include "GlobeArt.h"
#include "MechanismArt.h"
#include "ItemArt.h"
#include "Location2Art.h"
#include "LocationArt.h"
#include "DialogArt.h"
#include "MenuMusic.h"
#include "CodeArt.h"
#include "MinigameArt.h"
#include "PanelArt.h"
#include "PuzzleArt.h"
#include "PuzzleMinigameArt.h"
#include "PuzzleHallArt.h"
#include "RemarkTexts.h"
#include "ScreenArt.h"
#include "SkullArt.h"
#include "TrianglesArt.h"
#include "PngFile.h"
#include "cContentTree.h"
#include "cFontAtlas.h"
#include "engine/sound/cOggEncoder.h"

#include "engine/foundation/cMemoryStream.h"
#include "engine/foundation/cXmlNode.h"
#include "engine/graphics/cModelWriter.h"
#include "engine/graphics/cParticleSystemWriter.h"
#include "engine/scene/ObjectDescXml.h"
#include "engine/scene/cSceneManager.h"

#include <cstdio>
#include <iterator>
#include <map>

namespace
{
// The texts of the game's own screens, in chapter "default", section "default".
const char* const kTexts[][2] = {
	{"game_title", "Hidden Object Demo"},
	{"exit_title", "Exit"},
	{"quit_game", "Do you really want to quit?"},
	{"press_any_key", "Press any key"},
	{"skip", "Skip"},
};

struct sFontUse
{
	// The id under which the game registers the font.
	int id;
	sFontStyle style;
};

// Font 0 is the default (the console and the frame-rate overlay draw with
// it), 6 the game panel's tooltip, 22 the large captions.
const sFontUse kFonts[] = {
	{0, {"font_sans_16", "DejaVuSans.ttf", 16}},
	{6, {"font_sans_14", "DejaVuSans.ttf", 14}},
	{22, {"font_serif_28", "DejaVuSerif-Bold.ttf", 28}},
};

// The descriptions of the minigames whose content files keep no texts.
const char* const kMinigameTexts[][2] = {
	{"test_minigame", "Solve the board"},
	{"connectors", "Lay the wires so the current reaches the gold lamp"},
	{"globe", "Turn the globe and slide the ruler until the nail is over the White House, then click the nail. Each sign "
			  "names the next animal."},
	{"triangles", "Turn the stones until every gem shines"},
	{"skull", "Place mirrors so each laser beam reaches the ring of its colour"},
};

// The opening dialogue of "location1", part "intro": who says what.
const char* const kIntroLines[][2] = {
	{"detective", "Something is hidden in this room."},
	{"assistant", "Then let us look closely."},
	{"detective", "Click on whatever seems out of place."},
};

// Where each character's cloud stands on the 1024 by 768 screen (top-left
// corner, y upward).
const struct
{
	const char* character;
	int x;
	int y;
} kClouds[] = {
	{"detective", 60, 700},
	{"assistant", 700, 560},
};

const long kMusicRate = 44100;
const float kMusicQuality = 0.3f;

// Each name and text of the table as a phrase of the group.
void AddPhrases(cXmlNode& group, const char* const (*phrases)[2], size_t count)
{
	for (size_t i = 0; i < count; ++i)
		AddXmlElement(group, "phrase", {{"name", phrases[i][0]}, {"text", phrases[i][1]}});
}

bool Failed(const char* what)
{
	fprintf(stderr, "cannot make %s\n", what);
	return false;
}

std::string Bytes(cMemoryStream& stream)
{
	return std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

std::string ModelBytes(const cModel& model)
{
	cMemoryStream bytes;
	cModelWriter(bytes).Write(model);
	return Bytes(bytes);
}

// The scene writer names object types through the scene manager's
// registry; the game's own slot type is entered for it by name.
cSceneObject* CreateSlotForWriting(const std::string& name, cSceneObject* parent)
{
	return new cSceneObject(name, parent);
}
}

cDemoContent::cDemoContent(cContentTree& tree, const std::string& fontFolder) : m_tree(tree), m_fontFolder(fontFolder)
{
}

bool cDemoContent::Write()
{
	cXmlNode config("game_config");
	return m_tree.Begin() && WriteTexts(config) && WriteFonts(config) && WriteCursors(config) && WriteItems() &&
		   WriteMusic() && WriteDialogScenes() && WritePanel() && WriteScreens() &&
		   WriteLocationContent(m_tree, m_fontFolder) &&
		   WriteLocation2Content(m_tree, m_fontFolder) &&
		   // The minigames: the frame and overlay first, then each puzzle's scenes.
		   WriteMinigameContent(m_tree) && WritePuzzleContent(m_tree, m_fontFolder) &&
		   WritePuzzleMinigameContent(m_tree) && WriteSkullContent(m_tree) && WriteConnectorsContent(m_tree) &&
		   WriteTrianglesContent(m_tree) && WriteCodeContent(m_tree, m_fontFolder) && WriteDexterityContent(m_tree) &&
		   WriteGlobeContent(m_tree, m_fontFolder) && WritePuzzleHallContent(m_tree, m_fontFolder) &&
		   WriteMechanismContent(m_tree, m_fontFolder) && WriteFrontEndContent(m_tree, m_fontFolder) &&
		   m_tree.WriteXml("data/game_config.xml", config) && m_tree.MakeFolder("splash") &&
		   m_tree.WriteFile("startup.txt", "location1") && m_tree.Commit();
}

// The text manager reads the first "group" of the document, its child
// group "texts", and chapters, sections and phrases below that.
bool cDemoContent::WriteTexts(cXmlNode& config)
{
	cXmlNode strings("strings");
	cXmlNode* top = AddXmlElement(strings, "group", {});
	cXmlNode* texts = AddXmlElement(*top, "group", {{"name", "texts"}});
	cXmlNode* chapter = AddXmlElement(*texts, "group", {{"name", "default"}});
	cXmlNode* section = AddXmlElement(*chapter, "group", {{"name", "default"}});
	for (const auto& [name, text] : kTexts)
		AddXmlElement(*section, "phrase", {{"name", name}, {"text", text}});
	AddPhrases(*section, kPanelTexts, kPanelTextCount);
	AddPhrases(*section, kFrontEndTexts, kFrontEndTextCount);
	std::map<std::string, cXmlNode*> screenSections;
	for (size_t i = 0; i < kScreenTextCount; ++i)
	{
		cXmlNode*& group = screenSections[kScreenTexts[i][0]];
		if (!group)
			group = AddXmlElement(*chapter, "group", {{"name", kScreenTexts[i][0]}});
		AddXmlElement(*group, "phrase", {{"name", kScreenTexts[i][1]}, {"text", kScreenTexts[i][2]}});
	}
	// An inventory slot's tooltip is "inventory\<its item>".
	cXmlNode* inventory = AddXmlElement(*chapter, "group", {{"name", "inventory"}});
	AddXmlElement(*inventory, "phrase", {{"name", kItemName}, {"text", kItemTitle}});
	// A minigame's description text is "minigame\<its name>".
	cXmlNode* minigames = AddXmlElement(*chapter, "group", {{"name", "minigame"}});
	AddPhrases(*minigames, kMinigameTexts, std::size(kMinigameTexts));
	AddPhrases(*minigames, kPuzzleTexts, kPuzzleTextCount);
	AddPhrases(*minigames, kPuzzleMinigameTexts, kPuzzleMinigameTextCount);
	AddPhrases(*minigames, kDexterityTexts, kDexterityTextCount);
	AddPhrases(*minigames, kCodeTexts, kCodeTextCount);
	AddPhrases(*minigames, kMechanismTexts, kMechanismTextCount);
	AddLocationTexts(*chapter);
	AddLocation2Texts(*chapter);
	AddPuzzleHallTexts(*chapter);
	// The dialogue manager reads the group "dialogs" of the same first group.
	cXmlNode* dialogs = AddXmlElement(*top, "group", {{"name", "dialogs"}});
	cXmlNode* dialog = AddXmlElement(*dialogs, "dialog", {{"name", "location1"}});
	cXmlNode* part = AddXmlElement(*dialog, "part", {{"name", "intro"}});
	for (const auto& [character, text] : kIntroLines)
		AddXmlElement(*part, "line", {{"name", character}, {"text", text}});
	cXmlNode* remarks = AddXmlElement(*dialogs, "dialog", {{"name", "special"}});
	for (size_t i = 0; i < kWrongRemarkCount; ++i)
		AddXmlElement(*AddXmlElement(*remarks, "part", {{"name", "wrong" + std::to_string(i + 1)}}), "line",
			{{"name", "detective"}, {"text", kWrongRemarks[i]}});
	AddLocationStory(*texts, *inventory, *dialog);
	AddXmlElement(*AddXmlElement(config, "texts", {}), "text", {{"name", "strings"}});
	return m_tree.WriteXml("localization/strings.xml", strings);
}

bool cDemoContent::WriteFonts(cXmlNode& config)
{
	cXmlNode list("resources");
	cXmlNode* fonts = AddXmlElement(config, "fonts", {});
	for (const sFontUse& use : kFonts)
	{
		sFontStyle style = use.style;
		style.file = m_fontFolder + "/" + style.file;
		cFontAtlas atlas;
		if (!atlas.Build(style, LatinAndCyrillicCodes()))
			return Failed("the fonts");
		const std::string png = EncodePng(atlas.GetImage());
		if (png.empty() || !m_tree.WriteFile("data/fonts/" + atlas.GetTextureName() + ".png", png))
			return Failed("the font textures");
		list.AppendChild(atlas.CreateDescription());
		AddXmlElement(*fonts, "font", {{"name", style.name}, {"id", std::to_string(use.id)}});
	}
	return m_tree.WriteXml("data/fonts/fonts.resource", list);
}

bool cDemoContent::WriteCursors(cXmlNode& config)
{
	const std::string png = EncodePng(DrawCursorAtlas());
	if (png.empty() || !m_tree.WriteFile(std::string("data/cursors/") + kCursorTexture, png))
		return Failed("the cursor texture");
	cXmlNode* cursors = AddXmlElement(config, "cursors", {});
	for (size_t i = 0; i < CursorArts().size(); ++i)
	{
		const sCursorArt& art = CursorArts()[i];
		cModel model;
		MakeCursorModel(i, model);
		if (!m_tree.WriteFile("data/cursors/" + art.name + ".model", ModelBytes(model)))
			return false;
		AddXmlElement(*cursors, "cursor", {{"name", art.name}, {"model", art.name}, {"offset", CursorOffset(art)}});
	}
	return true;
}

bool cDemoContent::WriteItems()
{
	const std::string png = EncodePng(DrawItemPicture());
	if (png.empty() || !m_tree.WriteFile(std::string("data/items/") + kItemTexture + ".png", png))
		return Failed("the item texture");
	cModel model;
	MakeItemModel(model);
	return m_tree.WriteFile(std::string("data/items/") + kItemName + ".model", ModelBytes(model));
}

bool cDemoContent::WriteMusic()
{
	cOggEncoder encoder(2, kMusicRate, kMusicQuality);
	const std::string ogg = encoder.Encode(ComposeMenuMusic(kMusicRate));
	if (ogg.empty())
		return Failed("the menu music");
	return m_tree.WriteFile("data/music/track00menu.ogg", ogg);
}

// Each character's cloud: the scene named after it, the moving "cloud"
// placed on the screen, with its text in "cloud/text"; and the skip
// button's scene, whose "skip/skip" the manager listens to.
bool cDemoContent::WriteDialogScenes()
{
	cModel cloud;
	MakeCloudModel(cloud);
	cModel textBox;
	MakeCloudTextBox(textBox);
	const std::string png = EncodePng(DrawCloud());
	if (png.empty() || !m_tree.WriteFile(std::string("data/dialogs/") + kCloudTexture, png) ||
		!m_tree.WriteFile("data/dialogs/cloud.model", ModelBytes(cloud)) ||
		!m_tree.WriteFile("data/dialogs/cloud_text.model", ModelBytes(textBox)) ||
		!m_tree.WriteFile("data/dialogs/cloud.motion", CloudMotionBytes()))
		return Failed("the speech clouds");
	cXmlNode list("resources");
	for (const auto& cloud : kClouds)
	{
		cXmlNode* scene = AddXmlElement(list, "resource", {{"name", cloud.character}, {"type", "scene_resource"}});
		// Motion keys are offsets from the cloud's place; a "geometry"
		// object shows the cloud's model.
		cXmlNode* picture = AddXmlElement(*scene, "geometry",
			{{"name", "cloud"}, {"model", "cloud"}, {"motion", "cloud"},
				{"local", "1 0 0 0 1 0 0 0 1 " + std::to_string(cloud.x) + " " + std::to_string(cloud.y) + " 0"}});
		const struct
		{
			const char* name;
			int first;
			int last;
		} clips[] = {{"move_in", 0, 10}, {"dialogue_start", 10, 20}, {"dialogue_stop", 20, 30}, {"move_out", 30, 40}};
		for (const auto& clip : clips)
			AddXmlElement(*picture, "add_motion",
				{{"name", clip.name}, {"first", std::to_string(clip.first)}, {"last", std::to_string(clip.last)},
					{"length", "0.3"}});
		AddXmlElement(*picture, "text",
			{{"name", "text"}, {"model", "cloud_text"}, {"font_id", "0"}, {"alignment", "cc"},
				{"color", "1 0.2 0.15 0.1"}, {"local", "1 0 0 0 1 0 0 0 1 0 0 -1"}});
	}
	// The button "skip" at the bottom right, its label over its left part.
	const sPanelPicture skipPicture = DrawSkipButton();
	cModel skipModel;
	MakePanelModel(skipPicture, skipModel);
	const std::string skipPng = EncodePng(skipPicture.image);
	if (skipPng.empty() || !m_tree.WriteFile("data/dialogs/" + skipPicture.name + ".png", skipPng) ||
		!m_tree.WriteFile("data/dialogs/" + skipPicture.name + ".model", ModelBytes(skipModel)))
		return Failed("the skip button");
	cXmlNode* skip = AddXmlElement(list, "resource", {{"name", "skip_button"}, {"type", "scene_resource"}});
	cXmlNode* button = AddXmlElement(*skip, "button",
		{{"name", "skip"}, {"model", skipPicture.name}, {"local", "1 0 0 0 1 0 0 0 1 872 84 0"}});
	AddXmlElement(*button, "text",
		{{"name", "label"}, {"font_id", "0"}, {"text_id", "default\\default\\skip"},
			{"local", "1 0 0 0 1 0 0 0 1 24 -32 -1"}});
	return m_tree.WriteXml("data/dialogs/dialogs.resource", list);
}

bool cDemoContent::WritePictures(const std::string& folder, const std::vector<sPanelPicture>& pictures)
{
	for (const sPanelPicture& picture : pictures)
	{
		const std::string png = EncodePng(picture.image);
		cModel model;
		MakePanelModel(picture, model);
		if (png.empty() || !m_tree.WriteFile(folder + picture.name + ".png", png) ||
			!m_tree.WriteFile(folder + picture.name + ".model", ModelBytes(model)))
			return false;
	}
	return true;
}

// The in-game screens: data/screens holds their pictures and quad models,
// motions, scenes, the hover markers' particles and the map music.
bool cDemoContent::WriteScreens()
{
	const std::string folder = "data/screens/";
	if (!WritePictures(folder, DrawScreenPictures()))
		return Failed("the screens' pictures");
	for (const auto& [name, bytes] : MakeScreenMotions())
		if (!m_tree.WriteFile(folder + name + ".motion", bytes))
			return Failed("the screens' motions");
	cMemoryStream particles;
	cParticleSystemWriter(particles).Write(MakeSelectionParticles());
	const std::string music = cOggEncoder(2, kMusicRate, kMusicQuality).Encode(ComposeMapMusic(kMusicRate));
	if (music.empty() || !m_tree.WriteFile(folder + "gamepanel.p_selection.psys", Bytes(particles)) ||
		!m_tree.WriteFile("data/music/track07map.ogg", music))
		return Failed("the screens' particles and music");
	return m_tree.WriteFile(folder + "screens.resource", ScreenScenesXml());
}

// The game panel: data/panel holds its pictures and quad models, the scene
// "gamepanel", "effects_desc" and the particles; data/sounds its sounds.
bool cDemoContent::WritePanel()
{
	if (!WritePictures("data/panel/", DrawPanelPictures()))
		return Failed("the panel's pictures");
	const std::string sparkle = EncodePng(DrawSparkle());
	if (sparkle.empty() || !m_tree.WriteFile(std::string("data/panel/") + kSparkleTexture + ".png", sparkle))
		return Failed("the particle texture");
	for (const auto& [name, desc] : MakePanelParticles())
	{
		cMemoryStream bytes;
		cParticleSystemWriter(bytes).Write(desc);
		if (!m_tree.WriteFile("data/panel/" + name + ".psys", Bytes(bytes)))
			return Failed("the panel's particles");
	}
	if (!m_tree.WriteFile("data/panel/effects_desc.xml", PanelEffectsXml()) ||
		!m_tree.WriteFile("data/panel/panel_aim_text.motion", AimTextMotionBytes()))
		return Failed("the panel's effects");
	for (const auto& [name, samples] : ComposePanelSounds(kMusicRate))
	{
		cOggEncoder encoder(2, kMusicRate, kMusicQuality);
		const std::string ogg = encoder.Encode(samples);
		if (ogg.empty() || !m_tree.WriteFile("data/sounds/" + name + ".ogg", ogg))
			return Failed("the panel's sounds");
	}
	cSceneManager* scene = Singletone<cSceneManager>::GetInstance();
	if (scene->GetObjectTypeId("inventory") < 0)
		scene->RegisterObjectType("inventory", &CreateSlotForWriting);
	cXmlNode list("resources");
	WriteSceneResourceElement("gamepanel", MakePanelScene(), list);
	return m_tree.WriteXml("data/panel/panel.resource", list);
}
