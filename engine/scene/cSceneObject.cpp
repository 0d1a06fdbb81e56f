#include "engine/scene/cSceneObject.h"

#include "engine/graphics/sGraphicsDeviceState.h"
#include "engine/scene/cMotionPlayer.h"
#include "engine/scene/cSceneManager.h"
#include "engine/scene/cVisual.h"
#include "engine/scene/sObjectDesc.h"

namespace
{
// Objects at most this opaque are not drawn, nor anything below them.
const float kInvisibleAlpha = 0.0001f;
}

cSceneObject::cSceneObject(const std::string& name, cSceneObject* parent)
	: m_children(new cChildList(this)),
	  m_name(name),
	  m_properties(this),
	  m_onDelete(&m_events["on_delete"]),
	  m_animations(new cObjectAnimations(this)),
	  m_motions(new cObjectMotions(this))
{
	m_children->SetParent(parent, false);
	UpdateTransforms(true, true);
	m_properties.GetMap().BindIntVariable("sort", &m_sortKey);
	m_properties.GetMap().BindBoolVariable("light_rec", &m_lightRec);
}

cSceneObject::~cSceneObject()
{
	if (*m_onDelete)
		m_onDelete->Invoke(this);
	cSceneManager::ForgetModal(this);
	m_children->SetParent(nullptr, false);
	delete m_motions;
	delete m_animations;
	delete m_visual;
	m_children->DeleteChildren();
	delete m_children;
}

void cSceneObject::SetModel(const std::string& name)
{
	if (m_visual)
		m_visual->SetModel(name);
}

void cSceneObject::DrawSelf()
{
	if (m_visual)
		m_visual->Draw();
}

void cSceneObject::CollectDraw(std::vector<sDrawEntry>& queue, cCamera*& camera)
{
	if (m_transform.GetEffectiveColor().a <= kInvisibleAlpha)
		return;
	if (m_visual || m_forceDraw)
		queue.push_back({ this, camera });
	for (cSceneObject* child : m_children->GetChildren())
		if (child->IsVisible() && !child->m_properties.IsJustShown())
			child->CollectDraw(queue, camera);
}

void cSceneObject::Update(float dt)
{
	m_properties.ClearJustShown();
	if (m_visual)
		m_visual->Update(dt);
	cMotionPlayer* player = m_motions->GetPlayer();
	if (player && player->IsPlaying())
		player->Update(dt);
	cChildList& list = *m_children;
	list.MarkUnchanged();
	const std::vector<cSceneObject*>& children = list.GetChildren();
	for (size_t index = 0; index < children.size();)
	{
		cSceneObject* child = children[index];
		if (child->m_deletePending)
		{
			// Out of the list first, so that the walk stays at this position.
			list.DetachForDelete(index);
			delete child;
			continue;
		}
		if (child->IsVisible())
		{
			child->Update(dt);
			// A changed list ends this frame's walk over the later siblings.
			if (!list.IsUnchanged())
				return;
		}
		++index;
	}
}

void cSceneObject::DrawSubtree()
{
	if (!IsVisible())
		return;
	if (m_visual)
		m_visual->Draw();
	for (cSceneObject* child : m_children->GetChildren())
		if (child->IsVisible() && !child->m_properties.IsJustShown())
			child->DrawSubtree();
}

void cSceneObject::BindEvent(const std::string& name, const tEvent& handler)
{
	m_events[name] = handler;
}

void cSceneObject::FireEvent(const std::string& name)
{
	auto found = m_events.find(name);
	if (found != m_events.end() && found->second)
		found->second.Invoke(this);
}

void cSceneObject::UpdateTransforms(bool worldChanged, bool colourChanged)
{
	m_transform.UpdateWorldMatrix(worldChanged);
	m_transform.UpdateColour(colourChanged);
	const cSceneObject* parent = GetParent();
	m_properties.SetEffectiveState(
		IsVisible() && (!parent || parent->m_properties.IsEffectiveVisible()),
		IsEnabled() && (!parent || parent->m_properties.IsEffectiveEnabled()));
	for (cSceneObject* child : m_children->GetChildren())
		child->UpdateTransforms(worldChanged, colourChanged);
}

void cSceneObject::DispatchInput(bool modal)
{
	PreInput();
	bool mode = modal;
	if (!modal || Singletone<cSceneManager>::GetInstance()->GetTopModal() == this)
		mode = HandleInput();
	cChildList& list = *m_children;
	list.MarkUnchanged();
	const std::vector<cSceneObject*>& children = list.GetChildren();
	for (size_t index = 0; index < children.size(); ++index)
	{
		if (cSceneManager::IsInputConsumed())
			return;
		cSceneObject* child = children[index];
		if (child->IsVisible() && child->IsEnabled())
			child->DispatchInput(mode);
		if (!list.IsUnchanged())
			return;
	}
}

sRay cSceneObject::GetLocalPickRay()
{
	const cMatrix& inverse = m_transform.GetInverseWorldMatrix();
	const sRay& world = Singletone<cSceneManager>::GetInstance()->GetPickRay();
	sRay local;
	local.origin = TransformPoint(world.origin, inverse);
	local.direction = TransformPoint(world.origin + world.direction, inverse) - local.origin;
	return local;
}

bool cSceneObject::HitTest()
{
	if (m_visual && m_visual->HitTest(GetLocalPickRay()))
		return true;
	for (cSceneObject* child : m_children->GetChildren())
		if (child->IsVisible() && child->IsEnabled() && child->HitTest())
			return true;
	return false;
}

bool cSceneObject::HitTestVisual(const sRay& localRay)
{
	return m_visual && m_visual->HitTest(localRay);
}

void cSceneObject::SetModal(bool on)
{
	Singletone<cSceneManager>::GetInstance()->SetModal(this, on);
}

void cSceneObject::SetSortKey(int key)
{
	m_sortKey = key;
	for (cSceneObject* child : m_children->GetChildren())
		child->SetSortKey(key);
}

void cSceneObject::MarkForDelete()
{
	cAutoLock lock(Singletone<cSceneManager>::GetInstance()->GetLock());
	m_deletePending = true;
}

void cSceneObject::MoveInSiblings(bool toFront)
{
	if (cSceneObject* parent = GetParent())
		parent->GetChildList().MoveChild(this, toFront);
}

bool cSceneObject::IsBusy() const
{
	return m_animations->IsPlaying() || m_motions->IsPlaying();
}

void cSceneObject::LoadFromDesc(const sObjectDesc& desc)
{
	if (!desc.model.empty())
		SetModel(desc.model);
	if (m_visual)
		for (const sAnimationDesc& animation : desc.animations)
			m_visual->SetAnimatorParam(animation.name, animation.speed);

	m_transform.SetLocalMatrix(desc.local);
	m_transform.SetColor(desc.colour.r, desc.colour.g, desc.colour.b, desc.colour.a);
	bool worldChanged = true;
	bool colourChanged = true;
	m_transform.UpdateWorldMatrix(worldChanged);
	m_transform.UpdateColour(colourChanged);

	if (!desc.motion.empty())
		m_motions->CreatePlayer(desc.motion);
	if (cMotionPlayer* player = m_motions->GetPlayer())
		player->AddClips(desc.motions);
	for (const auto& [key, value] : desc.properties)
		m_properties.SetProperty(key, value);

	const int required = GraphicsDeviceState().shaderSupport ? kShaderMustBe : kShaderMustNotBe;
	cSceneManager* scene = Singletone<cSceneManager>::GetInstance();
	for (const sObjectDesc& childDesc : desc.children)
	{
		if (childDesc.shaderRequirement != kShaderAny && childDesc.shaderRequirement != required)
			continue;
		// An unknown type id builds a plain object.
		cSceneObject* child = scene->CreateObject(childDesc.type, childDesc.name, this);
		child->m_properties.SetEnabled(childDesc.enabled);
		child->m_properties.SetVisible(childDesc.visible);
		child->LoadFromDesc(childDesc);
	}
	OnLoaded();
}

void cSceneObject::SetVisual(cVisual* visual)
{
	if (m_visual != visual)
		delete m_visual;
	m_visual = visual;
}
