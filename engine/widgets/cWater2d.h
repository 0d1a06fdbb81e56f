#pragma once
// The object type "water2d": a geometry object whose shader gets the
// texture matrix "g_BumpMatrix" stepping through the frames of a bump-map
// atlas, frames_per_line frames per row, once every speed seconds.
//
// Properties: "frames", "frames_per_line" and "speed". A water object
// whose values are not all positive animates nothing; its time still runs.

#include "engine/foundation/cMatrix.h"
#include "engine/graphics/sEffectParameter.h"
#include "engine/widgets/cGeometry.h"

class cWater2d : public cGeometry
{
public:
	cWater2d(const std::string& name, cSceneObject* parent);
	static cSceneObject* Create(const std::string& name, cSceneObject* parent);

	std::string GetTypeName() const override { return "water2d"; }
	// The base update, then the loop's time and the frame's matrix.
	void Update(float dt) override;

	// The texture matrix of the frame shown last (identity before any).
	const cMatrix& GetBumpMatrix() const { return m_bumpMatrix; }

private:
	// Takes the parameter from the shader of the model, when it changed.
	void BindEffect();

	int m_frames = 60;
	int m_framesPerLine = 8;
	ID3DXEffect* m_effect = nullptr;
	sEffectParameter m_bumpParameter;
	float m_time = 0.0f;
	float m_speed = 2.0f;
	cMatrix m_bumpMatrix = cMatrix::Identity();
};
