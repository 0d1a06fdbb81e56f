#include "engine/widgets/cWater2d.h"

#include "engine/graphics/cFakeShaderResource.h"
#include "engine/graphics/cModelController.h"
#include "engine/graphics/cShaderEffect.h"
#include "engine/scene/cVisual.h"

cWater2d::cWater2d(const std::string& name, cSceneObject* parent) : cGeometry(name, parent)
{
	cPropertyMap& properties = GetProperties().GetMap();
	properties.BindIntVariable("frames", &m_frames);
	properties.BindIntVariable("frames_per_line", &m_framesPerLine);
	properties.BindFloatVariable("speed", &m_speed);
}

cSceneObject* cWater2d::Create(const std::string& name, cSceneObject* parent)
{
	return new cWater2d(name, parent);
}

void cWater2d::Update(float dt)
{
	cGeometry::Update(dt);
	m_time += dt;
	if (m_speed <= m_time)
		m_time = 0;
	// The frame arithmetic divides by these: other values show nothing.
	if (m_frames <= 0 || m_framesPerLine <= 0 || m_speed <= 0)
		return;
	const int frame = int(float(m_frames) * (m_time / m_speed));
	const int row = frame / m_framesPerLine;
	const int column = frame % m_framesPerLine;
	const float cell = 1.0f / float(m_framesPerLine);
	m_bumpMatrix = cMatrix::Identity();
	m_bumpMatrix._11 = cell;
	m_bumpMatrix._22 = cell;
	m_bumpMatrix._31 = cell * float(column);
	m_bumpMatrix._32 = cell * float(row);
	BindEffect();
	if (m_bumpParameter)
		m_bumpParameter.effect->SetMatrix(m_bumpParameter.handle, &m_bumpMatrix);
}

void cWater2d::BindEffect()
{
	cModelController* controller = GetVisual() ? GetVisual()->GetModelController() : nullptr;
	cFakeShaderResource* shader = controller ? controller->GetShader() : nullptr;
	cShaderEffect* wrapper = shader ? shader->GetEffect() : nullptr;
	ID3DXEffect* effect = wrapper ? wrapper->GetEffect() : nullptr;
	if (effect == m_effect)
		return;
	m_effect = effect;
	m_bumpParameter = wrapper ? wrapper->GetParameter("g_BumpMatrix") : sEffectParameter();
}
