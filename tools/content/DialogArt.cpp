#include "DialogArt.h"

#include "engine/scene/cMotionWriter.h"

const char* const kCloudTexture = "cloud.png";

cImage DrawCloud()
{
	cImage image(kCloudWidth, kCloudHeight);
	const float rx = kCloudWidth / 2.0f - 2;
	const float ry = kCloudHeight / 2.0f - 2;
	auto inside = [rx, ry](float x, float y) {
		const float dx = (x - kCloudWidth / 2.0f) / rx;
		const float dy = (y - kCloudHeight / 2.0f) / ry;
		return dx * dx + dy * dy <= 1;
	};
	image.FillShape(0, 0, kCloudWidth, kCloudHeight, inside, { 60, 60, 80, 255 });
	image.FillShape(3, 3, kCloudWidth - 3, kCloudHeight - 3,
		[&](float x, float y) {
			const float dx = (x - kCloudWidth / 2.0f) / (rx - 3);
			const float dy = (y - kCloudHeight / 2.0f) / (ry - 3);
			return dx * dx + dy * dy <= 1;
		},
		{ 255, 255, 240, 255 });
	return image;
}

void MakeCloudModel(cModel& model)
{
	struct sVertex
	{
		float x, y, z, u, v;
	};
	const float w = float(kCloudWidth);
	const float h = float(kCloudHeight);
	// y grows upward on the screen: the picture hangs below the origin.
	const sVertex vertices[4] = { { 0, 0, 0, 0, 0 }, { w, 0, 0, 1, 0 }, { w, -h, 0, 1, 1 }, { 0, -h, 0, 0, 1 } };
	model.name = "cloud";
	model.vertexFormat = D3DFVF_XYZ | D3DFVF_TEX1;
	const auto* bytes = reinterpret_cast<const uint8_t*>(vertices);
	model.vertexBytes.assign(bytes, bytes + sizeof vertices);
	model.indices = { 0, 1, 2, 0, 2, 3 };
	model.boundsMin = cVector3d(0, -h, 0);
	model.boundsMax = cVector3d(w, 0, 0);
	sModelMaterial material;
	material.triangleCount = 2;
	material.textureNames = { kCloudTexture };
	model.materials = { material };
}

std::string CloudMotionBytes()
{
	cMotionWriter writer;
	const float heights[] = { -400, 0, 12, 0, -400 };
	for (int key = 0; key < 5; ++key)
		writer.AddKeyTime(key * 10.0f).AddPosition(0, heights[key], 0);
	return writer.GetBytes();
}
