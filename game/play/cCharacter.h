#pragma once
// Scene object type "character": one pose of a character, a flat picture
// with a weight "prob" by which its set picks it. Writing its property
// "set" moves it into the set of that name kept by the scene object it
// stands in. A picture whose texture exceeds the device's size limit is
// drawn with the texture of the same name followed by "_low", when there
// is one.

#include "engine/resources/cResourceHandle.h"
#include "engine/scene/cSceneObject.h"

class cQuadVisual;

class cCharacter : public cSceneObject
{
public:
	// The picture installed, prob 1, the properties "prob" and "set" bound.
	cCharacter(const std::string& name, cSceneObject* parent);

	// Swaps in the "_low" texture when the picture's is too large.
	void OnLoaded() override;
	std::string GetTypeName() const override { return "character"; }

	// Joins the set of the name through the parent; a parent that keeps no
	// sets leaves the character where it is.
	void SetSet(const std::string& name);

	int GetProb() const { return m_prob; }
	cQuadVisual* GetPicture() const { return m_picture; }

private:
	void OnSetWritten(std::string* name) { SetSet(*name); }

	cResourceHandle m_lowTexture;
	cQuadVisual* m_picture;
	int m_prob = 1;
};

// The creator of the object type "character".
cSceneObject* CreateCharacterObject(const std::string& name, cSceneObject* parent);
