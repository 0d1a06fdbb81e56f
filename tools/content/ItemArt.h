#pragma once
// The demo's inventory item "gem": a blue cut stone in its own texture,
// shown by a model of one textured quad. The inventory slots centre an
// item's model by its bounding box, so the quad sits anywhere.

#include "cImage.h"

#include "engine/graphics/cModel.h"

// The item's name, also the name of its model.
extern const char* const kItemName;
// What the item's slot tooltip calls it.
extern const char* const kItemTitle;
// The texture the item model names.
extern const char* const kItemTexture;

// The picture, 64 by 64.
cImage DrawItemPicture();
// One quad of 48 by 48 showing the whole picture.
void MakeItemModel(cModel& model);
