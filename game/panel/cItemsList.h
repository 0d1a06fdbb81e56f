#pragma once
// The hidden-object list of the game panel. It draws nothing itself: it
// fills the numbered text objects of a layout scene with the names of the
// things to find, counts each text down as finds are reported, crosses a
// text out when its count reaches zero, fades it out and slides the texts
// below it up into the gap.

#include "engine/foundation/cVector3d.h"
#include "engine/resources/cResourceHandle.h"

#include <string>
#include <vector>

class cSceneObject;

class cItemsList
{
public:
	// Binds the sound "crossout"; no layout is attached.
	cItemsList();

	// Attaches the layout whose children prefix + 0, 1, 2, ... are the text
	// slots; nothing when it is already attached.
	void SetLayout(cSceneObject* layout, const std::string& prefix);
	// Lists the object name under the display text: a text already listed
	// counts one more, a new text takes a free slot, and with no free slot
	// left the name is not listed.
	void AddItem(const std::string& name, const std::string& text);
	// Counts a find of the object name and returns null. A name no entry
	// lists gives the layout's child of that name (or null) and changes
	// nothing; so does a name whose entries are all counted down already.
	cSceneObject* MarkFound(const std::string& name);
	// Runs the slides and the crossout fades; once per frame.
	void Update(float dt);
	// Empties every used slot's text, then detaches.
	void Clear();
	// Drops entries, fades and slides; puts every slot back at its home
	// place and forgets the layout.
	void Detach();
	// Clears when the object is the attached layout.
	void ReleaseLayout(cSceneObject* layout);
	// No crossout and no slide pending.
	bool IsIdle() const { return m_crossouts.empty() && m_slides.empty(); }

	cSceneObject* GetLayout() const { return m_layout; }

	// The text shown for an entry of text T and count N.
	static std::string DisplayText(const std::string& text, int count);

private:
	struct sItemEntry
	{
		std::string text;
		std::vector<std::string> names;
		int count;
	};
	struct sCrossout
	{
		int entry;
		float timeLeft;
	};
	struct sItemSlide
	{
		cVector3d offset;
		cVector3d end;
		cSceneObject* slot;
		float timeLeft;
		float duration;
	};

	void UpdateSlides(float dt);
	void UpdateCrossouts(float dt);
	// Slides every slot after the entry up by one place and frees the entry's slot.
	void CloseGap(int entry);
	void AddSlide(cSceneObject* slot, const cVector3d& offset);

	cSceneObject* m_layout = nullptr;
	cResourceHandle m_crossoutSound;
	std::vector<cVector3d> m_homePositions;
	std::vector<cSceneObject*> m_usedSlots;
	std::vector<cSceneObject*> m_freeSlots;
	std::vector<cSceneObject*> m_allSlots;
	std::vector<sItemEntry> m_entries;
	std::vector<sCrossout> m_crossouts;
	std::vector<sItemSlide> m_slides;
};
