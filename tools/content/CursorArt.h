#pragma once
// The four software cursors, "cursor", "dialog", "lens" and "hours":
// drawn side by side into one texture, each shown by a model of one
// textured quad whose origin is the cursor's top-left corner.

#include "cImage.h"

#include "engine/graphics/cModel.h"

#include <string>
#include <vector>

struct sCursorArt
{
	std::string name;
	// The pixel of the picture that points, from its top-left corner.
	int hotX = 0;
	int hotY = 0;
};

// The texture the cursor models name.
extern const char* const kCursorTexture;

const std::vector<sCursorArt>& CursorArts();
// The pictures, one 64 by 64 cell each, left to right in CursorArts() order.
cImage DrawCursorAtlas();
// The model of the cursor at that position in CursorArts().
void MakeCursorModel(size_t index, cModel& model);
// The offset that puts the hot spot under the mouse, as "x y z".
std::string CursorOffset(const sCursorArt& art);
