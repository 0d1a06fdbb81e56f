#include "engine/scene/cQuadVisual.h"

#include "engine/graphics/cGraphics.h"
#include "engine/scene/cSceneObject.h"

cQuadVisual::cQuadVisual(cSceneObject* owner) : cVisual(owner)
{
	cPropertyMap& properties = owner->GetProperties().GetMap();
	properties.BindString("shader", cDelegatePtr<std::string*>(),
		cDelegatePtr<std::string*>(MakeMemberDelegate(this, &cQuadVisual::SetShader)));
	properties.BindBoolVariable("filter", &m_filter);
}

void cQuadVisual::SetShader(std::string* name)
{
	m_controller.SetShader(*name);
}

float cQuadVisual::GetAnimationLength()
{
	return Animator() ? Animator()->GetAnimationLength() : 0.0f;
}

float cQuadVisual::GetAnimationTime()
{
	return Animator() ? Animator()->GetTime() : 0.0f;
}

void cQuadVisual::PlayAnimation(const std::string& name)
{
	if (!Animator())
		return;
	sAnimationRequest request;
	request.name = name;
	Animator()->Play(0, request);
}

void cQuadVisual::ResumeAnimation()
{
	if (Animator())
		Animator()->Resume(0);
}

void cQuadVisual::SetAnimationParam(const std::string& name, int value)
{
	if (Animator())
		Animator()->SetNamedParam(name, value);
}

void cQuadVisual::SetAnimationTime(float seconds)
{
	if (Animator())
		Animator()->SetTime(seconds);
}

void cQuadVisual::SeekAnimation(float fraction)
{
	if (Animator())
		Animator()->SetTime(Animator()->GetAnimationLength() * fraction);
}

void cQuadVisual::StopAnimation()
{
	if (Animator())
		Animator()->Stop(0);
}

bool cQuadVisual::IsAnimationPlaying()
{
	return Animator() && Animator()->IsRunning();
}

bool cQuadVisual::IsNamedAnimationPlaying(const std::string& name)
{
	return IsAnimationPlaying() && Animator()->GetAnimationName(0) == name;
}

bool cQuadVisual::IsCurrentAnimation(const std::string& name)
{
	return Animator() && Animator()->GetAnimationName(0) == name;
}

const std::string& cQuadVisual::GetAnimationName()
{
	return Animator() ? Animator()->GetAnimationName(0) : m_name;
}

bool cQuadVisual::IsAnimationLooping()
{
	return Animator() && Animator()->IsLooping();
}

bool cQuadVisual::HitTestPoint(const sRay& ray, cVector3d& hitPoint)
{
	return m_controller.IntersectRay(ray, hitPoint);
}

bool cQuadVisual::HitTest(const sRay& ray)
{
	return m_controller.HitTest(ray);
}

void cQuadVisual::Draw()
{
	if (!m_controller.GetModel())
		return;
	ApplyFilter();
	const cTransformNode& transform = m_owner->GetTransform();
	cGraphics::GetInstance()->SetWorldMatrix(transform.GetWorldMatrix());
	m_controller.Draw(transform.GetEffectiveColor());
}

void cQuadVisual::ApplyFilter() const
{
	cGraphics* graphics = cGraphics::GetInstance();
	const D3DTEXTUREFILTERTYPE standard = graphics->GetDefaultTextureFilter();
	// Linear filtering stays set after this quad until an unfiltered one
	// puts the default back.
	if (m_filter && standard == D3DTEXF_NONE)
		graphics->SetTextureFilter(D3DTEXF_LINEAR);
	else if (graphics->GetTextureFilter() != standard)
		graphics->SetTextureFilter(standard);
}

void cQuadVisual::Update(float dt)
{
	if (IsAnimationPlaying())
		Animator()->Update(dt);
}

void cQuadVisual::UpdateOwnerBox()
{
	cTransformNode& transform = m_owner->GetTransform();
	const cModel* model = m_controller.GetModel();
	transform.SetLocalBox(model ? model->GetBoundingBox() : cVisual::GetLocalBox());
	transform.MarkWorldDirty();
}

void cQuadVisual::SetModel(const std::string& name)
{
	m_controller.SetModel(cModelHandle(name));
	UpdateOwnerBox();
}

void cQuadVisual::SetAnimatorParam(const std::string& name, float value)
{
	if (Animator())
		Animator()->SetParam(name, value);
}

void cQuadVisual::SetTextureOffset(float u, float v)
{
	m_controller.SetTextureOffset(u, v);
}
