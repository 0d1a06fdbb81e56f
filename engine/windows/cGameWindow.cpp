#include "engine/windows/cGameWindow.h"

#include "engine/scene/cCameraObject.h"
#include "engine/scene/cSceneManager.h"
#include "engine/sound/cSoundRegistry.h"
#include "engine/sound/cSoundResource.h"

namespace
{
// The names of the content each playing state plays.
const char* const kAppearName = "appear";
const char* const kWorkingName = "working";
const char* const kDisappearName = "disappear";

cSceneObject* ParentOf(cSceneObject* parent, bool attachToCamera)
{
	return !parent && attachToCamera ? cGameWindow::DefaultCameraObject() : parent;
}
}

cGameWindow::cGameWindow(const std::string& name, cSceneObject* parent, bool attachToCamera)
	: cSceneObject(name, ParentOf(parent, attachToCamera))
{
	SetVisible(false);
}

cSceneObject* cGameWindow::DefaultCameraObject()
{
	cSceneManager* scene = Singletone<cSceneManager>::GetInstance();
	cSceneObject* camera = scene->GetDefaultCamera();
	return camera ? camera : scene->GetRoot();
}

void cGameWindow::Update(float dt)
{
	cSceneObject::Update(dt);
	switch (m_state)
	{
	case kAppear:
		if (IsAppearFinished())
			EnterState(kWorking);
		break;
	case kWorking:
		if (IsWorkingFinished())
			EnterState(kDisappear);
		break;
	case kDisappear:
		if (IsDisappearFinished())
			EnterState(kClosed);
		break;
	case kClosed:
		EnterState(kHidden);
		break;
	default:
		break;
	}
}

bool cGameWindow::IsAppearFinished()
{
	return !IsPlayingStateContent(kAppearName);
}

bool cGameWindow::IsWorkingFinished()
{
	return m_stateAnimationStarted && !IsBusy();
}

bool cGameWindow::IsDisappearFinished()
{
	return !IsPlayingStateContent(kDisappearName);
}

bool cGameWindow::IsPlayingStateContent(const std::string& name)
{
	return m_stateAnimationStarted &&
		(GetAnimations().IsPlayingByName(name) || GetMotions().IsPlayingByName(name));
}

void cGameWindow::EnterState(int state)
{
	SetState(state);
	switch (state)
	{
	case kHidden:
		SetVisible(false);
		break;
	case kAppear:
		PlayState(kAppearName);
		break;
	case kWorking:
		PlayState(kWorkingName);
		break;
	case kDisappear:
		PlayState(kDisappearName);
		break;
	case kClosed:
		SetVisible(false);
		OnClosed();
		break;
	default:
		break;
	}
}

void cGameWindow::PlayState(const std::string& name)
{
	SetVisible(true);
	GetAnimations().PlayByName(name);
	GetMotions().PlayByName(name);
	m_stateAnimationStarted = GetAnimations().IsPlayingByName(name) || GetMotions().IsPlayingByName(name);
}

void cGameWindow::Show()
{
	PlaySound(m_showSound);
	EnterState(kAppear);
}

void cGameWindow::Hide()
{
	PlaySound(m_hideSound);
	EnterState(kDisappear);
}

void cGameWindow::PlaySound(const cResourceHandle& sound)
{
	if (sound)
		cSoundRegistry::GetInstance()->Play(sound, false);
}

void cGameWindow::SetShowSound(const std::string& name)
{
	m_showSound.BindByName<cSoundResource>(name.c_str());
}

void cGameWindow::SetHideSound(const std::string& name)
{
	m_hideSound.BindByName<cSoundResource>(name.c_str());
}

void cGameWindow::BindChildEvent(const std::string& path, const std::string& event, const tEvent& handler)
{
	if (cSceneObject* child = GetChildList().FindByPath(path))
		child->BindEvent(event, handler);
}
