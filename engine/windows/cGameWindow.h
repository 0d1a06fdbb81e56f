#pragma once
// The base of every screen-level window: a scene object that is shown and
// hidden through a small state machine. Each of the states appear, working
// and disappear plays the animations and motion clips of its name over the
// window's subtree, and the window moves on once they have finished:
// appear -> working -> disappear -> closed -> hidden. A window may play a
// sound when it is shown and another when it is hidden. It starts hidden.

#include "engine/resources/cResourceHandle.h"
#include "engine/scene/cSceneObject.h"

#include <string>

class cGameWindow : public cSceneObject
{
public:
	enum eState
	{
		kHidden = 0,
		kAppear = 1,
		kWorking = 2,
		kDisappear = 3,
		kClosed = 4,
	};

	// Without a parent and with attachToCamera set, the window hangs under
	// the scene's default camera object.
	cGameWindow(const std::string& name, cSceneObject* parent, bool attachToCamera);

	// Runs the subtree's update, then moves on when the current state has
	// finished. A closed window is invisible and so no longer updated by its
	// parent: it stays closed until it is shown again.
	void Update(float dt) override;

	// True at once when entering appear started nothing; otherwise once no
	// "appear" animation or motion plays in the visible subtree.
	virtual bool IsAppearFinished();
	// Never when entering working started nothing (the window stays up until
	// hidden); otherwise once nothing at all plays in the visible subtree.
	virtual bool IsWorkingFinished();
	virtual bool IsDisappearFinished();
	virtual void OnClosed() {}
	// Stores the state number only; subclasses may track more.
	virtual void SetState(int state) { m_state = state; }
	// Stores the state and performs its entry: hidden and closed make the
	// window invisible (closed then calls OnClosed), the other three show it
	// and play their content. Other numbers are only stored.
	virtual void EnterState(int state);
	// Plays the show sound and enters appear.
	virtual void Show();
	// Plays the hide sound and enters disappear, whatever the state.
	virtual void Hide();

	// Binds the sound resource of the name (a missing one leaves none).
	void SetShowSound(const std::string& name);
	void SetHideSound(const std::string& name);
	// Binds the handler to the event of the object at the slash path below
	// the window; nothing when no object is there.
	void BindChildEvent(const std::string& path, const std::string& event, const tEvent& handler);

	int GetState() const { return m_state; }

	// The scene manager's default camera object, or the root once it is gone.
	static cSceneObject* DefaultCameraObject();

private:
	// The entry of a playing state: shows the window and plays the content.
	void PlayState(const std::string& name);
	// Whether content of the state's name still plays, when entering the
	// state started some.
	bool IsPlayingStateContent(const std::string& name);
	void PlaySound(const cResourceHandle& sound);

	cResourceHandle m_showSound;
	cResourceHandle m_hideSound;
	int m_state = kHidden;
	bool m_stateAnimationStarted = false;
};
