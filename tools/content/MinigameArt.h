#pragma once
// The demo's minigame content in data/minigames/: the frame every
// minigame scene holds as its child "border" (a wooden frame, the close
// and skip buttons, the description text and the skip bar that fills in
// 15 s), the celebration of the effect overlay ("minigame_effect", a star
// that grows in and fades out), and a small minigame scene,
// "test_minigame", of a board inside the frame, and the "victory" sound.
// Scenes are in the list "minigames.resource" beside their models,
// textures and motions. The helpers below serve the minigames' own
// content files too.

#include "cImage.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class cContentTree;
class cXmlNode;

// On the 1024 by 768 screen, y up.
struct sRect
{
	float left, bottom, right, top;
};

// One textured quad of a model, showing the texture from (0, 0) to (u, v).
struct sQuadArt
{
	const char* model;
	sRect rect;
	const char* texture;
	float u;
	float v;
};

// A model vertex: position and texture coordinates.
struct sMeshVertex
{
	float x, y, z, u, v;
};

// False, with a message on standard error, when anything failed.
bool WriteMinigameContent(cContentTree& tree);

// A new child element of parent with the attributes, in order.
cXmlNode* AddXmlElement(cXmlNode& parent, const char* name,
	std::initializer_list<std::pair<const char*, std::string>> attributes);
// The "local" text of a translation.
std::string MinigamePlace(float x, float y, float z);
// The model file's bytes of the triangles (clockwise as seen on the screen)
// in one material of the texture.
std::string MeshModelBytes(const char* name, const std::vector<sMeshVertex>& vertices,
	const std::vector<uint16_t>& indices, const char* texture);
// The model file of the quad, on the 1024 by 768 screen with y up.
std::string QuadModelBytes(const sQuadArt& art);
// The frame "border" with its buttons, description and skip bar, inside
// x 160 to 864 and y 114 to 654 (the buttons and bar along its lower edge
// up to y 170, the close button in its top right corner from x 792 and
// y 582, the description along its top).
void AddMinigameBorder(cXmlNode& parent);
// Writes the textures as PNG files and the quads' models into the
// minigames' folder.
bool WriteMinigamePictures(cContentTree& tree, const std::vector<std::pair<const char*, cImage>>& textures,
	const std::vector<sQuadArt>& quads);
