#pragma once
// The object type "text": an object whose visual is a text visual, with
// the text properties "alignment", "text_id", "font_id" and "text"
// (write only) forwarded to it.

#include "engine/scene/cSceneObject.h"
#include "engine/scene/cTextVisual.h"

class cTextObject : public cSceneObject
{
public:
	// The typed-cast kind a text object answers.
	static constexpr int CastKind = 2;

	cTextObject(const std::string& name, cSceneObject* parent);
	static cSceneObject* Create(const std::string& name, cSceneObject* parent);

	void AcceptCast(sCastQuery& query) override;
	std::string GetTypeName() const override { return "text"; }

	cTextVisual* GetTextVisual() const { return m_textVisual; }

private:
	cTextVisual* m_textVisual;
};
