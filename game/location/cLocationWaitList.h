#pragma once
// What a location's running scenario command waits for: object fades,
// motions and animations played by name on the form's subtree, a sound,
// and always the game panel's flights and moving inventory slots.

#include "engine/resources/cResourceHandle.h"

#include <string>
#include <vector>

class cSceneObject;
struct sFadeEntry;

class cLocationWaitList
{
public:
	// form is the subtree searched for names.
	explicit cLocationWaitList(cSceneObject* form);

	// Forgets the names, the fades and the sound.
	void Clear();
	// Waits for motions and animations of the name; a name is kept once.
	void AddAnimation(const std::string& name);
	// Waits for the sound, replacing the one waited for before.
	void SetSound(const cResourceHandle& sound);
	void AddFade(sFadeEntry* fade);
	// The form tells of every fade that ends, so that only running fades
	// are waited for.
	void ForgetFade(sFadeEntry* fade);
	// True while anything waited for still runs.
	bool IsBusy() const;

private:
	bool IsPanelBusy() const;
	bool IsNameBusy() const;

	cSceneObject* m_form;
	cResourceHandle m_sound;
	std::vector<sFadeEntry*> m_fades;
	std::vector<std::string> m_names;
};
