#include "FrontEndArt.h"

#include "MinigameArt.h"
#include "PngFile.h"
#include "cContentTree.h"
#include "cLabelPainter.h"

#include "engine/foundation/sColor.h"
#include "engine/scene/cMotionWriter.h"
#include "engine/sound/cOggEncoder.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

const char* const kFrontEndTexts[][2] = {
	{"enter_title", "New player"},
	{"enter_your_name", "Type your name and press OK:"},
	{"profile_welcome_0", "Welcome,"},
	{"profile_welcome_1", "!"},
	{"name_conflict_title", "Name in use"},
	{"name_conflict_text", "A player with this name exists already."},
	{"delete_profile_title", "Delete player"},
	{"delete_profile_text_0", "Delete the player "},
	{"delete_profile_text_1", " and the game saved for them?"},
};
const size_t kFrontEndTextCount = sizeof kFrontEndTexts / sizeof kFrontEndTexts[0];

namespace
{
const std::string kFolder = "data/frontend/";

const sRgba kGold{235, 190, 70, 255};
const sRgba kNight{18, 24, 44, 255};
const sRgba kPanelFace{30, 44, 70, 235};
const sRgba kIvory{245, 238, 215, 255};

// Buttons: one cell of the 2 by 2 atlas of looks.
constexpr int kButtonWidth = 160;
constexpr int kButtonHeight = 46;
constexpr int kMenuButtonWidth = 240;
constexpr int kCheckCell = 40;
// The progress bar is a row of segments that light up one after another
// over key times 0 to 10 * kBarSegments.
constexpr int kBarSegments = 16;
constexpr int kSegmentStride = 37;

// A picture and the quad that shows it, hanging below and right of its
// origin; u and v are the share of the texture the quad shows.
struct sPicture
{
	std::string name;
	cImage image;
	float width;
	float height;
	float u;
	float v;
};

void Frame(cImage& image, int left, int top, int right, int bottom, int thickness, const sRgba& colour)
{
	image.FillRect(left, top, right, top + thickness, colour);
	image.FillRect(left, bottom - thickness, right, bottom, colour);
	image.FillRect(left, top, left + thickness, bottom, colour);
	image.FillRect(right - thickness, top, right, bottom, colour);
}

// A rimmed panel of the size, its face in the colour.
cImage Panel(int width, int height, const sRgba& face)
{
	cImage image(width, height);
	image.FillRect(0, 0, width, height, face);
	Frame(image, 0, 0, width, height, 4, kGold);
	return image;
}

// A full-screen picture (drawn at half size) of a vertical gradient.
cImage Backdrop(const sRgba& top, const sRgba& bottom)
{
	cImage image(512, 384);
	for (int row = 0; row < 384; ++row)
	{
		const float t = row / 383.0f;
		auto mix = [t](uint8_t a, uint8_t b) { return uint8_t(a + (b - a) * t); };
		image.FillRect(0, row, 512, row + 1, {mix(top.r, bottom.r), mix(top.g, bottom.g), mix(top.b, bottom.b), 255});
	}
	return image;
}

// A logo: a ring with the initial in it over the name and a line below.
cImage Logo(const cLabelPainter& big, const cLabelPainter& small, const sRgba& background, const std::string& initial,
	const std::string& name, const std::string& line)
{
	cImage image = Backdrop(background, {0, 0, 0, 255});
	image.FillShape(196, 60, 316, 180,
		[](float x, float y) {
			const float d = std::hypot(x - 256, y - 120);
			return d < 58 && d > 46;
		},
		kGold);
	big.Paint(image, initial, 256, 138, kGold);
	big.Paint(image, name, 256, 250, kIvory);
	small.Paint(image, line, 256, 290, kGold);
	return image;
}

// The 2 by 2 atlas of a button's looks: normal, hovered, pressed,
// disabled, each with the label.
cImage ButtonAtlas(const cLabelPainter& labels, const std::string& label, int width)
{
	const sRgba faces[] = {{40, 70, 110, 255}, {60, 105, 160, 255}, {25, 45, 75, 255}, {70, 70, 70, 255}};
	const sRgba inks[] = {kIvory, {255, 255, 255, 255}, kGold, {150, 150, 150, 255}};
	cImage image(2 * width, 2 * kButtonHeight);
	for (int cell = 0; cell < 4; ++cell)
	{
		const int left = (cell % 2) * width;
		const int top = (cell / 2) * kButtonHeight;
		image.FillRect(left, top, left + width, top + kButtonHeight, faces[cell]);
		Frame(image, left, top, left + width, top + kButtonHeight, 3, cell == 3 ? inks[3] : kGold);
		labels.Paint(image, label, left + width / 2, top + 31, inks[cell]);
	}
	return image;
}

// The 4 by 2 check atlas: unticked normal, hovered, pressed, ticked
// normal; ticked hovered, ticked pressed, unticked disabled, ticked
// disabled.
cImage CheckAtlas()
{
	const struct
	{
		bool ticked;
		sRgba face;
	} cells[] = {{false, {40, 70, 110, 255}}, {false, {60, 105, 160, 255}}, {false, {25, 45, 75, 255}},
		{true, {40, 70, 110, 255}}, {true, {60, 105, 160, 255}}, {true, {25, 45, 75, 255}},
		{false, {70, 70, 70, 255}}, {true, {70, 70, 70, 255}}};
	cImage image(4 * kCheckCell, 2 * kCheckCell);
	for (int index = 0; index < 8; ++index)
	{
		const int left = (index % 4) * kCheckCell;
		const int top = (index / 4) * kCheckCell;
		image.FillRect(left, top, left + kCheckCell, top + kCheckCell, cells[index].face);
		Frame(image, left, top, left + kCheckCell, top + kCheckCell, 3, kGold);
		if (cells[index].ticked)
			image.FillShape(left, top, left + kCheckCell, top + kCheckCell,
				[left, top](float x, float y) {
					const float u = x - left;
					const float v = y - top;
					// Two strokes of a tick.
					return (std::fabs(v - (u + 12)) < 4 && u > 8 && u < 18) ||
						   (std::fabs(v - (40 - u)) < 4 && u >= 16 && u < 33);
				},
				kGold);
	}
	return image;
}

// The options window's panel with the title and the captions of its rows.
cImage OptionsPanel(const cLabelPainter& labels)
{
	cImage image = Panel(560, 440, kPanelFace);
	labels.Paint(image, "Options", 280, 50, kGold);
	labels.Paint(image, "Sound", 140, 104, kIvory);
	labels.Paint(image, "Music", 140, 164, kIvory);
	labels.Paint(image, "Full screen", 140, 228, kIvory);
	labels.Paint(image, "Low quality (800 x 600)", 140, 288, kIvory);
	return image;
}

cImage ProfilePanel(const cLabelPainter& labels, const cLabelPainter& small)
{
	cImage image = Panel(520, 500, kPanelFace);
	labels.Paint(image, "Players", 260, 50, kGold);
	small.Paint(image, "Click a name to play as that player", 260, 310, kIvory);
	return image;
}

cImage Solid(int width, int height, const sRgba& colour)
{
	cImage image(width, height);
	image.FillRect(0, 0, width, height, colour);
	return image;
}

std::vector<sPicture> DrawPictures(const cLabelPainter& big, const cLabelPainter& labels, const cLabelPainter& small)
{
	std::vector<sPicture> pictures = {
		{"fe_logo_gorsim", Logo(big, small, {90, 20, 30, 255}, "G", "GORSIM", "presents"), 1024, 768, 1, 1},
		{"fe_logo_druvels", Logo(big, small, {20, 40, 90, 255}, "D", "DRUVEL'S GAMES", "a hidden object adventure"),
			1024, 768, 1, 1},
		{"fe_backdrop", Backdrop({40, 60, 100, 255}, kNight), 1024, 768, 1, 1},
		{"fe_bar_frame", Panel(608, 40, {0, 0, 0, 160}), 608, 40, 1, 1},
		{"fe_bar_fill", Solid(8, 8, kGold), kSegmentStride - 4, 24, 1, 1},
		{"fe_options_panel", OptionsPanel(labels), 560, 440, 1, 1},
		{"fe_profile_panel", ProfilePanel(labels, small), 520, 500, 1, 1},
		{"fe_box_panel", Panel(520, 260, kPanelFace), 520, 260, 1, 1},
		{"fe_edit_field", Panel(440, 40, kIvory), 440, 40, 1, 1},
		{"fe_check", CheckAtlas(), kCheckCell, kCheckCell, 0.25f, 0.5f},
		{"fe_slider_track", Panel(300, 12, {10, 15, 30, 255}), 300, 12, 1, 1},
		{"fe_slider_thumb", Panel(20, 32, {60, 105, 160, 255}), 20, 32, 1, 1},
		{"fe_slot_selection", Solid(8, 8, {235, 190, 70, 90}), 360, 36, 1, 1},
		// Text boxes: the line a text is laid out in, never drawn.
		{"fe_line_wide", Solid(8, 8, {0, 0, 0, 0}), 800, 40, 1, 1},
		{"fe_line", Solid(8, 8, {0, 0, 0, 0}), 440, 36, 1, 1},
		{"fe_slot", Solid(8, 8, {0, 0, 0, 0}), 360, 36, 1, 1},
	};
	// The main menu's buttons, then the windows' smaller ones.
	const char* const menuButtons[][2] = {{"start", "Start"}, {"players", "Change player"}, {"options", "Options"},
		{"high_score", "High scores"}, {"help", "Help"}, {"quit", "Quit"}};
	for (const auto& [name, label] : menuButtons)
		pictures.push_back({std::string("fe_menu_") + name, ButtonAtlas(labels, label, kMenuButtonWidth),
			kMenuButtonWidth, kButtonHeight, 0.5f, 0.5f});
	const char* const buttons[][2] = {{"to_main_menu", "Main menu"}, {"close", "Close"}, {"create", "New player"},
		{"rename", "Rename"}, {"delete", "Delete"}, {"ok", "OK"}, {"yes", "Yes"}, {"no", "No"}, {"cancel", "Cancel"}};
	for (const auto& [name, label] : buttons)
		pictures.push_back({std::string("fe_button_") + name, ButtonAtlas(labels, label, kButtonWidth), kButtonWidth,
			kButtonHeight, 0.5f, 0.5f});
	return pictures;
}

// A logo fades in (key times 0 to 10), holds (to 20) and fades out (to 30).
std::string LogoMotion()
{
	cMotionWriter writer;
	const float alphas[] = {0, 1, 1, 0};
	for (int key = 0; key < 4; ++key)
		writer.AddKeyTime(float(key * 10)).AddColour(sColor(1, 1, 1, alphas[key]));
	return writer.GetBytes();
}

// Segment i shows from key time 10 * i + 10 on.
std::string BarSegmentMotion(int segment)
{
	cMotionWriter writer;
	std::vector<std::pair<int, float>> keys = {{0, 0.0f}};
	if (segment > 0)
		keys.push_back({10 * segment, 0.0f});
	keys.push_back({10 * segment + 10, 1.0f});
	if (segment + 1 < kBarSegments)
		keys.push_back({10 * kBarSegments, 1.0f});
	for (const auto& [key, alpha] : keys)
		writer.AddKeyTime(float(key)).AddColour(sColor(1, 1, 1, alpha));
	return writer.GetBytes();
}


// A menu fades out to half strength (key times 0 to 10) and back (to 20).
std::string FadeMotion()
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddColour(sColor(1, 1, 1, 1));
	writer.AddKeyTime(10).AddColour(sColor(1, 1, 1, 0.35f));
	writer.AddKeyTime(20).AddColour(sColor(1, 1, 1, 1));
	return writer.GetBytes();
}

std::string Place(float x, float y, float z)
{
	char text[96];
	std::snprintf(text, sizeof text, "1 0 0 0 1 0 0 0 1 %g %g %g", x, y, z);
	return text;
}

// Writes scene elements; every element gets the sort key when one is set,
// and the top elements stand at the depth (their children relative to them).
class cSceneText
{
public:
	explicit cSceneText(const std::string& sort = "", float depth = 0) : m_sort(sort), m_depth(depth) {}

	// An element with the model, placed at (x, y, z), with more attributes
	// and the children's text.
	std::string Element(const std::string& type, const std::string& name, const std::string& model, float x, float y,
		float z, const std::string& more = "", const std::string& children = "") const
	{
		std::string text = "<" + type + " name=\"" + name + "\"";
		if (!model.empty())
			text += " model=\"" + model + "\"";
		text += " local=\"" + Place(x, y, z + m_depth) + "\"";
		if (!m_sort.empty())
			text += " sort=\"" + m_sort + "\"";
		if (!more.empty())
			text += " " + more;
		return children.empty() ? text + "/>\n" : text + ">\n" + children + "</" + type + ">\n";
	}

	std::string Button(const std::string& name, const std::string& model, float x, float y) const
	{
		return Element("button", name, model, x, y, 0);
	}

	std::string Text(const std::string& name, const std::string& model, float x, float y, const std::string& font,
		const std::string& more = "") const
	{
		return Element("text", name, model, x, y, -1, "font_id=\"" + font + "\" alignment=\"cc\" " + more);
	}

	// The children of an element: placed relative to it.
	cSceneText Inside() const { return cSceneText(m_sort); }

private:
	std::string m_sort;
	float m_depth;
};

std::string BarSegments(const cSceneText& scene)
{
	std::string segments;
	const std::string clip = "<add_motion name=\"loading\" first=\"0\" last=\"" + std::to_string(10 * kBarSegments) +
							 "\" length=\"2.5\"/>\n";
	for (int segment = 0; segment < kBarSegments; ++segment)
		segments += scene.Element("geometry", "bar" + std::to_string(segment), "fe_bar_fill",
			float(216 + kSegmentStride * segment), 222, -1,
			"motion=\"fe_loading_bar" + std::to_string(segment) + "\"", clip);
	return segments;
}

std::string Scene(const std::string& name, const std::string& body)
{
	return "<resource name=\"" + name + "\" type=\"scene_resource\">\n" + body + "</resource>\n";
}

std::string Logos()
{
	const cSceneText scene;
	const std::string clips = "<add_motion name=\"appear\" first=\"0\" last=\"10\" length=\"0.6\"/>\n"
							  "<add_motion name=\"working\" first=\"10\" last=\"20\" length=\"1.6\"/>\n"
							  "<add_motion name=\"disappear\" first=\"20\" last=\"30\" length=\"0.6\"/>\n";
	return Scene("gorsim_logo",
			   scene.Element("geometry", "logo", "fe_logo_gorsim", 0, 768, 0, "motion=\"fe_logo_fade\"", clips)) +
		   Scene("druvels_logo",
			   scene.Element("geometry", "logo", "fe_logo_druvels", 0, 768, 0, "motion=\"fe_logo_fade\"", clips));
}

// The loading window and the page the windows hang in.
std::string LoadingScenes()
{
	const cSceneText scene;
	return Scene("game_loading",
			   scene.Element("geometry", "bg", "fe_backdrop", 0, 768, 20) +
				   scene.Text("title", "fe_line_wide", 112, 470, "22", "text=\"Hidden Object Demo\"") +
				   scene.Text("note", "fe_line_wide", 112, 260, "0", "text=\"Loading...\"") +
				   scene.Element("geometry", "frame", "fe_bar_frame", 208, 230, 0) +
				   BarSegments(scene)) +
		   Scene("page_rotate", "<object name=\"rt\">\n<object name=\"target\"/>\n</object>\n") +
		   Scene("main_menu_appear", "<object name=\"decor\"/>\n");
}

std::string MainMenu()
{
	const cSceneText scene;
	const char* const buttons[][2] = {{"start", "start"}, {"text_profile_select", "players"}, {"options", "options"},
		{"high_score", "high_score"}, {"help", "help"}, {"quit", "quit"}};
	std::string body = scene.Element("geometry", "bg", "fe_backdrop", 0, 768, 20, "motion=\"fe_menu_fade\"",
						   "<add_motion name=\"fade_out\" first=\"0\" last=\"10\" length=\"0.3\"/>\n"
						   "<add_motion name=\"fade_in\" first=\"10\" last=\"20\" length=\"0.3\"/>\n") +
					   scene.Text("title", "fe_line_wide", 112, 660, "22", "text=\"Hidden Object Demo\"") +
					   scene.Text("text_profile_welcome", "fe_line_wide", 112, 590, "0", "text=\"Welcome!\"");
	float y = 520;
	for (const auto& [name, picture] : buttons)
	{
		body += scene.Button(name, std::string("fe_menu_") + picture, 392, y);
		y -= 66;
	}
	return Scene("mainmenu", body);
}

// The options window; the in-game one also leads back to the main menu.
std::string Options(const std::string& name, bool toMainMenu)
{
	const cSceneText scene("70");
	auto slider = [&](const char* slider, float y) {
		return scene.Element("slider", slider, "fe_slider_track", 520, y, 0, "min=\"0\" max=\"100\"",
			scene.Inside().Element("geometry", "thumb", "fe_slider_thumb", 0, 10, -1, "object=\"button\""));
	};
	std::string window = scene.Element("geometry", "panel", "fe_options_panel", 232, 620, 10) +
						 slider("sound", 530) + slider("music", 470) +
						 scene.Element("checkbox", "fullscreen", "fe_check", 520, 420, 0) +
						 scene.Element("checkbox", "low_quality", "fe_check", 520, 360, 0) +
						 scene.Button("close", "fe_button_close", toMainMenu ? 542 : 432, 260);
	if (toMainMenu)
		window += scene.Button("to_main_menu", "fe_button_to_main_menu", 322, 260);
	return Scene(name, scene.Element("object", "window_options", "", 0, 0, 0, "", window));
}

std::string ProfileMenu()
{
	// In front of the main menu, behind the boxes.
	const cSceneText scene("70", -1200);
	std::string users = scene.Element("geometry", "panel", "fe_profile_panel", 252, 650, 10);
	for (int slot = 0; slot < 4; ++slot)
		users += scene.Element("menu_item", "user_text_" + std::to_string(slot), "fe_slot", 332,
			float(580 - 52 * slot), 0, "font_id=\"22\" alignment=\"cc\"",
			scene.Inside().Element("geometry", "selection", "fe_slot_selection", 0, 0, 1));
	users += scene.Button("create", "fe_button_create", 262, 320) + scene.Button("rename", "fe_button_rename", 432, 320) +
			 scene.Button("delete", "fe_button_delete", 602, 320) + scene.Button("ok", "fe_button_ok", 432, 240);
	return Scene("profile_menu", cSceneText("70").Element("object", "window_users", "", 0, 0, 0, "", users));
}

// The global boxes: a panel with a title and a message, and buttons below.
// They stand in front of every window, the diary included; a question
// stands in front of the name prompt, a notice in front of both.
std::string Boxes()
{
	auto box = [](const std::string& window, float depth,
				   const std::function<std::string(const cSceneText&)>& more) {
		const cSceneText scene("", depth);
		return cSceneText().Element("object", window, "", 0, 0, 0, "",
			scene.Element("geometry", "panel", "fe_box_panel", 252, 514, 10) +
				scene.Text("text_title", "fe_line", 292, 500, "22") +
				scene.Text("text_window", "fe_line", 292, 450, "0") + more(scene));
	};
	return Scene("mb_ok", box("window_profile_small", -1760,
							  [](const cSceneText& scene) { return scene.Button("ok", "fe_button_ok", 432, 330); })) +
		   Scene("mb_yn", box("window_profile_small", -1730,
							  [](const cSceneText& scene) {
								  return scene.Button("yes", "fe_button_yes", 322, 330) +
										 scene.Button("no", "fe_button_no", 542, 330);
							  })) +
		   Scene("edit_box", box("window_profile_small_q", -1700, [](const cSceneText& scene) {
			   return scene.Element("geometry", "field", "fe_edit_field", 292, 412, 5) +
					  scene.Element("editbox", "edit_box", "fe_line", 292, 410, -1,
						  "font_id=\"0\" max_length=\"22\" color=\"1 0.1 0.1 0.15\"") +
					  scene.Button("ok", "fe_button_ok", 322, 330) + scene.Button("cancel", "fe_button_cancel", 542, 330);
		   }));
}

// Decaying notes one after another, with a little noise for the page.
std::vector<float> Chime(long rate, std::initializer_list<float> notes, float step, float noise)
{
	const float kTwoPi = 6.2831853f;
	std::vector<float> samples(size_t(float(rate) * (step * float(notes.size()) + 0.4f)), 0.0f);
	uint32_t seed = 7;
	size_t index = 0;
	for (float frequency : notes)
	{
		const size_t start = size_t(float(rate) * step * float(index++));
		for (size_t i = start; i < samples.size(); ++i)
		{
			const float t = float(i - start) / float(rate);
			seed = seed * 1664525u + 1013904223u;
			const float hiss = float(seed >> 8) / float(1u << 24) * 2 - 1;
			samples[i] += 0.3f * std::exp(-t * 9) * ((1 - noise) * std::sin(kTwoPi * frequency * t) + noise * hiss);
		}
	}
	return samples;
}

bool WritePictures(cContentTree& tree, const cLabelPainter& big, const cLabelPainter& labels,
	const cLabelPainter& small)
{
	for (const sPicture& picture : DrawPictures(big, labels, small))
	{
		const std::string png = EncodePng(picture.image);
		const sQuadArt quad{picture.name.c_str(), {0, -picture.height, picture.width, 0}, picture.name.c_str(),
			picture.u, picture.v};
		if (png.empty() || !tree.WriteFile(kFolder + picture.name + ".png", png) ||
			!tree.WriteFile(kFolder + picture.name + ".model", QuadModelBytes(quad)))
			return false;
	}
	for (int segment = 0; segment < kBarSegments; ++segment)
		if (!tree.WriteFile(kFolder + "fe_loading_bar" + std::to_string(segment) + ".motion", BarSegmentMotion(segment)))
			return false;
	return tree.WriteFile(kFolder + "fe_logo_fade.motion", LogoMotion()) &&
		   tree.WriteFile(kFolder + "fe_menu_fade.motion", FadeMotion());
}

bool WriteSounds(cContentTree& tree)
{
	const long rate = 44100;
	const std::pair<const char*, std::vector<float>> sounds[] = {
		{"menu_appear", Chime(rate, {660, 880}, 0.08f, 0)},
		{"mainmenuappear", Chime(rate, {392, 494, 587, 784}, 0.1f, 0)},
		{"journal_page", Chime(rate, {300}, 0.2f, 0.9f)},
		{"game_start", Chime(rate, {523, 659, 784, 1047}, 0.15f, 0.05f)},
	};
	for (const auto& [name, samples] : sounds)
	{
		const std::string ogg = cOggEncoder(2, rate, 0.3f).Encode({samples, samples});
		if (ogg.empty() || !tree.WriteFile("data/sounds/" + std::string(name) + ".ogg", ogg))
			return false;
	}
	return true;
}
}

bool WriteFrontEndContent(cContentTree& tree, const std::string& fontFolder)
{
	cLabelPainter big;
	cLabelPainter labels;
	cLabelPainter small;
	const std::string scenes = "<resources>\n" + Logos() + LoadingScenes() + MainMenu() + Options("options", false) +
							   Options("in_game_options", true) + ProfileMenu() + Boxes() + "</resources>\n";
	if (big.Open(fontFolder, 40) && labels.Open(fontFolder, 20) && small.Open(fontFolder, 14) &&
		WritePictures(tree, big, labels, small) && WriteSounds(tree) &&
		tree.WriteFile(kFolder + "frontend.resource", scenes))
		return true;
	std::fprintf(stderr, "cannot make the front end\n");
	return false;
}
