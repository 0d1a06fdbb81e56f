#pragma once
// The scene: the root object "root" with the running game's whole tree
// under it, the registry of object types by name, the modal objects, the
// per-frame draw queue and the re-parenting requests that worker threads
// post. Every frame the application runs the input pass, the update and
// the render pass, each under the scene's one (recursive) lock. Worker
// threads never change the tree: they build detached subtrees and post
// them, or mark objects for deletion, under the same lock.

#include "engine/foundation/Singletone.h"
#include "engine/foundation/cAutoLock.h"
#include "engine/foundation/sRay.h"
#include "engine/resources/cKeywordRegistry.h"
#include "engine/scene/cSceneObject.h"
#include "engine/scene/sDrawEntry.h"

#include <list>
#include <memory>
#include <string>
#include <vector>

class cCameraObject;
class cQuadRun;

class cSceneManager : public Singletone<cSceneManager>
{
public:
	typedef cKeywordRegistry<cSceneObject, const std::string&, cSceneObject*> tObjectTypes;
	typedef tObjectTypes::Creator tCreator;
	typedef cDelegatePtr<cSceneObject*> tCompletion;

	// Registers the engine's object types, the resource types
	// "scene_resource" and "motion_resource" with the extension "motion",
	// makes the root and, last, the default camera object "camera" under it.
	cSceneManager();
	// Deletes the objects of requests never applied, then the whole tree.
	~cSceneManager() override;

	// Clears the input-consumed flag and dispatches from the root, modal
	// while a modal object is open.
	void DispatchInput();
	// Applies the posted requests, updates the tree from the root and
	// recomputes the transforms that changed.
	void Update(float dt);
	// Draws the tree in sorted order.
	void Render();
	// Collects the subtree into the queue (the scene lights it reaches are
	// switched on, the others off), sorts it (lower sort key first,
	// then the farther world z first) and draws it.
	void DrawObjects(cSceneObject* subtree, std::vector<sDrawEntry>& queue);

	// Hangs every posted object under its parent now, in posting order,
	// and invokes the completions (the update's first step).
	void ApplyRequests();
	// Any thread: the next update hangs the object under the parent
	// (keeping its local placement) and invokes the delegate with it.
	void PostReparent(cSceneObject* object, cSceneObject* parent, const tCompletion& completion);

	// Takes the object off the modal list and, when on, puts it on top.
	void SetModal(cSceneObject* object, bool on);
	cSceneObject* GetTopModal() const;
	// Takes a destroyed object off the modal list of the scene, if one exists.
	static void ForgetModal(cSceneObject* object);
	// Called by a camera object that is destroyed: the scene no longer
	// names it as its default camera.
	static void ForgetCamera(cCameraObject* camera);

	int GetObjectTypeId(const std::string& type) const { return m_objectTypes.GetIndex(type); }
	std::string GetObjectTypeName(int id) const { return m_objectTypes.GetName(id); }
	void RegisterObjectType(const std::string& type, tCreator creator) { m_objectTypes.Register(type, creator); }
	// A new object of the registered type; a plain "object" when the id or
	// the name names no type.
	cSceneObject* CreateObject(int typeId, const std::string& name, cSceneObject* parent);
	cSceneObject* CreateObject(const std::string& type, const std::string& name, cSceneObject* parent);

	// Recomputes every matrix, colour and effective flag of the subtree.
	void ForceUpdateTransforms(cSceneObject* object);

	// Set by a widget that acted on a click; the input pass stops there.
	static void SetInputConsumed(bool consumed) { s_inputConsumed = consumed; }
	static bool IsInputConsumed() { return s_inputConsumed; }

	cSceneObject* GetRoot() { return &m_root; }
	// The camera object "camera" under the root, which windows hang under.
	cCameraObject* GetDefaultCamera() const { return m_defaultCamera; }
	// The cursor's ray in world space, written by the camera object.
	sRay& GetPickRay() { return m_pickRay; }
	const tObjectTypes& GetObjectTypes() const { return m_objectTypes; }
	CRITICAL_SECTION* GetLock() { return &m_lock; }
	// The lock of the scene manager while one exists, else null.
	static CRITICAL_SECTION* GetLiveLock() { return s_live ? &s_live->m_lock : nullptr; }
	const std::vector<sDrawEntry>& GetDrawQueue() const { return m_drawQueue; }

private:
	struct sReparentRequest
	{
		cSceneObject* object;
		cSceneObject* parent;
		tCompletion completion;
	};

	static void SortDrawQueue(std::vector<sDrawEntry>& queue);
	void DrawQueue(const std::vector<sDrawEntry>& queue);
	// The entries from first on that one quad run draws (see cQuadRun),
	// at least 1: they draw through the camera, and with the queue
	// switching lighting per object, none switches it on.
	static size_t QuadRunLength(const std::vector<sDrawEntry>& queue, size_t first, const cCamera* camera,
		bool lighting);

	static inline bool s_inputConsumed = false;
	static inline cSceneManager* s_live = nullptr;

	CRITICAL_SECTION m_lock;
	tObjectTypes m_objectTypes;
	std::vector<sReparentRequest> m_requests;
	std::list<cSceneObject*> m_modal;
	std::vector<sDrawEntry> m_drawQueue;
	sRay m_pickRay;
	cSceneObject m_root;
	cCameraObject* m_defaultCamera = nullptr;
	// Made on the first run drawn.
	std::unique_ptr<cQuadRun> m_quadRun;
};
