#pragma once
// The window "help_manager": one help hint at a time. A hint shows an arrow
// ("d", "lt" or "rt") of the dialog built from the scene "window_help" at
// an object of the location, lights the object's marker children and,
// when it names a target, pulses the target until the player clicks on
// it. The click that ends the hint is then passed on to the scene in the
// same frame, so it also acts on what lies below. Hints with a key are
// shown once per player: the progress record remembers them.

#include "engine/windows/cGameDialog.h"

#include <map>
#include <string>

class cHelpManager : public cGameWindow
{
public:
	explicit cHelpManager(cSceneObject* parent);
	~cHelpManager() override;

	// The help window, or null while none exists.
	static cHelpManager* Get() { return s_instance; }

	// Ends the hint on the first left click after 0.3 s (on the target when
	// there is one) and passes the click on. Never consumes the input.
	bool HandleInput() override;
	// Pulses the target's alpha between 0.4 and 1.
	void Update(float dt) override;
	// Shows the window with its dialog hidden and no hint.
	void Show() override;
	// Ends a hint that is up (the target's colour restored), then hides.
	void Hide() override;

	// Shows a hint unless its key (when not empty) was shown to this player
	// before. With an object, the arrow of the key points at it and its
	// children light up; an unknown key or a missing arrow shows no arrow.
	void ShowHint(const std::string& arrowKey, const std::string& hintKey, cSceneObject* object,
		cSceneObject* target);

	bool IsActive() const { return m_active; }
	// True while the ending click runs through the scene's first nested pass.
	bool IsPassThrough() const { return m_passThrough; }
	cGameDialog* GetHelpDialog() const { return m_helpDialog; }
	cSceneObject* GetTarget() const { return m_target; }
	cSceneObject* GetArrow(const std::string& key) const;

private:
	// Gives the target back its colour and forgets it.
	void ReleaseTarget();

	static inline cHelpManager* s_instance = nullptr;

	cGameDialog* m_helpDialog;
	cSceneObject* m_target = nullptr;
	std::map<std::string, cSceneObject*> m_arrows;
	std::string m_hintKey;
	float m_clickCountdown = 0;
	bool m_passThrough = false;
	bool m_active = false;
	bool m_rising = false;
};
