#include "engine/scene/cCameraObject.h"

#include "engine/foundation/PropertyValueMatrix.h"
#include "engine/graphics/cGraphics.h"
#include "engine/input/cInputManager.h"
#include "engine/scene/cMotionPlayer.h"
#include "engine/scene/cSceneManager.h"

cCameraObject::cCameraObject(const std::string& name, cSceneObject* parent) : cSceneObject(name, parent)
{
	cPropertyMap& properties = GetProperties().GetMap();
	const cDelegatePtr<float*> noGetter;
	properties.BindFloat("fov", noGetter, cDelegatePtr<float*>(MakeMemberDelegate(this, &cCameraObject::OnFov)));
	properties.BindFloat("znear", noGetter, cDelegatePtr<float*>(MakeMemberDelegate(this, &cCameraObject::OnNear)));
	properties.BindFloat("zfar", noGetter, cDelegatePtr<float*>(MakeMemberDelegate(this, &cCameraObject::OnFar)));
	properties.BindFloat("aspect", noGetter, cDelegatePtr<float*>(MakeMemberDelegate(this, &cCameraObject::OnAspect)));
	properties.BindBool("ortho", cDelegatePtr<bool*>(), cDelegatePtr<bool*>(MakeMemberDelegate(this, &cCameraObject::OnOrtho)));
	properties["offset"].SetValue(cSharedPtr<PropertyValue>(new PropertyValueMatrix(&m_offset)));
}

cCameraObject::~cCameraObject()
{
	cSceneManager::ForgetCamera(this);
}

cSceneObject* cCameraObject::Create(const std::string& name, cSceneObject* parent)
{
	return new cCameraObject(name, parent);
}

void cCameraObject::SetDirtyFloat(float* target, const float* value)
{
	*target = *value;
	m_dirty = true;
}

void cCameraObject::OnOrtho(bool* value)
{
	m_ortho = *value;
	m_dirty = true;
}

void cCameraObject::OnLoaded()
{
	// Only the camera's own tree: a loader thread builds detached subtrees
	// while the main thread works on the live one.
	cSceneObject* top = this;
	while (cSceneObject* parent = top->GetParent())
		top = parent;
	top->UpdateTransforms(true, true);
	PlaceCamera();
	MoveInSiblings(true);
}

void cCameraObject::PreInput()
{
	const cVector3d& cursor = cInputManager::GetInstance()->GetCursorPosition();
	cSceneManager::GetInstance()->GetPickRay() = m_camera.GetPickRay(cursor, cMatrix::Identity());
}

void cCameraObject::CollectDraw(std::vector<sDrawEntry>& queue, cCamera*& camera)
{
	camera = &m_camera;
	cSceneObject::CollectDraw(queue, camera);
}

void cCameraObject::Update(float dt)
{
	const cMotionPlayer* player = GetMotions().GetPlayer();
	const bool playing = player && player->IsPlaying();
	cSceneObject::Update(dt);
	if (m_dirty)
	{
		m_dirty = false;
		RebuildProjection();
	}
	else if (!playing)
		return;
	if (playing)
	{
		// The motion moved the object in this update: its world matrix (and
		// its subtree's) follows now, so that the view shows this pose and
		// not the one before, the clip's last pose included.
		UpdateTransforms(false, false);
	}
	PlaceCamera();
}

void cCameraObject::RebuildProjection()
{
	if (m_ortho)
	{
		cCameraObject* standard = cSceneManager::GetInstance()->GetDefaultCamera();
		if (standard && standard != this)
			m_camera = standard->m_camera;
		return;
	}
	const cGraphics* graphics = cGraphics::GetInstance();
	m_camera.SetPerspective(m_fov, float(graphics->GetBackBufferWidth()) / float(graphics->GetBackBufferHeight()),
		m_near, m_far);
}

void cCameraObject::PlaceCamera()
{
	m_camera.SetTransform(m_offset * GetTransform().GetWorldMatrix());
}
