#pragma once
// Scene trees built in code for the scene tests: a visual that records what
// the scene asks of it, and a fixture that leaves the scene manager's tree
// empty around each test.

#include "engine/scene/cCameraObject.h"
#include "engine/scene/cSceneManager.h"
#include "engine/scene/cVisual.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Draws append the owner's name to a log; hit tests meet a box in local
// space; the animation state is plain fields the test sets.
class cProbeVisual : public cVisual
{
public:
	explicit cProbeVisual(cSceneObject* owner, std::vector<std::string>* drawLog = nullptr)
		: cVisual(owner), m_drawLog(drawLog)
	{
		hitBox.SetFromPoints(cVector3d(0, 0, -1), cVector3d(10, 10, 1));
	}

	float GetAnimationLength() override { return length; }
	float GetAnimationTime() override { return time; }
	void PlayAnimation(const std::string& name) override
	{
		animation = name;
		playing = true;
	}
	void ResumeAnimation() override { playing = true; }
	void SetAnimationParam(const std::string& name, int value) override { params.push_back(name + "=" + std::to_string(value)); }
	void SetAnimationTime(float seconds) override { time = seconds; }
	void SeekAnimation(float fraction) override { time = length * fraction; }
	void StopAnimation() override { playing = false; }
	bool IsAnimationPlaying() override
	{
		++playQueries;
		return playing;
	}
	bool IsNamedAnimationPlaying(const std::string& name) override
	{
		++playQueries;
		return playing && animation == name;
	}
	bool IsCurrentAnimation(const std::string& name) override { return animation == name; }
	const std::string& GetAnimationName() override { return animation; }
	bool IsAnimationLooping() override { return looping; }
	bool HitTestPoint(const sRay& ray, cVector3d& hitPoint) override
	{
		float distance = 0;
		if (!hitBox.IntersectRay(ray, distance))
			return false;
		hitPoint = ray.origin + ray.direction * distance;
		return true;
	}
	bool HitTest(const sRay& ray) override
	{
		cVector3d point;
		return HitTestPoint(ray, point);
	}
	void Draw() override
	{
		if (m_drawLog)
			m_drawLog->push_back(m_owner->GetName());
	}
	void Update(float dt) override { updatedFor += dt; }
	void UpdateOwnerBox() override { m_owner->GetTransform().SetLocalBox(hitBox); }
	void SetModel(const std::string& name) override { model = name; }
	void SetAnimatorParam(const std::string& name, float value) override
	{
		animatorParams.push_back(name + "=" + std::to_string(value));
	}
	void SetTextureOffset(float, float) override {}

	cBoundingBox hitBox;
	std::string animation;
	std::string model;
	std::vector<std::string> params;
	std::vector<std::string> animatorParams;
	bool playing = false;
	bool looping = false;
	float length = 0;
	float time = 0;
	float updatedFor = 0;
	int playQueries = 0;

private:
	std::vector<std::string>* m_drawLog;
};

// An object with a probe visual.
inline cSceneObject* ProbeObject(const std::string& name, cSceneObject* parent,
	std::vector<std::string>* drawLog = nullptr)
{
	auto* object = new cSceneObject(name, parent);
	object->SetVisual(new cProbeVisual(object, drawLog));
	return object;
}

inline cProbeVisual& Probe(cSceneObject* object)
{
	return *static_cast<cProbeVisual*>(object->GetVisual());
}

inline cMatrix Translation(float x, float y, float z)
{
	cMatrix m;
	m.MakeTranslation(cVector3d(x, y, z));
	return m;
}

// Leaves the scene manager with no modal object and a tree that holds only
// the default camera object (hidden, without children), whatever a test
// left behind.
inline void ClearScene(cSceneManager* scene)
{
	cSceneObject* camera = scene->GetDefaultCamera();
	cSceneObject* root = scene->GetRoot();
	camera->GetChildList().DeleteChildren();
	camera->GetChildList().SetParent(nullptr, false);
	root->GetChildList().DeleteChildren();
	camera->GetChildList().SetParent(root, false);
	// Hidden: without a device no camera may be applied. Tests that draw
	// show it.
	camera->SetVisible(false);
	while (cSceneObject* modal = scene->GetTopModal())
		scene->SetModal(modal, false);
	cSceneManager::SetInputConsumed(false);
}

// The scene manager with no modal object and a tree that holds only the
// default camera object (hidden, without children) before and after each test.
class SceneTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		scene = Singletone<cSceneManager>::GetInstance();
		Clear();
	}
	void TearDown() override { Clear(); }

	void Clear() { ClearScene(scene); }

	cSceneObject* root() { return scene->GetRoot(); }

	cSceneManager* scene = nullptr;
};
