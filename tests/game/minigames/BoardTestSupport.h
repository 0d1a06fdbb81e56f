#pragma once
// What the puzzle boards written in the minigame tests share: textured
// quads placed on the minigame's 1024 by 768 screen (y up), the frame
// "border" around the board with its close and skip buttons, and a skip
// bar that fills in 3 s.

#include "MinigameTestSupport.h"

#include <cstdio>
#include <string>

namespace board
{
constexpr sRect kFrame { 170, 120, 854, 650 };
constexpr sRect kClose { 800, 600, 850, 650 };
constexpr sRect kSkip { 170, 120, 230, 150 };

inline std::string Number(float value)
{
	char text[32];
	std::snprintf(text, sizeof text, "%g", value);
	return text;
}

// The "local" text of a translation.
inline std::string At(float x, float y, float z = 0)
{
	return "1 0 0 0 1 0 0 0 1 " + Number(x) + " " + Number(y) + " " + Number(z);
}

inline tBytes Bytes(const std::string& text)
{
	return tBytes(text.begin(), text.end());
}

// A geometry element of the model at the place.
inline std::string Placed(const std::string& name, const std::string& model, float x, float y, float z = 0,
	const std::string& attributes = "")
{
	return "<geometry name=\"" + name + "\" model=\"" + model + "\" local=\"" + At(x, y, z) + "\"" + attributes + "/>";
}

// A quad model showing a one-colour texture of the same name.
inline void AddColourQuad(cTestResources& resources, const std::string& name, const sRect& rect, uint32_t colour)
{
	cModel model;
	AddQuad(model, rect.left, rect.bottom, rect.right, rect.top);
	model.materials = { Material(0, 2, { name }) };
	resources.Add("model", name, ModelBytes(model));
	resources.Add("texture", name, DdsFile(1, 1, { colour }));
}

// A quad centred on its origin.
inline sRect Centred(float width, float height)
{
	return { -width / 2, -height / 2, width / 2, height / 2 };
}

// The skip bar and the frame, to end a board's scene.
inline std::string BorderScene()
{
	return R"(<bar name="bar" motion="slide"><add_motion name="fill" first="0" last="30" length="3"/></bar>
		<geometry name="border" model="board_frame">
			<button name="close" model="board_close"/>
			<button name="skip" model="board_skip"/>
			<object name="description"/>
		</geometry>)";
}

// The frame is a ring with a clear inside.
inline void AddBorderModels(cTestResources& resources)
{
	AddColourQuad(resources, "board_close", kClose, 0xFFA06020);
	AddColourQuad(resources, "board_skip", kSkip, 0xFFA06020);
	cModel model;
	AddQuad(model, kFrame.left, kFrame.bottom, kFrame.right, kFrame.top);
	model.materials = { Material(0, 2, { "board_frame" }) };
	resources.Add("model", "board_frame", ModelBytes(model));
	const UINT size = 64;
	std::vector<uint32_t> ring(size * size, 0x00000000);
	for (UINT i = 0; i < size; ++i)
		ring[i] = ring[(size - 1) * size + i] = ring[i * size] = ring[i * size + size - 1] = 0xFFA06020;
	resources.Add("texture", "board_frame", DdsFile(size, size, ring));
}
}
