#pragma once
// The demo's minigame content in data/minigames/: the frame every
// minigame scene holds as its child "border" (a wooden frame, the close
// and skip buttons, the description text and the skip bar that fills in
// 15 s), the celebration of the effect overlay ("minigame_effect", a star
// that grows in and fades out), and a small minigame scene,
// "test_minigame", of a board inside the frame, and the "victory" sound.
// Scenes are in the list "minigames.resource" beside their models,
// textures and motions.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class cContentTree;
class cXmlNode;

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

// A new child element of parent with the attributes, in order.
cXmlNode* AddXmlElement(cXmlNode& parent, const char* name,
	std::initializer_list<std::pair<const char*, std::string>> attributes);
// A model vertex: position and texture coordinates.
struct sMeshVertex
{
	float x, y, z, u, v;
};

// The model file's bytes of the triangles (clockwise as seen on the screen)
// in one material of the texture.
std::string MeshModelBytes(const char* name, const std::vector<sMeshVertex>& vertices,
	const std::vector<uint16_t>& indices, const char* texture);
// The model file of the quad, on the 1024 by 768 screen with y up.
std::string QuadModelBytes(const sQuadArt& art);
// Appends the frame "border" every minigame scene holds: the close and
// skip buttons, the description text and the skip bar.
void AddMinigameBorder(cXmlNode& parent);

// False, with a message on standard error, when anything failed.
bool WriteMinigameContent(cContentTree& tree);
