#include "ItemArt.h"

#include <cmath>

const char* const kItemName = "gem";
const char* const kItemTitle = "Blue gem";
const char* const kItemTexture = "items";

namespace
{
const int kPictureSize = 64;
const float kQuadSize = 48;
}

cImage DrawItemPicture()
{
	cImage image(kPictureSize, kPictureSize);
	const float centre = kPictureSize / 2.0f;
	// A diamond outlined in dark blue, a lighter facet on its upper left.
	const auto diamond = [centre](float inset) {
		return [centre, inset](float x, float y) {
			return std::fabs(x - centre) + std::fabs(y - centre) < centre - inset;
		};
	};
	image.FillShape(0, 0, kPictureSize, kPictureSize, diamond(2), sRgba{20, 30, 90, 255});
	image.FillShape(0, 0, kPictureSize, kPictureSize, diamond(5), sRgba{40, 90, 220, 255});
	image.FillShape(0, 0, kPictureSize, kPictureSize,
		[&](float x, float y) { return diamond(5)(x, y) && x < centre && y < centre; }, sRgba{130, 180, 255, 255});
	return image;
}

void MakeItemModel(cModel& model)
{
	// Position and one texture coordinate pair (FVF 258), clockwise on the
	// screen with y up.
	struct sVertex
	{
		float x, y, z, u, v;
	};
	const float size = kQuadSize;
	const sVertex vertices[4] = {{0, size, 0, 0, 0}, {size, size, 0, 1, 0}, {size, 0, 0, 1, 1}, {0, 0, 0, 0, 1}};
	model.name = kItemName;
	model.vertexFormat = D3DFVF_XYZ | D3DFVF_TEX1;
	const auto* bytes = reinterpret_cast<const uint8_t*>(vertices);
	model.vertexBytes.assign(bytes, bytes + sizeof vertices);
	model.indices = {0, 1, 2, 0, 2, 3};
	model.boundsMin = cVector3d(0, 0, 0);
	model.boundsMax = cVector3d(size, size, 0);
	sModelMaterial material;
	material.triangleCount = 2;
	material.textureNames = {kItemTexture};
	model.materials = {material};
}
