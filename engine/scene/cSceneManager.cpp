#include "engine/scene/cSceneManager.h"

#include "engine/foundation/ContainerUtils.h"
#include "engine/graphics/cCamera.h"
#include "engine/graphics/cGraphics.h"
#include "engine/graphics/sGraphicsDeviceState.h"
#include "engine/resources/cResourceManager.h"
#include "engine/scene/cCameraObject.h"
#include "engine/scene/cEmitterObject.h"
#include "engine/scene/cMotionBlur.h"
#include "engine/scene/cMotionResource.h"
#include "engine/scene/cParticleSystemObject.h"
#include "engine/scene/cPostEffectObject.h"
#include "engine/scene/cQuadRun.h"
#include "engine/scene/cRenderTargetObject.h"
#include "engine/scene/cSceneLight.h"
#include "engine/scene/cSceneLightList.h"
#include "engine/scene/cSceneResource.h"
#include "engine/scene/cTextObject.h"
#include "engine/widgets/cButton.h"
#include "engine/widgets/cButtonText.h"
#include "engine/widgets/cCheckBox.h"
#include "engine/widgets/cEditBox.h"
#include "engine/widgets/cFlash.h"
#include "engine/widgets/cGeometry.h"
#include "engine/widgets/cMenuItem.h"
#include "engine/widgets/cRadioButton.h"
#include "engine/widgets/cSlider.h"
#include "engine/widgets/cWater2d.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

namespace
{
// The draw queue is reserved once for this many entries and never shrinks.
const size_t kDrawQueueReserve = 50000;

cSceneObject* CreatePlainObject(const std::string& name, cSceneObject* parent)
{
	return new cSceneObject(name, parent);
}

// The world z an entry sorts by; NaN sorts as the farthest, so that the
// order stays a strict weak ordering whatever a matrix holds.
float SortDepth(const cSceneObject* object)
{
	const float z = object->GetTransform().GetWorldMatrix()._43;
	return std::isnan(z) ? std::numeric_limits<float>::infinity() : z;
}
}

cSceneManager::cSceneManager() : m_root("root", nullptr)
{
	InitializeCriticalSection(&m_lock);
	m_objectTypes.Register("object", &CreatePlainObject);
	m_objectTypes.Register("geometry", &cGeometry::Create);
	m_objectTypes.Register("camera", &cCameraObject::Create);
	m_objectTypes.Register("button", &cButton::Create);
	m_objectTypes.Register("text", &cTextObject::Create);
	m_objectTypes.Register("flash", &cFlash::Create);
	m_objectTypes.Register("slider", &cSlider::Create);
	m_objectTypes.Register("checkbox", &cCheckBox::Create);
	m_objectTypes.Register("render_target", &cRenderTargetObject::Create);
	m_objectTypes.Register("psystem", &cParticleSystemObject::Create);
	m_objectTypes.Register("editbox", &cEditBox::Create);
	m_objectTypes.Register("button_text", &cButtonText::Create);
	m_objectTypes.Register("menu_item", &cMenuItem::Create);
	m_objectTypes.Register("emitter", &cEmitterObject::Create);
	// Effects need shaders, which this device never has: scene files then
	// build plain objects for them.
	if (GraphicsDeviceState().shaderSupport)
	{
		m_objectTypes.Register("posteffect", &cPostEffectObject::Create);
		m_objectTypes.Register("motionblur", &cMotionBlur::Create);
	}
	m_objectTypes.Register("radio", &cRadioButton::Create);
	m_objectTypes.Register("scene_light", &cSceneLight::Create);
	m_objectTypes.Register("water2d", &cWater2d::Create);
	cResourceManager* resources = Singletone<cResourceManager>::GetInstance();
	resources->RegisterExtension("motion", "motion_resource");
	resources->RegisterType("scene_resource", &cSceneResource::Create);
	resources->RegisterType("motion_resource", &cMotionResource::Create);
	m_drawQueue.reserve(kDrawQueueReserve);
	s_live = this;
	m_defaultCamera = new cCameraObject("camera", &m_root);
}

cSceneManager::~cSceneManager()
{
	{
		cAutoLock lock(&m_lock);
		// Never attached, so nothing else owns them; an object posted twice
		// is deleted once.
		std::set<cSceneObject*> detached;
		for (sReparentRequest& request : m_requests)
			if (!request.object->GetParent())
				detached.insert(request.object);
		for (cSceneObject* object : detached)
			delete object;
		m_requests.clear();
		m_drawQueue.clear();
		m_defaultCamera = nullptr;
		m_root.GetChildList().DeleteChildren();
		m_modal.clear();
		s_live = nullptr;
	}
	DeleteCriticalSection(&m_lock);
}

void cSceneManager::DispatchInput()
{
	cAutoLock lock(&m_lock);
	s_inputConsumed = false;
	m_root.DispatchInput(!m_modal.empty());
}

void cSceneManager::Update(float dt)
{
	cAutoLock lock(&m_lock);
	ApplyRequests();
	m_root.Update(dt);
	m_root.UpdateTransforms(false, false);
}

void cSceneManager::ApplyRequests()
{
	cAutoLock lock(&m_lock);
	if (m_requests.empty())
		return;
	// Taken out first: a request a completion delegate posts waits for the
	// next update.
	std::vector<sReparentRequest> requests;
	requests.swap(m_requests);
	for (sReparentRequest& request : requests)
	{
		request.object->GetChildList().SetParent(request.parent, false);
		if (request.completion)
			request.completion.Invoke(request.object);
	}
}

void cSceneManager::Render()
{
	cAutoLock lock(&m_lock);
	m_drawQueue.clear();
	DrawObjects(&m_root, m_drawQueue);
}

void cSceneManager::DrawObjects(cSceneObject* subtree, std::vector<sDrawEntry>& queue)
{
	cSceneLightList::ClearLightMarks();
	cCamera* camera = nullptr;
	subtree->CollectDraw(queue, camera);
	cSceneLightList::CommitLights();
	SortDrawQueue(queue);
	DrawQueue(queue);
}

void cSceneManager::SortDrawQueue(std::vector<sDrawEntry>& queue)
{
	for (sDrawEntry& entry : queue)
	{
		entry.sortKey = entry.object->GetSortKey();
		entry.depth = SortDepth(entry.object);
	}
	std::sort(queue.begin(), queue.end(), [](const sDrawEntry& a, const sDrawEntry& b) {
		if (a.sortKey != b.sortKey)
			return a.sortKey < b.sortKey;
		return a.depth > b.depth;
	});
}

void cSceneManager::DrawQueue(const std::vector<sDrawEntry>& queue)
{
	cGraphics* graphics = Singletone<cGraphics>::Exists() ? Singletone<cGraphics>::GetInstance() : nullptr;
	const bool lighting = graphics && graphics->GetLighting();
	cCamera* camera = nullptr;
	bool lightRec = true;
	for (size_t index = 0; index < queue.size();)
	{
		const sDrawEntry& entry = queue[index];
		if (entry.camera && entry.camera != camera)
		{
			camera = entry.camera;
			camera->Apply();
		}
		if (lighting && entry.object->GetLightRec() != lightRec)
		{
			lightRec = entry.object->GetLightRec();
			graphics->SetLighting(lightRec);
		}
		// With the device's lighting off, objects that draw alike go in one call.
		const bool lit = lighting && lightRec;
		const size_t run = graphics && !lit && cGraphics::GetDevice() ? QuadRunLength(queue, index, camera, lighting) : 1;
		if (run > 1)
		{
			if (!m_quadRun)
				m_quadRun = std::make_unique<cQuadRun>();
			m_quadRun->Draw(&entry, run);
		}
		else
			entry.object->DrawSelf();
		index += run;
	}
	if (lighting)
		graphics->SetLighting(true);
}

size_t cSceneManager::QuadRunLength(const std::vector<sDrawEntry>& queue, size_t first, const cCamera* camera,
	bool lighting)
{
	cQuadRun::sMemberKey head {};
	unsigned vertexCount = 0;
	if (!cQuadRun::Member(queue[first].object, head, vertexCount))
		return 1;
	size_t vertices = vertexCount;
	size_t end = first + 1;
	for (; end < queue.size(); ++end)
	{
		const sDrawEntry& entry = queue[end];
		// Members draw through the same camera and switch no lighting on.
		if ((entry.camera && entry.camera != camera) || (lighting && entry.object->GetLightRec()))
			break;
		cQuadRun::sMemberKey key {};
		if (!cQuadRun::Member(entry.object, key, vertexCount) || !(key == head) ||
			(vertices += vertexCount) > cQuadRun::kMaxVertices)
			break;
	}
	return end - first;
}

void cSceneManager::PostReparent(cSceneObject* object, cSceneObject* parent, const tCompletion& completion)
{
	cAutoLock lock(&m_lock);
	m_requests.push_back({ object, parent, completion });
}

void cSceneManager::SetModal(cSceneObject* object, bool on)
{
	cAutoLock lock(&m_lock);
	RemoveFromList(m_modal, object);
	if (on)
		m_modal.push_back(object);
}

cSceneObject* cSceneManager::GetTopModal() const
{
	return m_modal.empty() ? nullptr : m_modal.back();
}

void cSceneManager::ForgetModal(cSceneObject* object)
{
	if (s_live)
		s_live->SetModal(object, false);
}

void cSceneManager::ForgetCamera(cCameraObject* camera)
{
	if (s_live && s_live->m_defaultCamera == camera)
		s_live->m_defaultCamera = nullptr;
}

cSceneObject* cSceneManager::CreateObject(int typeId, const std::string& name, cSceneObject* parent)
{
	tCreator creator = m_objectTypes.GetCreator(typeId);
	return creator ? creator(name, parent) : CreatePlainObject(name, parent);
}

cSceneObject* cSceneManager::CreateObject(const std::string& type, const std::string& name, cSceneObject* parent)
{
	return CreateObject(GetObjectTypeId(type), name, parent);
}

void cSceneManager::ForceUpdateTransforms(cSceneObject* object)
{
	object->UpdateTransforms(true, true);
}
