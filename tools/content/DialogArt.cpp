#include "DialogArt.h"

#include "engine/scene/cMotionWriter.h"

#include <algorithm>
#include <cmath>

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

void MakeCloudTextBox(cModel& model)
{
	// The text keeps clear of the cloud's rim where the ellipse narrows.
	const float marginX = 32;
	const float marginY = 20;
	MakeCloudModel(model);
	model.name = "cloud_text";
	model.boundsMin = cVector3d(marginX, -(kCloudHeight - marginY), 0);
	model.boundsMax = cVector3d(kCloudWidth - marginX, -marginY, 0);
}

std::string CloudMotionBytes()
{
	cMotionWriter writer;
	// Moving in and out, the cloud is below the bottom of the screen from
	// any place a character's cloud has.
	const float heights[] = { -800, 0, 12, 0, -800 };
	for (int key = 0; key < 5; ++key)
		writer.AddKeyTime(key * 10.0f).AddPosition(0, heights[key], 0);
	return writer.GetBytes();
}

sPanelPicture DrawSkipButton()
{
	const int width = 128;
	const int height = 48;
	cImage image(2 * width, 2 * height);
	const sRgba looks[4] = { { 70, 90, 150, 255 }, { 95, 120, 190, 255 }, { 45, 60, 105, 255 }, { 110, 110, 110, 255 } };
	for (int cell = 0; cell < 4; ++cell)
	{
		const int left = (cell % 2) * width;
		const int top = (cell / 2) * height;
		const float radius = height / 2.0f - 2;
		auto bar = [=](float inset) {
			return [=](float x, float y) {
				const float cx = std::clamp(x - left, radius + 2, width - radius - 2);
				const float dx = x - left - cx;
				const float dy = y - top - height / 2.0f;
				return dx * dx + dy * dy <= (radius - inset) * (radius - inset);
			};
		};
		image.FillShape(left, top, left + width, top + height, bar(0), { 30, 30, 45, 255 });
		image.FillShape(left, top, left + width, top + height, bar(3), looks[cell]);
		image.FillShape(left, top, left + width, top + height,
			[=](float x, float y) {
				const float u = x - left - 88;
				const float dy = std::fabs(y - top - height / 2.0f);
				return (u > 0 && u < 10 && u < 10 - dy) || (u > 10 && u < 20 && u - 10 < 10 - dy);
			},
			{ 250, 245, 230, 255 });
	}
	return { "dialog_skip", image, float(width), float(height), 0.5f };
}
