#pragma once
// The picture test board: three rows of pieces over slots that fly to each other.

#include "PuzzleMinigameSupport.h"

#include "game/minigames/cMinigamePicture.h"

#include <array>
#include <cmath>
#include <deque>
#include <functional>
#include <unordered_map>

namespace PictureBoard
{
// Slot k (from 1) of ring r (from 0) sits here; ring r has r + 2 slots.
inline float SlotX(int slot) { return 250 + 130.0f * float(slot - 1); }
inline float SlotY(int ring) { return 500 - 140.0f * float(ring); }
inline int SlotCount(int ring) { return ring + 2; }
// The slot each piece lies over at the start, per ring.
const std::vector<int> kStartSlots[] = { { 2, 1 }, { 2, 3, 1 }, { 4, 3, 1, 2 } };
constexpr float kPieceHalf = 45;
constexpr float kSlotHalf = 30;

// The slot's flights, relative to its place: "start" rests there,
// "fly_to_<n>" goes to slot n's in half a second.
inline std::string SlotMotion(int slot)
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddPosition(0, 0, 0);
	for (int target = 1; target <= 4; ++target)
	{
		writer.AddKeyTime(20.0f * float(target)).AddPosition(0, 0, 0);
		writer.AddKeyTime(20.0f * float(target) + 10).AddPosition(SlotX(target) - SlotX(slot), 0, 0);
	}
	return writer.GetBytes();
}

inline std::string PictureScene(cSceneContent& content, bool withSlots = true)
{
	std::string scene;
	for (int ring = 0; ring < 3; ++ring)
		for (int k = 1; k <= SlotCount(ring); ++k)
		{
			const std::string suffix = std::to_string(ring + 1) + "_" + std::to_string(k);
			scene += "<geometry name=\"ring_" + suffix + "\" model=\"piece_" + std::to_string(ring) + "\" local=\"" +
				At(SlotX(kStartSlots[ring][k - 1]), SlotY(ring)) + "\"/>";
			if (!withSlots)
				continue;
			content.AddMotion("slot_" + suffix, SlotMotion(k));
			scene += "<geometry name=\"dummy_" + suffix + "\" model=\"slot_quad\" motion=\"slot_" + suffix +
				"\" local=\"" + At(SlotX(k), SlotY(ring)) + "\"><add_motion name=\"start\" first=\"0\" last=\"0\" length=\"0\"/>";
			for (int target = 1; target <= SlotCount(ring); ++target)
				scene += "<add_motion name=\"fly_to_" + std::to_string(target) + "\" first=\"" + std::to_string(20 * target) +
					"\" last=\"" + std::to_string(20 * target + 10) + "\" length=\"0.5\"/>";
			scene += "</geometry>";
		}
	return scene + StripBorder();
}

inline void AddPictureArt(sPuzzleArt art)
{
	art.Texture("clear", 1, { 0x00000000 });
	art.Texture("ring_0", 1, { 0xFFFF0000 });
	art.Texture("ring_1", 1, { 0xFF00FF00 });
	art.Texture("ring_2", 1, { 0xFFFFFF00 });
	for (int ring = 0; ring < 3; ++ring)
		art.Quad("piece_" + std::to_string(ring), { -kPieceHalf, -kPieceHalf, kPieceHalf, kPieceHalf },
			"ring_" + std::to_string(ring));
	art.Quad("slot_quad", { -kSlotHalf, -kSlotHalf, kSlotHalf, kSlotHalf }, "clear");
}

inline cVector3d Where(cSceneObject* object)
{
	return object->GetTransform().GetWorldMatrix().GetTranslation();
}
}
