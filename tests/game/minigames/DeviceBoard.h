#pragma once
// The device test tray: three pieces at their places over a clipped background.

#include "PuzzleMinigameSupport.h"

#include "game/minigames/cMinigameDevice.h"

#include <array>
#include <cmath>
#include <deque>
#include <functional>
#include <unordered_map>

namespace DeviceBoard
{
struct sPieceArt
{
	const char* model;
	sRect rect;
	float x, y;
};
// Each piece centred on its origin, at its place.
const sPieceArt kPieces[] = {
	{ "bar_piece", { -60, -15, 60, 15 }, 400, 450 },
	{ "post_piece", { -15, -50, 15, 50 }, 620, 380 },
	{ "block_piece", { -30, -25, 30, 25 }, 480, 260 },
};
constexpr sRect kBackground { 192, 144, 832, 624 };

inline void AddDeviceContent(sPuzzleArt art, cSceneContent& content, bool withBackground = true)
{
	art.Quad("tray", kBackground, "blue");
	std::string scene = withBackground ? R"(<geometry name="background" model="tray"/>)" : "";
	int number = 1;
	for (const sPieceArt& piece : kPieces)
	{
		art.Quad(piece.model, piece.rect, "yellow");
		scene += "<geometry name=\"mashine_" + std::to_string(number++) + "\" model=\"" + piece.model +
			"\" local=\"" + At(piece.x, piece.y) + "\"/>";
	}
	content.AddScene("device", scene + StripBorder());
}

// The piece's turn from its place in steps of 30 degrees, 0 to 11.
inline int TurnsFromPlace(const cMatrix& now, const cMatrix& start)
{
	const float degrees = (std::atan2(now._12, now._11) - std::atan2(start._12, start._11)) * 57.29578f;
	return (int(std::lround(degrees / 30)) % 12 + 12) % 12;
}
}
