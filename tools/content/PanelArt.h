#pragma once
// The demo's game panel: the bar along the bottom of the screen with the
// menu, aims, hint and room buttons, six inventory slots, the items list
// and the line of the latest aim; the objectives sheet with its five
// layouts; the aim flashes and the hint effects. Also the particles of the
// found-object effects ("effects_desc"), the panel's sounds and its texts.

#include "cImage.h"

#include "engine/graphics/cModel.h"
#include "engine/graphics/sParticleSystemDesc.h"
#include "engine/scene/sObjectDesc.h"

#include <string>
#include <utility>
#include <vector>

// One textured quad of the panel: its model and texture share the name.
struct sPanelPicture
{
	std::string name;
	cImage image;
	// The quad's size on the screen; its top-left corner is the origin.
	float width;
	float height;
	// The share of the texture the quad shows from its top-left corner:
	// buttons show one cell of their 2 by 2 atlas of looks.
	float cell;
	// The quad's centre is the origin instead: an inventory slot draws
	// its item centred on its origin.
	bool centred = false;
};

std::vector<sPanelPicture> DrawPanelPictures();
// The particles' texture: a soft round dot, 32 by 32.
extern const char* const kSparkleTexture;
cImage DrawSparkle();
void MakePanelModel(const sPanelPicture& picture, cModel& model);

// The scene "gamepanel". The object types are looked up in the scene
// manager's registry, where the panel's own "inventory" type is entered.
sObjectDesc MakePanelScene();
// The motion "panel_aim_text": a new aim's line on the bar fades in, stays
// a few seconds and fades out, so that a done aim does not stay in sight.
std::string AimTextMotionBytes();

// The particle systems by resource name.
std::vector<std::pair<std::string, sParticleSystemDesc>> MakePanelParticles();
// The text of "effects_desc".
std::string PanelEffectsXml();

// Short synthesised sounds by name: "hint", "hint_full", "crossout" and
// "button_click"; one vector of samples (-1 to 1) per channel.
std::vector<std::pair<std::string, std::vector<std::vector<float>>>> ComposePanelSounds(long rate);

// The panel's texts: name and English text.
extern const char* const kPanelTexts[][2];
extern const size_t kPanelTextCount;
